#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace tavolex::backup {

// What a copy holds, as paths relative to the program folder: the record archives, the
// settings file, the password store, and the attachment and practice folders with what
// they hold. Nothing else of the folder is the program's own data: the executable, the
// guide and the sound it ships, exports and prints, journals, locks, and copies of
// earlier copies (a copy's zip, the copies' "Verifiche.ini", a "Copie_di_sicurezza"
// folder) wherever they are.
bool isKeptPath(const QString& relativePath, bool folder = false);

// Whether a name at the top of the program folder is a record archive, and its record
// size (0 for any other name).
int archiveRecordSize(const QString& fileName);

inline constexpr char kManifestName[] = "MANIFEST.sha256";
inline constexpr char kPasswordStoreName[] = "unins000.dll";

// MANIFEST.sha256: `sha256sum` lines, one per file, after the copy's mark: comment lines
// (which sha256sum passes over) naming the program, the copy's format and each folder the
// copy holds. A zip without the mark is no copy of this program.
struct Manifest {
    int format = 0; // 0 when the mark is missing
    QStringList folders;
    QHash<QString, QByteArray> digests; // file name → lower-case hex SHA-256

    QByteArray text() const;
    // False when the text is no manifest at all (a line that is neither mark nor digest).
    static bool parse(const QByteArray& text, Manifest& manifest);
};

inline constexpr int kCopyFormat = 1;

// What `inventory` found in a program folder. Links are followed (an archive or an
// attachment folder kept elsewhere is still the user's); a name that is not valid text, or
// an entry that is neither file nor folder, cannot be copied and is listed in `unusable`.
struct Inventory {
    QStringList folders;
    QStringList files;
    QStringList unusable;
};
Inventory inventory(const QString& programFolder);

} // namespace tavolex::backup
