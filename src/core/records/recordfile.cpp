#include "recordfile.h"

#include <QFileInfo>

namespace tavolex::records {

using namespace Qt::Literals::StringLiterals;

RecordFile::RecordFile(QString path, int recordSize)
    : m_path(std::move(path)), m_size(recordSize), m_file(m_path) {}

RecordFile::~RecordFile() {
    m_file.close();
}

bool RecordFile::fail(const QString& what) {
    m_error = what + u": "_s + m_file.errorString();
    return false;
}

bool RecordFile::open() {
    // ReadWrite without Truncate creates a missing file and keeps an existing one.
    if (!m_file.open(QIODevice::ReadWrite)) return fail(u"open"_s);
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
    if (k < 1 || k > count() + 1 || record.size() != m_size) {
        m_error = u"record %1 is past the end"_s.arg(k);
        return false;
    }
    if (!m_file.seek((k - 1) * m_size)) return fail(u"seek"_s);
    if (m_file.write(record.constData(), m_size) != m_size || !m_file.flush())
        return fail(u"write"_s);
    return true;
}

qint64 RecordFile::append(const QByteArray& record) {
    const qint64 k = count() + 1;
    return write(k, record) ? k : 0;
}

bool RecordFile::touch(const QString& path, int recordSize) {
    RecordFile file(path, recordSize);
    return file.open() && file.close();
}

bool RecordFile::scan(const QString& path, int recordSize,
                      const std::function<bool(qint64, const char*)>& visit) {
    QFile file(path);
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) return false;
    const qint64 records = file.size() / recordSize;
    if (records == 0) return true;
    const qint64 bytes = records * recordSize;
    // Mapping avoids copying hundreds of megabytes; fall back to block reads.
    if (const uchar* mapped = file.map(0, bytes)) {
        const char* base = reinterpret_cast<const char*>(mapped);
        for (qint64 k = 1; k <= records; ++k)
            if (!visit(k, base + (k - 1) * recordSize)) break;
        file.unmap(const_cast<uchar*>(mapped));
        return true;
    }
    constexpr qint64 kBlockRecords = 1024;
    QByteArray block;
    for (qint64 first = 1; first <= records; first += kBlockRecords) {
        const qint64 n = std::min(kBlockRecords, records - first + 1);
        block.resize(n * recordSize);
        if (file.read(block.data(), block.size()) != block.size()) return false;
        for (qint64 i = 0; i < n; ++i)
            if (!visit(first + i, block.constData() + i * recordSize)) return true;
    }
    return true;
}

} // namespace tavolex::records
