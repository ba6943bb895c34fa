#include "serverconnection.h"

#include <array>
#include <libpq-fe.h>
#include <poll.h>
#include <vector>

namespace tavolex::server {

using namespace Qt::Literals::StringLiterals;

namespace {

// A silent server is noticed after about ten seconds: connecting gives up after 10 s, an open
// connection sends a keepalive after 5 s of quiet and gives up after two more unanswered ones
// 2 s apart, and data the server does not acknowledge within 10 s drops the connection.
constexpr std::array<std::pair<const char*, const char*>, 7> kDefaults = {{
    {"connect_timeout", "10"},
    {"keepalives", "1"},
    {"keepalives_idle", "5"},
    {"keepalives_interval", "2"},
    {"keepalives_count", "2"},
    {"tcp_user_timeout", "10000"},
    {"application_name", "Tavolex"},
}};

} // namespace

QueryResult::QueryResult(pg_result* result) : m_result(result) {}

void QueryResult::Free::operator()(pg_result* result) const {
    PQclear(result);
}

bool QueryResult::ok() const {
    if (!m_result) return false;
    const ExecStatusType status = PQresultStatus(m_result.get());
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

int QueryResult::rows() const {
    return m_result ? PQntuples(m_result.get()) : 0;
}

qint64 QueryResult::affected() const {
    return m_result ? QByteArray(PQcmdTuples(m_result.get())).toLongLong() : 0;
}

bool QueryResult::isNull(int row, int column) const {
    return PQgetisnull(m_result.get(), row, column) != 0;
}

QByteArray QueryResult::value(int row, int column) const {
    return QByteArray(PQgetvalue(m_result.get(), row, column),
                      PQgetlength(m_result.get(), row, column));
}

const char* QueryResult::data(int row, int column) const {
    return PQgetvalue(m_result.get(), row, column);
}

int QueryResult::length(int row, int column) const {
    return PQgetlength(m_result.get(), row, column);
}

qint64 QueryResult::number(int row, int column, qint64 fallback) const {
    if (isNull(row, column)) return fallback;
    return QByteArray(PQgetvalue(m_result.get(), row, column)).toLongLong();
}

ServerConnection::ServerConnection(const QString& connectionString) {
    // Settings are taken in order and a later one wins: the defaults go first, then the
    // caller's string (expanded from "dbname"), so that whatever it sets is kept. An empty
    // value counts as not given, which leaves libpq's environment defaults.
    const QByteArray given = connectionString.toUtf8();
    std::vector<const char*> keys;
    std::vector<const char*> values;
    for (const auto& [key, value] : kDefaults) {
        keys.push_back(key);
        values.push_back(value);
    }
    keys.push_back("dbname");
    values.push_back(given.constData());
    keys.push_back(nullptr);
    values.push_back(nullptr);
    m_conn = PQconnectdbParams(keys.data(), values.data(), 1);
    // The server's notices ("does not exist, skipping") are no failure and not for the user.
    PQsetNoticeProcessor(
        m_conn, [](void*, const char*) {}, nullptr);
    if (PQstatus(m_conn) != CONNECTION_OK) fail(lastMessage());
}

ServerConnection::~ServerConnection() {
    PQfinish(m_conn);
}

bool ServerConnection::isOpen() const {
    return m_conn && PQstatus(m_conn) == CONNECTION_OK;
}

bool ServerConnection::stillUsable() const {
    if (!isOpen()) return false;
    // An idle connection is sent nothing unless the server is closing it: its last error comes
    // first, the end of the stream maybe only later, so anything waiting to be read is enough.
    pollfd waiting{PQsocket(m_conn), POLLIN, 0};
    return ::poll(&waiting, 1, 0) == 0;
}

QString ServerConnection::setting(const char* keyword) const {
    QString value;
    PQconninfoOption* options = PQconninfo(m_conn);
    for (PQconninfoOption* option = options; option && option->keyword; ++option) {
        if (qstrcmp(option->keyword, keyword) == 0 && option->val)
            value = QString::fromUtf8(option->val);
    }
    PQconninfoFree(options);
    return value;
}

QueryResult ServerConnection::run(const char* sql, const QList<Param>& params,
                                  ResultFormat format) {
    std::vector<const char*> values;
    std::vector<int> lengths;
    std::vector<int> formats;
    for (const Param& param : params) {
        values.push_back(param.value.constData());
        lengths.push_back(int(param.value.size()));
        formats.push_back(param.binary ? 1 : 0);
    }
    QueryResult result(PQexecParams(m_conn, sql, int(params.size()), nullptr, values.data(),
                                    lengths.data(), formats.data(),
                                    format == ResultFormat::Binary ? 1 : 0));
    if (!result.ok()) fail(lastMessage());
    return result;
}

bool ServerConnection::exec(const char* sql, const QList<Param>& params) {
    return run(sql, params).ok();
}

void ServerConnection::rollback() {
    if (!isOpen()) return; // the server drops the transaction of a lost connection
    QueryResult(PQexec(m_conn, "ROLLBACK"));
}

bool ServerConnection::copyOut(const char* sql, const std::function<bool(const char*, int)>& row) {
    PGresult* started = PQexec(m_conn, sql);
    const bool copying = PQresultStatus(started) == PGRES_COPY_OUT;
    PQclear(started);
    if (!copying) return fail(lastMessage());
    bool stopped = false;
    for (;;) {
        char* data = nullptr;
        const int length = PQgetCopyData(m_conn, &data, 0);
        if (length < 0) break; // the end, or a failure the COPY's result tells
        if (!stopped && !row(data, length)) {
            stopped = true;
            cancelRunning();
        }
        PQfreemem(data);
    }
    QString cause;
    while (PGresult* result = PQgetResult(m_conn)) {
        if (PQresultStatus(result) != PGRES_COMMAND_OK && cause.isEmpty())
            cause = QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
        PQclear(result);
    }
    if (stopped) return true; // the cancel ends the COPY in an error that was asked for
    if (!cause.isEmpty() || !isOpen()) return fail(cause.isEmpty() ? lastMessage() : cause);
    return true;
}

void ServerConnection::cancelRunning() {
    // Rather than reading the rest of a large COPY nobody wants.
    PGcancel* cancel = PQgetCancel(m_conn);
    if (!cancel) return;
    std::array<char, 256> message{};
    PQcancel(cancel, message.data(), int(message.size()));
    PQfreeCancel(cancel);
}

bool ServerConnection::fail(const QString& cause) {
    m_error = cause.isEmpty() ? u"unknown server error"_s : cause;
    return false;
}

QString ServerConnection::lastMessage() const {
    return QString::fromUtf8(PQerrorMessage(m_conn)).trimmed();
}

} // namespace tavolex::server
