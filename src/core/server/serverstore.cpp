#include "serverstore.h"

#include "connectionpool.h"
#include "serverconnection.h"

#include <QtEndian>
#include <cstring>

namespace tavolex::server {

using namespace Qt::Literals::StringLiterals;
using records::ArchiveId;
using records::StoreError;
using records::WriteOutcome;

namespace {

QList<Param> keyOf(const ArchiveId& id) {
    return {Param::text(QString::fromUtf16(id.entry->title)), Param::number(id.year)};
}

// Binary COPY rows of (number, data) gathered into blocks of whole records, numbered from 1
// without gaps. Any other row is a damaged archive: it ends the scan, never handing out a
// record of another size.
class BlockAssembler {
public:
    BlockAssembler(int recordSize, const records::BlockVisitor& visit)
        : m_size(recordSize), m_capacity(std::max(1, kBlockBytes / recordSize)), m_visit(visit) {
        m_buffer.resize(qsizetype(m_capacity) * m_size);
    }

    // One message of the COPY; false when the scan ends here (damage, or the visitor stopped).
    bool take(const char* data, int length) {
        const char* end = data + length;
        if (!m_headerSeen && !skipHeader(data, end)) return false;
        while (data < end) {
            if (!takeRow(data, end)) return false;
        }
        return true;
    }
    // Hands out the last records gathered; false when the visitor stopped.
    bool finish() { return m_inBlock == 0 || deliver(); }

    bool stopped() const { return m_stopped; }
    const QString& damage() const { return m_damage; }

private:
    static constexpr int kBlockBytes = 1 << 20;

    bool damaged(const QString& what) {
        m_damage = what;
        return false;
    }

    bool skipHeader(const char*& data, const char* end) {
        // "PGCOPY\n\377\r\n\0", flags, then the length of a header extension to skip.
        static constexpr char kSignature[] = "PGCOPY\n\377\r\n";
        constexpr int kFixed = 11 + 4 + 4;
        if (end - data < kFixed || std::memcmp(data, kSignature, 11) != 0)
            return damaged(u"risposta del server non riconosciuta"_s);
        const qint32 extension = qFromBigEndian<qint32>(data + 15);
        if (extension < 0 || end - data < kFixed + extension)
            return damaged(u"risposta del server non riconosciuta"_s);
        data += kFixed + extension;
        m_headerSeen = true;
        return true;
    }

    bool takeRow(const char*& data, const char* end) {
        if (end - data < 2) return damaged(u"risposta del server troncata"_s);
        const qint16 fields = qFromBigEndian<qint16>(data);
        data += 2;
        if (fields == -1) { // the trailer
            data = end;
            return true;
        }
        if (fields != 2 || end - data < 4 + 8 + 4 || qFromBigEndian<qint32>(data) != 8)
            return damaged(u"risposta del server non riconosciuta"_s);
        const qint64 number = qFromBigEndian<qint64>(data + 4);
        const qint32 length = qFromBigEndian<qint32>(data + 12);
        data += 16;
        const qint64 expected = m_next;
        if (number != expected) return damaged(u"manca il record %1"_s.arg(expected));
        if (length != m_size)
            return damaged(
                u"il record %1 \u00E8 di %2 byte invece di %3"_s.arg(number).arg(length).arg(
                    m_size));
        if (end - data < length) return damaged(u"risposta del server troncata"_s);
        std::memcpy(m_buffer.data() + qsizetype(m_inBlock) * m_size, data, size_t(length));
        data += length;
        ++m_next;
        if (++m_inBlock == m_capacity) return deliver();
        return true;
    }

    bool deliver() {
        records::RecordBlock block;
        block.data = m_buffer.constData();
        block.count = m_inBlock;
        block.first = m_next - m_inBlock;
        block.size = m_size;
        m_inBlock = 0;
        if (m_visit(block)) return true;
        m_stopped = true;
        return false;
    }

