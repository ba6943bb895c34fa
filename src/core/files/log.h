#pragma once

#include <QLoggingCategory>

namespace tavolex {

// Causes of file failures ("tavolex.files"), written to standard error wherever the user
// is shown the fixed message: the program keeps no log file of its own.
Q_DECLARE_LOGGING_CATEGORY(lcFiles)

} // namespace tavolex
