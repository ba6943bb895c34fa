#pragma once

#include "files/safewrite.h"

#include <QString>

namespace tavolex::backup {

// How copies are made, kept in the settings file, section [CopieSicurezza].
struct Settings {
    QString folder;        // Cartella: where copies go
    bool automatic = true; // Automatica: a copy when the program closes
    int keep = 10;         // Conserva: automatic copies kept, 1 to 99
};

inline constexpr int kMinKeep = 1;
inline constexpr int kMaxKeep = 99;

// The folder used when none is set: "Copie_di_sicurezza" in the program folder.
QString defaultFolder(const QString& programFolder);

// Missing or unreadable values read as their defaults; a number out of range is brought
// within 1 to 99.
Settings loadSettings(const QString& settingsPath, const QString& programFolder);
files::WriteResult saveSettings(const QString& settingsPath, const Settings& settings);

// The last verification of a copy ("Integra, 10/12/2026 18:05", "Danneggiata, …"), kept by
// its file name in "Verifiche.ini" beside the copies, so that the settings file never grows
// with them.
QString lastVerification(const QString& backupFolder, const QString& copyFileName);
files::WriteResult recordVerification(const QString& backupFolder, const QString& copyFileName,
                                      const QString& result);

} // namespace tavolex::backup
