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

// Removes temporary files that a write of `path` killed half-way may have left beside
// it ("<name>.XXXXXX"). The file itself is never touched.
void removeLeftoverTemporaries(const QString& path);

} // namespace tavolex::files
