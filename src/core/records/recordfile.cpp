#include "recordfile.h"

#include <QFileInfo>
#include <QtEndian>
#include <array>

namespace tavolex::records {

using namespace Qt::Literals::StringLiterals;

namespace {

// Journal: magic, record number, record size, the record, then a checksum of all that.
constexpr std::array<char, 8> kJournalMagic = {'T', 'V', 'X', 'J', 'R', 'N', 'L', '1'};
constexpr qint64 kJournalHead = qint64(kJournalMagic.size()) + 8 + 4;
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

QByteArray journalBytes(qint64 k, const QByteArray& record) {
    QByteArray bytes(kJournalHead + record.size() + kJournalTail, Qt::Uninitialized);
    char* out = bytes.data();
    std::copy(kJournalMagic.begin(), kJournalMagic.end(), out);
    qToLittleEndian<qint64>(k, out + kJournalMagic.size());
    qToLittleEndian<qint32>(qint32(record.size()), out + kJournalMagic.size() + 8);
    std::copy(record.begin(), record.end(), out + kJournalHead);
    const qint64 body = kJournalHead + record.size();
    qToLittleEndian<quint64>(checksum(out, body), out + body);
    return bytes;
}

// The record number and bytes of a complete journal for records of `size` bytes.
bool parseJournal(const QByteArray& bytes, int size, qint64& k, QByteArray& record) {
    if (bytes.size() != kJournalHead + size + kJournalTail) return false;
    const char* in = bytes.constData();
    if (!std::equal(kJournalMagic.begin(), kJournalMagic.end(), in)) return false;
    if (qFromLittleEndian<qint32>(in + kJournalMagic.size() + 8) != size) return false;
    const qint64 body = kJournalHead + size;
    if (qFromLittleEndian<quint64>(in + body) != checksum(in, body)) return false;
    k = qFromLittleEndian<qint64>(in + kJournalMagic.size());
    record = bytes.mid(kJournalHead, size);
    return true;
}

} // namespace

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

bool RecordFile::open() {
    // ReadWrite without Truncate creates a missing file and keeps an existing one.
    // Unbuffered: a failed write must not linger in a buffer that close() retries.
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) return fail(u"open"_s);
    settleJournal();
    return true;
}

void RecordFile::settleJournal() {
    QFile journal(journalPath());
    if (!journal.exists()) return;
    qint64 k = 0;
    QByteArray record;
    const bool complete =
        journal.open(QIODevice::ReadOnly) &&
        parseJournal(journal.read(kJournalHead + m_size + kJournalTail + 1), m_size, k, record);
    journal.close();
    // A journal that is not complete was cut short before the archive was touched.
    if (complete && k >= 1 && k <= count() && !writeInPlace(k, record)) return;
    journal.remove();
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
    const qint64 records = count();
    if (k < 1 || k > records + 1 || record.size() != m_size) {
        m_error = u"record %1 is past the end"_s.arg(k);
        return false;
    }
    return k == records + 1 ? appendAt(k, record) : overwrite(k, record);
}

qint64 RecordFile::append(const QByteArray& record) {
    const qint64 k = count() + 1;
    return write(k, record) ? k : 0;
}

bool RecordFile::writeInPlace(qint64 k, const QByteArray& record) {
    if (!m_file.seek((k - 1) * m_size)) return fail(u"seek"_s);
    if (m_file.write(record.constData(), m_size) != m_size || !m_file.flush())
        return fail(u"write"_s);
    return true;
}

bool RecordFile::appendAt(qint64 k, const QByteArray& record) {
    if (writeInPlace(k, record)) return true;
    // The part that fitted (a full disk) would be taken for a record by no one, but it
    // must not stay: the file keeps exactly its whole records.
    const QString cause = m_error;
    m_file.resize((k - 1) * m_size);
    m_error = cause;
    return false;
}

bool RecordFile::overwrite(qint64 k, const QByteArray& record) {
    QFile journal(journalPath());
    const QByteArray entry = journalBytes(k, record);
    if (!journal.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) ||
        journal.write(entry) != entry.size() || !journal.flush()) {
        m_error = u"journal: "_s + journal.errorString();
        journal.close();
        journal.remove();
        return false;
    }
    journal.close();
    // Past this point the journal holds the new record: should the write in place stop
    // half-way, the next open completes it.
    if (!writeInPlace(k, record)) return false;
    journal.remove();
    return true;
}

bool RecordFile::touch(const QString& path, int recordSize) {
    RecordFile file(path, recordSize);
    return file.open() && file.close();
}

bool RecordFile::scan(const QString& path, int recordSize,
                      const std::function<bool(qint64, const char*)>& visit) {
    QFile file(path);
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return false;
    // Block reads, never a memory map: a file that another program shrinks meanwhile
    // gives a short read here, where a map would fault.
    constexpr qint64 kBlockRecords = 512;
    QByteArray block(kBlockRecords * recordSize, Qt::Uninitialized);
    qint64 next = 1;
    for (;;) {
        qint64 got = 0;
        while (got < block.size()) {
            const qint64 n = file.read(block.data() + got, block.size() - got);
            if (n < 0) return false;
            if (n == 0) break;
            got += n;
        }
        const qint64 whole = got / recordSize;
        for (qint64 i = 0; i < whole; ++i, ++next)
            if (!visit(next, block.constData() + i * recordSize)) return true;
        if (got < block.size()) return true;
    }
}

} // namespace tavolex::records
