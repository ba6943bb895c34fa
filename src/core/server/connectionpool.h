#pragma once

#include "serverconnection.h"

#include <QString>
#include <memory>
#include <mutex>
#include <vector>

namespace tavolex::server {

class ConnectionPool;

// A connection taken from the pool for one action; back to the pool when dropped.
class PooledConnection {
public:
    PooledConnection(std::shared_ptr<ConnectionPool> pool,
                     std::unique_ptr<ServerConnection> connection);
    ~PooledConnection();
    PooledConnection(const PooledConnection&) = delete;
    PooledConnection& operator=(const PooledConnection&) = delete;

    ServerConnection* operator->() const { return m_connection.get(); }
    ServerConnection& operator*() const { return *m_connection; }

private:
    std::shared_ptr<ConnectionPool> m_pool;
    std::unique_ptr<ServerConnection> m_connection;
};

// Connections to one server kept open between actions, so that a save costs its statements
// and not a new login. Any thread may take one; each connection serves one action at a time.
class ConnectionPool : public std::enable_shared_from_this<ConnectionPool> {
public:
    explicit ConnectionPool(QString connectionString);

    const QString& connectionString() const { return m_connectionString; }
    // An open connection on tables of this program's layout (made or upgraded by the first
    // connection); null after failing, with the cause in `error`.
    std::unique_ptr<PooledConnection> take(QString* error);

private:
    friend class PooledConnection;
    void giveBack(std::unique_ptr<ServerConnection> connection);

    // Enough for a card, a list and a background search at once; more are closed after use.
    static constexpr size_t kIdleKept = 4;

    QString m_connectionString;
    std::mutex m_mutex;
    std::vector<std::unique_ptr<ServerConnection>> m_idle;
    bool m_schemaChecked = false;
};

} // namespace tavolex::server
