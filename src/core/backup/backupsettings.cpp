#include "backupsettings.h"

#include "settings/inifile.h"

#include <QDir>
#include <algorithm>

namespace tavolex::backup {

using namespace Qt::StringLiterals;

namespace {
const QString kSection = u"CopieSicurezza"_s;
const QString kResults = u"Verifiche"_s;
const QString kResultsFile = u"Verifiche.ini"_s;
} // namespace

QString defaultFolder(const QString& programFolder) {
    return QDir(programFolder).filePath(u"Copie_di_sicurezza"_s);
}

Settings loadSettings(const QString& settingsPath, const QString& programFolder) {
    const settings::IniFile ini(settingsPath);
    Settings loaded;
    loaded.folder = ini.readString(kSection, u"Cartella"_s).trimmed();
    if (loaded.folder.isEmpty()) loaded.folder = defaultFolder(programFolder);
    loaded.automatic = ini.readString(kSection, u"Automatica"_s, u"1"_s).trimmed() != u"0"_s;
    bool number = false;
    const int keep = ini.readString(kSection, u"Conserva"_s).trimmed().toInt(&number);
    if (number) loaded.keep = std::clamp(keep, kMinKeep, kMaxKeep);
    return loaded;
}

files::WriteResult saveSettings(const QString& settingsPath, const Settings& settings) {
    settings::IniFile ini(settingsPath);
    if (auto r = ini.writeString(kSection, u"Cartella"_s, settings.folder); !r) return r;
    if (auto r = ini.writeString(kSection, u"Automatica"_s, settings.automatic ? u"1"_s : u"0"_s);
        !r)
        return r;
    return ini.writeString(kSection, u"Conserva"_s,
                           QString::number(std::clamp(settings.keep, kMinKeep, kMaxKeep)));
}

QString lastVerification(const QString& backupFolder, const QString& copyFileName) {
    return settings::IniFile(QDir(backupFolder).filePath(kResultsFile))
        .readString(kResults, copyFileName);
}

files::WriteResult recordVerification(const QString& backupFolder, const QString& copyFileName,
                                      const QString& result) {
    return settings::IniFile(QDir(backupFolder).filePath(kResultsFile))
        .writeString(kResults, copyFileName, result);
}

} // namespace tavolex::backup
