#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tavolex::backup {

// A copy of the program folder is one zip file named after the moment it was made:
// "Tavolex_yyyy-MM-dd_HH-mm-ss.zip", "…_auto.zip" when made at closing, and
// "…_prima_del_ripristino.zip" for the state saved before a restore.
enum class Kind { Manual, Automatic, BeforeRestore };

struct CopyName {
    QDateTime made;
    Kind kind = Kind::Manual;
};

QString copyFileName(const QDateTime& made, Kind kind);
std::optional<CopyName> parseCopyFileName(const QString& fileName);

struct FoundCopy {
    QString path;
    QDateTime made;
    Kind kind = Kind::Manual;
    qint64 size = 0;
};

// The copies in `folder`, newest first.
QList<FoundCopy> findCopies(const QString& folder);

// What a copy holds, as paths relative to the program folder, sorted: everything the
// program keeps there except what it ships or rebuilds (the executable, the guide, the
// warning sound), exports and prints at the top level, journals, lock files, unfinished
// temporaries and the backup folder itself. Links are never followed.
struct Inventory {
    QStringList folders;
    QStringList files;
};
Inventory inventory(const QString& programFolder, const QString& backupFolder);

// Whether a path relative to the program folder is one a copy may hold.
bool isKeptPath(const QString& relativePath);

// Called with the bytes done so far and the total; returning false cancels the work.
using Progress = std::function<bool(qint64 done, qint64 total)>;

struct Outcome {
    bool ok = false;
    bool cancelled = false;
    QString cause;       // why it failed, for the log and the message
    QString path;        // the copy made or read
    int files = 0;       // files in the copy (the manifest not counted)
    QStringList damaged; // files whose bytes do not match the manifest, or are missing
};

// Writes a copy of `programFolder` into `backupFolder` (made if missing) under a temporary
// name, reads it back against its manifest and only then gives it its final name. A
// journal left by an interrupted overwrite is settled first, and each archive is read under
// its advisory lock, so no copy holds a half-written record. On any failure or a cancel no
// file with a final name is left and the program folder is untouched.
Outcome createCopy(const QString& programFolder, const QString& backupFolder, const QDateTime& made,
                   Kind kind, const Progress& progress = {});

// The number of files a copy holds (its manifest not counted), read from the zip's
// directory without reading the files; nothing when the zip cannot be read.
std::optional<int> countFiles(const QString& zipPath);

// Reads a copy back and checks every file against MANIFEST.sha256.
Outcome verifyCopy(const QString& zipPath, const Progress& progress = {});

// Puts the files of a verified copy in place: they are extracted into a temporary folder
// inside the program folder and checked against the manifest first; then each file is put
// in place by rename, the present one moved aside, and on a failure half-way every moved
// file goes back. A copy with a name that would land outside the program folder, a link,
// or a file that does not match its manifest is refused with nothing changed.
Outcome restoreCopy(const QString& zipPath, const QString& programFolder,
                    const Progress& progress = {});

// Removes the oldest automatic copies beyond `keep`; manual copies and the copies made
// before a restore are never removed. Returns the removed paths.
QStringList rotateAutomaticCopies(const QString& backupFolder, int keep);

// Whether an automatic copy dated `day` is already in `backupFolder`.
bool hasAutomaticCopyOf(const QString& backupFolder, const QDate& day);

inline constexpr char kManifestName[] = "MANIFEST.sha256";

} // namespace tavolex::backup
