#include "regularfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavolex::files {

using namespace Qt::Literals::StringLiterals;

namespace {

bool failed(QString* error, const QString& why) {
    if (error) *error = why;
    return false;
}

} // namespace

bool openRegular(QFile& file, QIODevice::OpenMode mode, QString* error) {
    const bool reads = mode & QIODevice::ReadOnly;
    const bool writes = mode & QIODevice::WriteOnly;
    int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    if (writes) flags |= O_CREAT;
    if (writes && (mode & QIODevice::Truncate)) flags |= O_TRUNC;
    if (writes && (mode & QIODevice::Append)) flags |= O_APPEND;
    const QByteArray path = QFile::encodeName(file.fileName());
    int fd = -1;
    do {
        fd = ::open(path.constData(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    // A pipe opened for writing alone with no reader fails here (ENXIO) instead of waiting.
    if (fd < 0) return failed(error, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return failed(error, u"not a regular file"_s);
    }
    // A regular file never waits; ordinary blocking reads and writes from here on.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failed(error, file.errorString());
    }
    return true;
}

} // namespace tavolex::files
