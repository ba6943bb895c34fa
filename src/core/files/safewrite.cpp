#include "safewrite.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace tavolex::files {

using namespace Qt::Literals::StringLiterals;

namespace {

// QSaveFile's own buffer would hold small contents until commit(), whose write error
// Qt 6.4 ignores before renaming the empty file into place. Unbuffered, each write
// reaches the system at once and its error is seen here.
class CheckedWriter : public QIODevice {
public:
    explicit CheckedWriter(QSaveFile& file) : m_file(file) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool failed() const { return m_failed; }
    const QString& cause() const { return m_cause; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (m_failed) return -1;
        qint64 done = 0;
        while (done < size) {
            const qint64 n = m_file.write(data + done, size - done);
            if (n <= 0) {
                m_failed = true;
                m_cause = m_file.errorString();
                return -1;
            }
            done += n;
        }
        return size;
    }

private:
    QSaveFile& m_file;
    bool m_failed = false;
    QString m_cause;
};

WriteResult failed(QSaveFile& file, const QString& step, const QString& cause) {
    file.cancelWriting();
    return WriteResult::failure(step + u": "_s + cause);
}

} // namespace

WriteResult replaceFile(const QString& path, const QByteArray& content) {
    return replaceFile(path,
                       [&content](QIODevice& out) { return out.write(content) == content.size(); });
}

WriteResult replaceFile(const QString& path, const ContentWriter& writeContent) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return WriteResult::failure(u"open "_s + path + u": "_s + file.errorString());
    CheckedWriter out(file);
    const bool written = writeContent(out);
    if (out.failed()) return failed(file, u"write "_s + path, out.cause());
    if (!written) return failed(file, u"write "_s + path, u"content not complete"_s);
    if (!file.flush()) return failed(file, u"flush "_s + path, file.errorString());
    if (!file.commit())
        return WriteResult::failure(u"commit "_s + path + u": "_s + file.errorString());
    return WriteResult::success();
}

void removeLeftoverTemporaries(const QString& path) {
    const QFileInfo info(path);
    const QDir folder = info.absoluteDir();
    const QRegularExpression temporary(u"^"_s + QRegularExpression::escape(info.fileName()) +
                                       u"\\.[A-Za-z0-9]{6}$"_s);
    const QStringList candidates =
        folder.entryList({info.fileName() + u".*"_s}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : candidates)
        if (temporary.match(name).hasMatch()) QFile::remove(folder.filePath(name));
}

} // namespace tavolex::files
