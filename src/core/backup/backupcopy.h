#pragma once

#include "copycontent.h"

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

// Called with the bytes done so far and the total; returning false cancels the work.
using Progress = std::function<bool(qint64 done, qint64 total)>;

// Why a copy, a verification or a restore was refused before it began.
enum class Refusal {
    None,
    FolderIsProgramFolder, // the copies' folder is the program folder itself
    FolderInsideCopy,      // the copies' folder lies in a folder a copy holds
    NotACopy,              // the zip is no whole copy of this program
    UnusableFiles,         // files a copy must hold cannot be copied (named in `damaged`)
};

struct Outcome {
    bool ok = false;
    bool cancelled = false;
    Refusal refusal = Refusal::None;
    QString cause; // why it failed, for the log and the message
    QString path;  // the copy made or read
    int files = 0; // files in the copy (the manifest not counted)
    // The files the failure is about: bytes that do not match the manifest or cannot be
    // read back, files missing from the copy, or files of the folder that cannot be copied.
    QStringList damaged;
};

// Whether copies may be written to `backupFolder`: never the program folder itself (each
// copy would hold the earlier ones) nor a folder inside one a copy holds. Folders are
// compared by their canonical paths, so a trailing "/" or a link changes nothing. The
// parent of the program folder, or any other folder of it, is fine.
Refusal checkCopiesFolder(const QString& programFolder, const QString& backupFolder);

// Removes what an interrupted copy left in `backupFolder` (".Tavolex_….zip.partial"); a
// copy still being written by another program is left alone.
void removeUnfinishedCopies(const QString& backupFolder);

// Writes a copy of `programFolder` into `backupFolder` (made if missing) under a temporary
// name, reads it back against its manifest and only then gives it its final name. Should a
// copy of that second already exist, the next free second names it. A
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

// Removes the oldest automatic copies beyond `keep`; manual copies and the copies made
// before a restore are never removed. Returns the removed paths.
QStringList rotateAutomaticCopies(const QString& backupFolder, int keep);

// Whether an automatic copy dated `day` is already in `backupFolder`.
bool hasAutomaticCopyOf(const QString& backupFolder, const QDate& day);

} // namespace tavolex::backup
