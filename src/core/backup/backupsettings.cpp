#include "backupsettings.h"

#include "settings/inifile.h"
#include "settings/programsettings.h"

#include <QDir>
#include <algorithm>

namespace tavolex::backup {

using namespace Qt::StringLiterals;

namespace {
// Section [CopieSicurezza] of the program's settings file.
constexpr settings::TextKey kFolder{u"CopieSicurezza", u"Cartella"};
constexpr settings::FlagKey kAutomatic{u"CopieSicurezza", u"Automatica", u"1", u"0", true};
constexpr settings::NumberKey kKeep{u"CopieSicurezza", u"Conserva", kMinKeep, kMaxKeep, 10};
const QString kResults = u"Verifiche"_s;
const QString kResultsFile = u"Verifiche.ini"_s;
} // namespace

QString defaultFolder(const QString& programFolder) {
    return QDir(programFolder).filePath(u"Copie_di_sicurezza"_s);
}

Settings loadSettings(const QString& settingsPath, const QString& programFolder) {
    const settings::IniFile ini(settingsPath);
    Settings loaded;
    loaded.folder = kFolder.read(ini).trimmed();
    if (loaded.folder.isEmpty()) loaded.folder = defaultFolder(programFolder);
    loaded.automatic = kAutomatic.read(ini);
    loaded.keep = kKeep.read(ini);
    return loaded;
}

files::WriteResult saveSettings(const QString& settingsPath, const Settings& settings) {
    settings::IniFile ini(settingsPath);
    if (auto r = kFolder.write(ini, settings.folder); !r) return r;
    if (auto r = kAutomatic.write(ini, settings.automatic); !r) return r;
    return kKeep.write(ini, settings.keep);
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
