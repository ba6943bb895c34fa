#include "serversetup.h"

#include "records/store.h"
#include "search/everywhere.h"
#include "serverconnection.h"
#include "serverschema.h"

namespace tavolex::server {

using namespace Qt::Literals::StringLiterals;

QString checkServer(const QString& connection) {
    ServerConnection server(connection);
    if (!server.isOpen()) return server.error();
    QString cause;
    return ensureSchema(server, &cause) ? QString() : cause;
}

namespace {

// The copy's statements, run inside the caller's transaction.
class CopyOnto {
public:
    explicit CopyOnto(ServerConnection& server) : m_server(server) {}

    // Whether any archive or record is there, with the tables locked until the transaction
    // ends, so that a station saving meanwhile waits for the copy.
    bool isEmpty(bool& empty) {
        if (!m_server.exec("LOCK TABLE archives, records IN EXCLUSIVE MODE")) return false;
        const QueryResult found =
            m_server.run("SELECT (SELECT count(*) FROM archives) + (SELECT count(*) FROM records)");
        if (!found.ok()) return false;
        empty = found.number(0, 0) == 0;
        return true;
    }

    bool copy(const records::ArchiveStore& from, records::ArchiveId id, ServerCopy& done) {
        const QList<Param> key = {Param::text(QString::fromUtf16(id.entry->title)),
                                  Param::text(id.year)};
        if (!m_server.exec("INSERT INTO archives (kind, year, changes) VALUES ($1, $2, 1)", key))
            return false;
        records::StoreError error;
        bool written = true;
        const bool scanned = records::forEachRecord(
            *from.archive(id),
            [&](qint64 number, const char* record) {
                written = m_server.exec(
                    "INSERT INTO records (kind, year, number, data)"
                    " VALUES ($1, $2, $3, $4)",
                    key + QList<Param>{Param::number(number),
                                       Param::bytes(QByteArray(record, id.recordSize()))});
                if (written) ++done.records;
                return written;
            },
            &error);
        // A stop asked for by the visitor is no read failure: the server's error says why.
        if (!scanned && written) m_readError = error.text();
        if (!scanned || !written) return false;
        ++done.archives;
        return true;
    }

    // The cause of the last failure: an archive that could not be read, or the server's.
    QString cause() const { return m_readError.isEmpty() ? m_server.error() : m_readError; }

private:
    ServerConnection& m_server;
    QString m_readError;
};

} // namespace

ServerCopy copyToEmptyServer(const records::ArchiveStore& from, const QString& connection) {
    ServerCopy done;
    ServerConnection server(connection);
    if (!server.isOpen()) {
        done.cause = server.error();
        return done;
    }
    if (!ensureSchema(server, &done.cause)) return done;
    CopyOnto onto(server);
    bool empty = false;
    if (!server.begin() || !onto.isEmpty(empty)) {
        server.rollback();
        done.cause = server.error();
        return done;
    }
    if (!empty) {
        server.rollback();
        done.outcome = ServerCopy::Outcome::ServerNotEmpty;
        return done;
    }
    for (const records::ArchiveId& id : search::archivesIn(from)) {
        if (!onto.copy(from, id, done)) {
            done.cause = onto.cause();
            server.rollback();
            done.archives = 0;
            done.records = 0;
            return done;
        }
    }
    if (!server.commit()) {
        done.cause = server.error();
        done.archives = 0;
        done.records = 0;
        return done;
    }
    done.outcome = ServerCopy::Outcome::Copied;
    return done;
}

} // namespace tavolex::server