    const int m_size;
    const int m_capacity;
    const records::BlockVisitor& m_visit;
    QByteArray m_buffer;
    int m_inBlock = 0;
    qint64 m_next = 1;
    bool m_headerSeen = false;
    bool m_stopped = false;
    QString m_damage;
};

} // namespace

ServerStore::ServerStore(const QString& connectionString)
    : m_pool(std::make_shared<ConnectionPool>(connectionString)) {}

std::unique_ptr<records::Archive> ServerStore::archive(ArchiveId id) const {
    return std::make_unique<ServerArchive>(m_pool, id);
}

QList<int> ServerStore::years(const records::ArchiveEntry& entry) const {
    QList<int> years;
    if (!entry.isYearly()) return years;
    const auto connection = m_pool->take(nullptr);
    if (!connection) return years;
    const QueryResult found =
        (*connection)
            ->run("SELECT year FROM archives WHERE kind = $1 AND year > 0 ORDER BY year",
                  {Param::text(QString::fromUtf16(entry.title))});
    for (int row = 0; row < found.rows(); ++row)
        years.append(int(found.number(row, 0)));
    return years;
}

ServerArchive::ServerArchive(std::shared_ptr<ConnectionPool> pool, ArchiveId id)
    : m_pool(std::move(pool)), m_id(id) {}

QString ServerArchive::name() const {
    return m_id.fileName() + u" (archivio condiviso)"_s;
}

bool ServerArchive::exists() const {
    const auto connection = connect(nullptr);
    if (!connection) return false;
    return (*connection)
               ->run("SELECT 1 FROM archives WHERE kind = $1 AND year = $2", keyOf(m_id))
               .rows() == 1;
}

std::unique_ptr<records::OpenArchive> ServerArchive::open(StoreError* error) const {
    auto connection = connect(error);
    if (!connection || !prepareOn(*connection, error)) return nullptr;
    return std::make_unique<ServerOpenArchive>(std::move(connection), m_id, name());
}

bool ServerArchive::prepare(StoreError* error) const {
    const auto connection = connect(error);
    return connection && prepareOn(*connection, error);
}

bool ServerArchive::scan(const records::BlockVisitor& visit, StoreError* error) const {
    const auto connection = connect(error);
    if (!connection) return false;
    // COPY takes no bound parameters: the archive's key reaches it as two session settings,
    // set through a parameterised statement.
    if (!(*connection)
             ->exec("SELECT set_config('tavolex.scan_kind', $1, false),"
                    " set_config('tavolex.scan_year', $2, false)",
                    keyOf(m_id)))
        return fail(error, (*connection)->error());
    BlockAssembler blocks(recordSize(), visit);
    const bool copied =
        (*connection)
            ->copyOut(
                "COPY (SELECT number, data FROM records"
                " WHERE kind = current_setting('tavolex.scan_kind')"
                " AND year = current_setting('tavolex.scan_year')::integer ORDER BY number)"
                " TO STDOUT (FORMAT binary)",
                [&blocks](const char* data, int length) { return blocks.take(data, length); });
    if (!blocks.damage().isEmpty())
        return fail(error, u"archivio danneggiato: "_s + blocks.damage());
    if (!copied) return fail(error, (*connection)->error());
    if (!blocks.stopped()) blocks.finish();
    return true;
}

QByteArray ServerArchive::version() const {
    const auto connection = connect(nullptr);
    if (!connection) return {};
    const QueryResult found =
        (*connection)
            ->run("SELECT changes FROM archives WHERE kind = $1 AND year = $2", keyOf(m_id));
    return found.rows() == 1 ? found.value(0, 0) : QByteArray();
}

std::unique_ptr<PooledConnection> ServerArchive::connect(StoreError* error) const {
    QString cause;
    auto connection = m_pool->take(&cause);
    if (!connection) fail(error, cause);
    return connection;
}

bool ServerArchive::prepareOn(PooledConnection& connection, StoreError* error) const {
    if (connection->exec("INSERT INTO archives (kind, year) VALUES ($1, $2) ON CONFLICT DO NOTHING",
                         keyOf(m_id)))
        return true;
    return fail(error, connection->error());
}

bool ServerArchive::fail(StoreError* error, const QString& cause) const {
    if (error) *error = {name(), cause};
    return false;
}

ServerOpenArchive::ServerOpenArchive(std::unique_ptr<PooledConnection> connection, ArchiveId id,
                                     QString name)
    : m_connection(std::move(connection)), m_id(id), m_name(std::move(name)) {}

ServerOpenArchive::~ServerOpenArchive() = default;

qint64 ServerOpenArchive::count() {
    if (!isOpen()) return -1;
    // Numbers run from 1 without gaps, so the last one is the count, found in the index.
    const QueryResult found =
        (*m_connection)
            ->run("SELECT coalesce(max(number), 0) FROM records WHERE kind = $1 AND year = $2",
                  keyOf(m_id));
    if (!found.ok()) {
        failOnServer();
        return -1;
    }
    return found.number(0, 0);
}

bool ServerOpenArchive::read(qint64 k, QByteArray& record) {
    if (!isOpen()) return false;
    const QueryResult found = (*m_connection)
                                  ->run("SELECT data FROM records"
                                        " WHERE kind = $1 AND year = $2 AND number = $3",
                                        keyOf(m_id) << Param::number(k), ResultFormat::Binary);
    if (!found.ok()) {
        failOnServer();
        return false;
    }
    if (found.rows() == 0) return fail(u"il record %1 non c'\u00E8"_s.arg(k));
    const QByteArray bytes = found.value(0, 0);
    if (bytes.size() != m_id.recordSize())
        return fail(u"archivio danneggiato: il record %1 \u00E8 di %2 byte invece di %3"_s.arg(k)
                        .arg(bytes.size())
                        .arg(m_id.recordSize()));
    record = bytes;
    return true;
}

qint64 ServerOpenArchive::append(const QByteArray& record) {
    if (!isOpen() || !hasRecordSize(record)) return 0;
    ServerConnection& connection = **m_connection;
    // The archive's row is locked before the last number is read: a second station's append
    // waits here, then numbers after this one.
    if (!connection.begin() || !bumpChanges()) {
        failOnServer();
        return 0;
    }
    const QueryResult added =
        connection.run("INSERT INTO records (kind, year, number, data)"
                       " SELECT $1, $2, coalesce(max(number), 0) + 1, $3 FROM records"
                       " WHERE kind = $1 AND year = $2 RETURNING number",
                       keyOf(m_id) << Param::bytes(record));
    if (!added.ok() || added.rows() != 1 || !connection.commit()) {
        failOnServer();
        return 0;
    }
    return added.number(0, 0);
}

WriteOutcome ServerOpenArchive::overwrite(qint64 k, const QByteArray& expected,
                                          const QByteArray& record) {
    if (!isOpen() || !hasRecordSize(record)) return WriteOutcome::Failed;
    ServerConnection& connection = **m_connection;
    // The archive's row first, as append takes it, so two writers never wait on each other
    // crosswise.
    if (!connection.begin() || !bumpChanges()) return failOnServer();
    const QList<Param> key = keyOf(m_id) << Param::number(k);
    const QueryResult written =
        connection.run("UPDATE records SET data = $4, version = version + 1"
                       " WHERE kind = $1 AND year = $2 AND number = $3 AND data = $5",
                       QList<Param>(key) << Param::bytes(record) << Param::bytes(expected));
    if (!written.ok()) return failOnServer();
    if (written.affected() == 1)
        return connection.commit() ? WriteOutcome::Written : failOnServer();
    // Nothing written: the record changed since it was read, or is not there at all.
    const QueryResult found =
        connection.run("SELECT 1 FROM records WHERE kind = $1 AND year = $2 AND number = $3", key);
    if (!found.ok()) return failOnServer();
    connection.rollback();
    if (found.rows() == 1) {
        fail(u"il record %1 \u00E8 stato cambiato da un'altra postazione"_s.arg(k));
        return WriteOutcome::Conflict;
    }
    fail(u"il record %1 non c'\u00E8"_s.arg(k));
    return WriteOutcome::Failed;
}

bool ServerOpenArchive::close() {
    m_connection.reset(); // every write was committed as it was made
    return true;
}

bool ServerOpenArchive::fail(const QString& cause) {
    m_error = {m_name, cause};
    return false;
}

WriteOutcome ServerOpenArchive::failOnServer() {
    const QString cause = (*m_connection)->error();
    (*m_connection)->rollback();
    fail(cause);
    return WriteOutcome::Failed;
}

bool ServerOpenArchive::isOpen() {
    return m_connection || fail(u"l'archivio \u00E8 gi\u00E0 chiuso"_s);
}

bool ServerOpenArchive::hasRecordSize(const QByteArray& record) {
    if (record.size() == m_id.recordSize()) return true;
    return fail(u"un record di %1 byte non va in un archivio di record di %2"_s.arg(record.size())
                    .arg(m_id.recordSize()));
}

bool ServerOpenArchive::bumpChanges() {
    // Also makes a missing archive's row, and locks it until the transaction ends.
    return (*m_connection)
        ->exec("INSERT INTO archives (kind, year, changes) VALUES ($1, $2, 1)"
               " ON CONFLICT (kind, year) DO UPDATE SET changes = archives.changes + 1",
               keyOf(m_id));
}

} // namespace tavolex::server
