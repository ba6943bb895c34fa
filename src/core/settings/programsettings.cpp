#include "programsettings.h"

#include "inifile.h"
#include "programfolder.h"

#include <algorithm>

namespace tavolex::settings {

QString programSettingsPath() {
    return programPath(QString::fromUtf16(kProgramSettingsFile));
}

namespace {

QString text(const char16_t* s) {
    return QString::fromUtf16(s);
}

} // namespace

QString TextKey::read(const IniFile& ini) const {
    return ini.readString(text(section), text(name), text(defaultValue));
}

files::WriteResult TextKey::write(IniFile& ini, const QString& value) const {
    return ini.writeString(text(section), text(name), value);
}

bool FlagKey::read(const IniFile& ini) const {
    const QString value = ini.readString(text(section), text(name)).trimmed();
    if (value == QStringView(on)) return true;
    if (value == QStringView(off)) return false;
    return defaultValue;
}

files::WriteResult FlagKey::write(IniFile& ini, bool value) const {
    return ini.writeString(text(section), text(name), text(value ? on : off));
}

int NumberKey::read(const IniFile& ini) const {
    bool number = false;
    const int value = ini.readString(text(section), text(name)).trimmed().toInt(&number);
    return number ? std::clamp(value, minimum, maximum) : defaultValue;
}

files::WriteResult NumberKey::write(IniFile& ini, int value) const {
    return ini.writeString(text(section), text(name),
                           QString::number(std::clamp(value, minimum, maximum)));
}

} // namespace tavolex::settings
