#pragma once

#include <QString>

namespace tavolex::server {

class ServerConnection;

// The newest layout of the tables that this program knows.
constexpr int kSchemaVersion = 1;

// Makes the tables the archives are kept in, or brings them up to this program's layout, in
// one transaction that two stations starting at once take in turn. False, with the cause in
// `error`, also for a database already brought further by a newer program, which is left as
// it is.
bool ensureSchema(ServerConnection& connection, QString* error = nullptr);

} // namespace tavolex::server
