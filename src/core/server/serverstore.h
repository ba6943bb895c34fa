#pragma once

#include "records/store.h"

#include <memory>

namespace tavolex::server {

class ConnectionPool;
class PooledConnection;

// The archives kept in tables of a PostgreSQL database, shared by every station that connects
// to it. An archive is one row of `archives`, named by its catalogue title ("Clienti",
// "Protocollo") and year as the year menus take it ("2026"; empty for a single archive); its
// records are rows of `records`
// numbered from 1 without gaps, each holding the record's exact bytes.
class ServerStore : public records::ArchiveStore {
public:
    // `connectionString` in libpq's form; empty for libpq's environment defaults.
    explicit ServerStore(const QString& connectionString);

    std::unique_ptr<records::Archive> archive(records::ArchiveId id) const override;
    QList<int> years(const records::ArchiveEntry& entry) const override;

private:
    std::shared_ptr<ConnectionPool> m_pool;
};

class ServerArchive : public records::Archive {
public:
    ServerArchive(std::shared_ptr<ConnectionPool> pool, records::ArchiveId id);

    int recordSize() const override { return m_id.recordSize(); }
    // "2026.prt (archivio condiviso)".
    QString name() const override;
    bool exists() const override;
    std::unique_ptr<records::OpenArchive> open(records::StoreError* error = nullptr) const override;
    bool prepare(records::StoreError* error = nullptr) const override;
    bool scan(const records::BlockVisitor& visit,
              records::StoreError* error = nullptr) const override;
    // The number of writes the archive has had.
    QByteArray version() const override;

private:
    std::unique_ptr<PooledConnection> connect(records::StoreError* error) const;
    bool prepareOn(PooledConnection& connection, records::StoreError* error) const;
    bool fail(records::StoreError* error, const QString& cause) const;

    std::shared_ptr<ConnectionPool> m_pool;
    records::ArchiveId m_id;
};

// An archive opened on one pooled connection. Each write is a transaction of its own, so a
// lost connection leaves it whole or not at all; close() has nothing left to make last.
class ServerOpenArchive : public records::OpenArchive {
public:
    ServerOpenArchive(std::unique_ptr<PooledConnection> connection, records::ArchiveId id,
                      QString name);
    ~ServerOpenArchive() override;

    qint64 count() override;
    bool read(qint64 k, QByteArray& record) override;
    qint64 append(const QByteArray& record) override;
    records::WriteOutcome overwrite(qint64 k, const QByteArray& expected,
                                    const QByteArray& record) override;
    bool close() override;

private:
    bool fail(const QString& cause);
    // Drops the transaction after a statement failed, keeping the server's message.
    records::WriteOutcome failOnServer();
    bool isOpen();
    bool hasRecordSize(const QByteArray& record);
    bool bumpChanges();

    std::unique_ptr<PooledConnection> m_connection;
    records::ArchiveId m_id;
    QString m_name;
};

} // namespace tavolex::server
