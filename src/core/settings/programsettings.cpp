#include "programsettings.h"

#include "programfolder.h"

namespace tavolex::settings {

QString programSettingsPath() {
    return programPath(QString::fromUtf16(kProgramSettingsFile));
}

} // namespace tavolex::settings
