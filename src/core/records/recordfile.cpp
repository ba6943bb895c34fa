#include "recordfile.h"

#include "files/regularfile.h"
#include "files/safewrite.h"

#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tavolex::records {

using namespace Qt::Literals::StringLiterals;

namespace {

// Journal: magic, record number, record size, the length and UTF-8 bytes of the archive's
// file name, the record, then a checksum of all that.
constexpr std::array<char, 8> kJournalMagic = {'T', 'V', 'X', 'J', 'R', 'N', 'L', '2'};
constexpr qint64 kJournalFixed = qint64(kJournalMagic.size()) + 8 + 4 + 4;
constexpr qint64 kJournalTail = 8;

quint64 checksum(const char* data, qint64 size) {
    // FNV-1a: enough to tell a complete journal from a torn or foreign one.
    quint64 hash = 14695981039346656037ULL;
    for (qint64 i = 0; i < size; ++i) {
        hash ^= quint8(data[i]);
        hash *= 1099511628211ULL;
    }
    return hash;
}

QByteArray journalBytes(const QByteArray& name, qint64 k, const QByteArray& record) {
    const qint64 head = kJournalFixed + name.size();
    QByteArray bytes(head + record.size() + kJournalTail, Qt::Uninitialized);
    char* out = bytes.data();
    std::copy(kJournalMagic.begin(), kJournalMagic.end(), out);
    qToLittleEndian<qint64>(k, out + kJournalMagic.size());
    qToLittleEndian<qint32>(qint32(record.size()), out + kJournalMagic.size() + 8);
    qToLittleEndian<qint32>(qint32(name.size()), out + kJournalMagic.size() + 12);
    std::copy(name.begin(), name.end(), out + kJournalFixed);
    std::copy(record.begin(), record.end(), out + head);
    const qint64 body = head + record.size();
    qToLittleEndian<quint64>(checksum(out, body), out + body);
    return bytes;
}

// The record number and bytes of a complete journal written for the archive `name` with
// records of `size` bytes. A journal of another archive is not this archive's.
bool parseJournal(const QByteArray& bytes, const QByteArray& name, int size, qint64& k,
                  QByteArray& record) {
    if (bytes.size() != kJournalFixed + name.size() + size + kJournalTail) return false;
    const char* in = bytes.constData();
    if (!std::equal(kJournalMagic.begin(), kJournalMagic.end(), in)) return false;
    if (qFromLittleEndian<qint32>(in + kJournalMagic.size() + 8) != size) return false;
    if (qFromLittleEndian<qint32>(in + kJournalMagic.size() + 12) != name.size()) return false;
    const qint64 head = kJournalFixed + name.size();
    const qint64 body = head + size;
    if (qFromLittleEndian<quint64>(in + body) != checksum(in, body)) return false;
    if (QByteArrayView(in + kJournalFixed, name.size()) != name) return false;
    k = qFromLittleEndian<qint64>(in + kJournalMagic.size());
    record = bytes.mid(head, size);
    return true;
}

// Writes all of `data` at `offset`; empty on success, else the system's cause. QFile takes
// a write cut short by a full disk or a file-size limit (some bytes, then ENOSPC or EFBIG)
// for a success of fewer bytes and keeps no cause ("Unknown error"): the errno of the write
// that failed is what says why.
QString writeAt(int fd, const char* data, qint64 size, qint64 offset) {
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, data + done, std::size_t(size - done), off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return QString::fromLocal8Bit(std::strerror(errno));
        if (n == 0) return QString::fromLocal8Bit(std::strerror(ENOSPC));
        done += n;
    }
    return {};
}

// Forces a file's data (and the size it needs to be read back) to the disk.
bool syncData(int fd) {
    int r = 0;
    do {
        r = ::fdatasync(fd);
    } while (r != 0 && errno == EINTR);
    return r == 0;
}

// Journals found unusable (a folder, a pipe, unreadable) and already reported once.
QSet<QString>& reportedJournals() {
    static QSet<QString> reported;
    return reported;
}
QMutex& reportedJournalsMutex() {
    static QMutex mutex;
    return mutex;
}

} // namespace

// Holds the archive's advisory lock (flock) for one append, overwrite or replay, so that
// two programs, or two RecordFiles of one program, never interleave their steps. The lock
// belongs to the open file, so it is also released when a killed program's file closes.
class RecordFile::Exclusive {
public:
    explicit Exclusive(QFile& file) : m_fd(file.handle()) {
        int r = 0;
        do {
            r = ::flock(m_fd, LOCK_EX);
        } while (r != 0 && errno == EINTR);
        m_locked = r == 0;
    }
    ~Exclusive() {
        if (m_locked) ::flock(m_fd, LOCK_UN);
    }
    Exclusive(const Exclusive&) = delete;
    Exclusive& operator=(const Exclusive&) = delete;
    bool locked() const { return m_locked; }

private:
    int m_fd;
    bool m_locked = false;
};

