#pragma once

#include <QString>

namespace tavolex::records {
class ArchiveStore;
}

namespace tavolex::server {

// Connects with `connection` and makes the archives' tables, or checks them: empty when the
// server can be used, else the cause.
QString checkServer(const QString& connection);

struct ServerCopy {
    enum class Outcome { Copied, ServerNotEmpty, Failed };
    Outcome outcome = Outcome::Failed;
    int archives = 0;
    qint64 records = 0;
    QString cause; // Failed: why
};

// Copies every archive of `from` record by record onto the server, only while the server holds
// no archive at all: a copy never mixes with archives already shared. One transaction, so a
// failure leaves the server empty and the copy can be tried again.
ServerCopy copyToEmptyServer(const records::ArchiveStore& from, const QString& connection);

} // namespace tavolex::server
