#pragma once

#include <QString>

namespace tavolex::settings {

// The program's settings file in the program folder, one for every part of the program:
// the protocol's numbering, office and operator, the backup copies, the calendar files and
// the fields each card keeps. Its sections are each part's own.
inline constexpr char16_t kProgramSettingsFile[] = u"Cartovia.ini";

// Program folder + "Cartovia.ini".
QString programSettingsPath();

} // namespace tavolex::settings