RecordFile::RecordFile(QString path, int recordSize)
    : m_path(std::move(path)), m_size(recordSize), m_file(m_path) {}

RecordFile::~RecordFile() {
    m_file.close();
}

QString RecordFile::journalPathOf(const QString& archivePath) {
    return archivePath + u".journal"_s;
}

bool RecordFile::fail(const QString& what) {
    m_error = what + u": "_s + m_file.errorString();
    return false;
}

bool RecordFile::failLocking() {
    m_error = u"lock: "_s + QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool RecordFile::open() {
    // ReadWrite without Truncate creates a missing file and keeps an existing one; a named
    // pipe or a folder in its place is refused instead of waited on.
    // Unbuffered: a failed write must not linger in a buffer that close() retries.
    QString cause;
    m_file.setFileName(m_path); // a file opened by descriptor forgets its name on close
    if (!files::openRegular(m_file, QIODevice::ReadWrite | QIODevice::Unbuffered, &cause)) {
        m_error = u"open: "_s + cause;
        return false;
    }
    const Exclusive exclusive(m_file);
    if (!exclusive.locked()) {
        failLocking();
        m_file.close();
        return false;
    }
    if (!settleJournal()) {
        m_file.close();
        return false;
    }
    return true;
}

bool RecordFile::settleJournal() {
    const QString path = journalPath();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return true;
    QFile journal(path);
    QString cause;
    if (!files::openRegular(journal, QIODevice::ReadOnly, &cause)) {
        // Not a journal this program can use (a folder, a pipe, no permission): said once,
        // then left alone so that appends, which need no journal, go on.
        const QMutexLocker locker(&reportedJournalsMutex());
        if (reportedJournals().contains(path)) return true;
        reportedJournals().insert(path);
        m_error = u"journal "_s + path + u": "_s + cause;
        return false;
    }
    qint64 k = 0;
    QByteArray record;
    const QByteArray name = QFileInfo(m_path).fileName().toUtf8();
    const bool complete =
        parseJournal(journal.read(kJournalFixed + name.size() + m_size + kJournalTail + 1), name,
                     m_size, k, record);
    journal.close();
    // A journal that is not complete was cut short before the archive was touched; one
    // that names another archive (copied here) is not ours. Either is dropped.
    if (complete && k >= 1 && k <= count()) {
        if (!writeInPlace(k, record) || !sync()) return true;
    }
    QFile::remove(path);
    return true;
}

bool RecordFile::close() {
    if (!m_file.isOpen()) return true;
    const bool flushed = m_file.flush();
    m_file.close();
    return flushed || fail(u"close"_s);
}

qint64 RecordFile::count() const {
    return m_file.isOpen() ? m_file.size() / m_size : 0;
}

bool RecordFile::read(qint64 k, QByteArray& record) {
    if (k < 1 || k > count()) {
        m_error = u"record %1 is past the end"_s.arg(k);
        return false;
    }
    if (!m_file.seek((k - 1) * m_size)) return fail(u"seek"_s);
    record.resize(m_size);
    if (m_file.read(record.data(), m_size) != m_size) return fail(u"read"_s);
    return true;
}

bool RecordFile::write(qint64 k, const QByteArray& record) {
    if (!m_file.isOpen()) {
        m_error = u"not open"_s;
        return false;
    }
    const Exclusive exclusive(m_file);
    if (!exclusive.locked()) return failLocking();
    return writeLocked(k, record);
}

bool RecordFile::writeLocked(qint64 k, const QByteArray& record) {
    // Another program may have stopped half-way since this file was opened.
    if (!settleJournal()) return false;
    const qint64 records = count();
    if (k < 1 || k > records + 1 || record.size() != m_size) {
        m_error = u"record %1 is past the end"_s.arg(k);
        return false;
    }
    return k == records + 1 ? appendAt(k, record) : overwrite(k, record);
}

RecordFile::Replaced RecordFile::replace(qint64 k, const QByteArray& expected,
                                         const QByteArray& record) {
    if (!m_file.isOpen()) {
        m_error = u"not open"_s;
        return Replaced::Failed;
    }
    const Exclusive exclusive(m_file);
    if (!exclusive.locked()) {
        failLocking();
        return Replaced::Failed;
    }
    if (!settleJournal()) return Replaced::Failed;
    QByteArray stored;
    if (!read(k, stored)) return Replaced::Failed;
    if (stored != expected) return Replaced::Changed;
    return writeLocked(k, record) ? Replaced::Yes : Replaced::Failed;
}

qint64 RecordFile::append(const QByteArray& record) {
    if (!m_file.isOpen()) {
        m_error = u"not open"_s;
        return 0;
    }
    // The number is taken under the lock: another program appending at the same moment
    // gets the next one, never the same.
    const Exclusive exclusive(m_file);
    if (!exclusive.locked()) {
        failLocking();
        return 0;
    }
    const qint64 k = count() + 1;
    return writeLocked(k, record) ? k : 0;
}

bool RecordFile::sync() {
    if (m_syncs && !syncData(m_file.handle())) {
        m_error = u"sync: "_s + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

bool RecordFile::writeInPlace(qint64 k, const QByteArray& record) {
    // Unbuffered, and every read seeks first: writing past QFile leaves nothing stale.
    const QString cause = writeAt(m_file.handle(), record.constData(), m_size, (k - 1) * m_size);
    if (cause.isEmpty()) return true;
    m_error = u"write: "_s + cause;
    return false;
}

bool RecordFile::appendAt(qint64 k, const QByteArray& record) {
    if (writeInPlace(k, record) && sync()) return true;
    // The part that fitted (a full disk) would be taken for a record by no one, but it
    // must not stay: the file keeps exactly its whole records.
    const QString cause = m_error;
    m_file.resize((k - 1) * m_size);
    m_error = cause;
    return false;
}

bool RecordFile::overwrite(qint64 k, const QByteArray& record) {
    QFile journal(journalPath());
    const QByteArray entry = journalBytes(QFileInfo(m_path).fileName().toUtf8(), k, record);
    QString cause;
    if (!files::openRegular(
            journal, QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered, &cause)) {
        m_error = u"journal: "_s + cause;
        return false;
    }
    QString failed = writeAt(journal.handle(), entry.constData(), entry.size(), 0);
    if (failed.isEmpty() && m_syncs && !syncData(journal.handle()))
        failed = u"sync: "_s + QString::fromLocal8Bit(std::strerror(errno));
    if (!failed.isEmpty()) {
        m_error = u"journal: "_s + failed;
        journal.close();
        QFile::remove(journalPath());
        return false;
    }
    journal.close();
    // The journal reaches the disk before the archive is touched: after a power cut the
    // next open finds either the old record and no journal, or the journal.
    if (m_syncs) files::syncFolder(QFileInfo(m_path).absolutePath());
    // Past this point the journal holds the new record: should the write in place stop
    // half-way, the next open completes it.
    if (!writeInPlace(k, record) || !sync()) return false;
    QFile::remove(journalPath());
    return true;
}

bool RecordFile::touch(const QString& path, int recordSize) {
    RecordFile file(path, recordSize);
    return file.open() && file.close();
}

bool RecordFile::scan(const QString& path, int recordSize,
                      const std::function<bool(qint64, const char*)>& visit) {
    return scanBlocks(path, recordSize, [&](qint64 first, const char* records, qint64 count) {
        for (qint64 i = 0; i < count; ++i)
            if (!visit(first + i, records + i * recordSize)) return false;
        return true;
    });
}

bool RecordFile::scanBlocks(const QString& path, int recordSize,
                            const std::function<bool(qint64, const char*, qint64)>& visit,
                            QString* error) {
    QFile file(path);
    if (!file.exists()) return true;
    QString cause;
    if (!files::openRegular(file, QIODevice::ReadOnly | QIODevice::Unbuffered, &cause)) {
        if (error) *error = u"open: "_s + cause;
        return false;
    }
    // Block reads, never a memory map: a file that another program shrinks meanwhile
    // gives a short read here, where a map would fault. About 4 MiB a read.
    const qint64 blockRecords = std::max<qint64>(1, (4 << 20) / recordSize);
    QByteArray block(blockRecords * recordSize, Qt::Uninitialized);
    qint64 next = 1;
    for (;;) {
        qint64 got = 0;
        while (got < block.size()) {
            const qint64 n = file.read(block.data() + got, block.size() - got);
            if (n < 0) {
                if (error) *error = u"read: "_s + file.errorString();
                return false;
            }
            if (n == 0) break;
            got += n;
        }
        const qint64 whole = got / recordSize;
        if (whole > 0 && !visit(next, block.constData(), whole)) return true;
        next += whole;
        if (got < block.size()) return true;
    }
}

} // namespace tavolex::records
