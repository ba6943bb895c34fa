#pragma once

#include "files/safewrite.h"

#include <QString>

namespace tavolex::settings {

// The program's settings file in the program folder, one for every part of the program:
// the protocol's numbering, office and operator, the backup copies, the calendar files and
// the fields each card keeps. Its sections are each part's own.
inline constexpr char16_t kProgramSettingsFile[] = u"Cartovia.ini";

// Program folder + "Cartovia.ini".
QString programSettingsPath();

class IniFile;

// The keys of a section, each declared once where its part of the program keeps its
// settings: section, name, and what a missing or unreadable value reads as.

// A text, as the settings file holds it.
struct TextKey {
    const char16_t* section;
    const char16_t* name;
    const char16_t* defaultValue = u"";

    QString read(const IniFile& ini) const;
    files::WriteResult write(IniFile& ini, const QString& value) const;
};

// A yes/no value stored as one of two words; any other text reads as the default.
struct FlagKey {
    const char16_t* section;
    const char16_t* name;
    const char16_t* on;
    const char16_t* off;
    bool defaultValue = false;

    bool read(const IniFile& ini) const;
    files::WriteResult write(IniFile& ini, bool value) const;
};

// A whole number within bounds: one out of them is brought within, a text that is no
// number reads as the default.
struct NumberKey {
    const char16_t* section;
    const char16_t* name;
    int minimum;
    int maximum;
    int defaultValue;

    int read(const IniFile& ini) const;
    files::WriteResult write(IniFile& ini, int value) const;
};

} // namespace tavolex::settings
