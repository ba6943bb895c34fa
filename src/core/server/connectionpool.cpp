#include "connectionpool.h"

#include "serverschema.h"

namespace tavolex::server {

PooledConnection::PooledConnection(std::shared_ptr<ConnectionPool> pool,
                                   std::unique_ptr<ServerConnection> connection)
    : m_pool(std::move(pool)), m_connection(std::move(connection)) {}

PooledConnection::~PooledConnection() {
    m_pool->giveBack(std::move(m_connection));
}

ConnectionPool::ConnectionPool(QString connectionString)
    : m_connectionString(std::move(connectionString)) {}

std::unique_ptr<PooledConnection> ConnectionPool::take(QString* error) {
    std::unique_ptr<ServerConnection> connection;
    bool schemaChecked = false;
    {
        std::lock_guard lock(m_mutex);
        if (!m_idle.empty()) {
            connection = std::move(m_idle.back());
            m_idle.pop_back();
        }
        schemaChecked = m_schemaChecked;
    }
    // An idle connection the server closed meanwhile (a restart) is replaced, not reported.
    if (connection && !connection->stillUsable()) connection.reset();
    if (!connection) connection = std::make_unique<ServerConnection>(m_connectionString);
    if (!connection->isOpen()) {
        if (error) *error = connection->error();
        return nullptr;
    }
    if (!schemaChecked) {
        if (!ensureSchema(*connection, error)) return nullptr;
        std::lock_guard lock(m_mutex);
        m_schemaChecked = true;
    }
    return std::make_unique<PooledConnection>(shared_from_this(), std::move(connection));
}

void ConnectionPool::giveBack(std::unique_ptr<ServerConnection> connection) {
    // A lost connection is dropped: the next action connects again.
    if (!connection || !connection->isOpen()) return;
    std::lock_guard lock(m_mutex);
    if (m_idle.size() < kIdleKept) m_idle.push_back(std::move(connection));
}

} // namespace tavolex::server
