#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

// libpq's handles, named without its header so that users of the server store need none.
struct pg_conn;
struct pg_result;

namespace tavolex::server {

// One value bound to a statement's $n: text (names, numbers) or raw bytes (a record, sent as
// bytea without any escaping).
struct Param {
    QByteArray value;
    bool binary = false;

    static Param text(const QString& text) { return {text.toUtf8(), false}; }
    static Param number(qint64 number) { return {QByteArray::number(number), false}; }
    static Param bytes(const QByteArray& bytes) { return {bytes, true}; }
};

// The rows a statement gave, or its failure.
class QueryResult {
public:
    QueryResult() = default;
    explicit QueryResult(pg_result* result);

    bool ok() const;
    int rows() const;
    // Rows an INSERT, UPDATE or DELETE touched.
    qint64 affected() const;
    bool isNull(int row, int column) const;
    // The value as sent: text, or the raw bytes of a column asked for in binary.
    QByteArray value(int row, int column) const;
    // The value's bytes in place, valid while the result lives, and their length.
    const char* data(int row, int column) const;
    int length(int row, int column) const;
    // A text column holding a whole number; `fallback` for NULL.
    qint64 number(int row, int column, qint64 fallback = 0) const;

private:
    struct Free {
        void operator()(pg_result* result) const;
    };
    std::unique_ptr<pg_result, Free> m_result;
};

enum class ResultFormat { Text, Binary };

// A connection to the database server, open while the object lives. Every failing call keeps
// libpq's message in error().
class ServerConnection {
public:
    // `connectionString` in libpq's form ("host=... dbname=..." or a postgresql:// URI); empty
    // takes libpq's environment defaults (PGHOST, PGPORT, PGUSER, PGDATABASE...). Unless the
    // string says otherwise, a server that stops answering is given up on within about ten
    // seconds, while connecting and on an open connection alike.
    explicit ServerConnection(const QString& connectionString);
    ~ServerConnection();

    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    // Connected, and the connection not lost since.
    bool isOpen() const;
    // For a connection idle since its last statement: open, and not being closed by the
    // server (a restart, an administrator), so that no statement fails on it.
    bool stillUsable() const;
    const QString& error() const { return m_error; }
    // The value a connection setting has on this connection ("keepalives_idle"), empty
    // when unset.
    QString setting(const char* keyword) const;

    // Runs `sql` with $1, $2... bound to `params`. Failures are in error().
    QueryResult run(const char* sql, const QList<Param>& params = {},
                    ResultFormat format = ResultFormat::Text);
    // Runs a statement that returns no rows; false after failing.
    bool exec(const char* sql, const QList<Param>& params = {});

    bool begin() { return exec("BEGIN"); }
    bool commit() { return exec("COMMIT"); }
    // Drops the open transaction, keeping the error that made the caller give up.
    void rollback();

    // Runs a `COPY ... TO STDOUT` and hands each row's data to `row` as the server sent it;
    // `row` returning false cancels the rest. False after a failure (error()), not after a
    // stop asked for by `row`.
    bool copyOut(const char* sql, const std::function<bool(const char*, int)>& row);

private:
    bool fail(const QString& cause);
    void cancelRunning();
    QString lastMessage() const;

    pg_conn* m_conn = nullptr;
    QString m_error;
};

} // namespace tavolex::server
