#include "safewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

TemporaryBeside::TemporaryBeside(const QString& path) : m_path(path) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    struct stat target {};
    const bool replaces =
        ::stat(QFile::encodeName(path).constData(), &target) == 0 && S_ISREG(target.st_mode);
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString name = path + u'.';
        for (int i = 0; i < 6; ++i)
            name += QLatin1Char(
                kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)]);
        // Made as QSaveFile makes its own: 0666 less the umask (so 0600 in an installed copy,
        // whose umask is 077), or the mode of the file it is to replace.
        const int fd = ::open(QFile::encodeName(name).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return;
        }
        const bool moded = !replaces || ::fchmod(fd, target.st_mode & 07777) == 0;
        ::close(fd);
        if (!moded) {
            ::unlink(QFile::encodeName(name).constData());
            return;
        }
        m_temporary = name;
        return;
    }
}

TemporaryBeside::~TemporaryBeside() {
    if (!m_temporary.isEmpty()) ::unlink(QFile::encodeName(m_temporary).constData());
}

bool TemporaryBeside::commit() {
    if (m_temporary.isEmpty()) return false;
    if (std::rename(QFile::encodeName(m_temporary).constData(),
                    QFile::encodeName(m_path).constData()) != 0)
        return false;
    m_temporary.clear();
    return true;
}

bool syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
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
