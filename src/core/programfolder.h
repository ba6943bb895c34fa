#pragma once

#include <QString>

namespace tavolex {

// Every file of the system lives in the program folder: the executable's folder
// unless a caller (the tests) points it elsewhere.
void setProgramFolder(const QString& folder);
QString programFolder();

// Program folder followed directly by a relative name.
QString programPath(const QString& name);

} // namespace tavolex
