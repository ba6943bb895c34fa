#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>

namespace tavolex::files {

// The outcome of a whole-file write: success, or the step that failed and why.
class WriteResult {
public:
    static WriteResult success() { return WriteResult(true, {}); }
    static WriteResult failure(QString cause) { return WriteResult(false, std::move(cause)); }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    // Empty on success.
    const QString& cause() const { return m_cause; }

private:
    WriteResult(bool ok, QString cause) : m_ok(ok), m_cause(std::move(cause)) {}
    bool m_ok;
    QString m_cause;
};

// Writes the content of a file through `out`; returns false to give up (the old file
// then stays as it was).
using ContentWriter = std::function<bool(QIODevice& out)>;

// Replaces the file at `path` with new content as a whole: the content goes to a
// temporary file beside it, every write is checked, and only a complete file is put in
// place. On any failure the old file stays byte-identical (or absent) and no temporary
// file is left behind. A full disk or a read-only folder is a failure, never an empty file.
WriteResult replaceFile(const QString& path, const QByteArray& content);
WriteResult replaceFile(const QString& path, const ContentWriter& writeContent);

// The temporary file of a whole-file write made by a writer that needs a file name of its
// own (a printer): an empty file beside `path` ("<name>.XXXXXX") with the permissions
// replaceFile gives its files (those of the file it replaces, else what the user's umask
// leaves of 0666), put in place by commit() and removed if never committed.
class TemporaryBeside {
public:
    explicit TemporaryBeside(const QString& path);
    ~TemporaryBeside();
    TemporaryBeside(const TemporaryBeside&) = delete;
    TemporaryBeside& operator=(const TemporaryBeside&) = delete;

    // Empty when it could not be made.
    const QString& fileName() const { return m_temporary; }
    // Renames the temporary file over `path`.
    bool commit();

private:
    QString m_path;
    QString m_temporary;
};

// Forces a folder's entries (a file made, renamed or removed in it) to the disk; false when
// the folder cannot be opened or synced.
bool syncFolder(const QString& folder);

// Removes temporary files that a write of `path` killed half-way may have left beside
// it ("<name>.XXXXXX"). The file itself is never touched.
void removeLeftoverTemporaries(const QString& path);

} // namespace tavolex::files
