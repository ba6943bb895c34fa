#pragma once

#include "files/safewrite.h"

#include <QString>

namespace tavolex::server {

// Why a connection string may not be kept in the settings file.
enum class ConnectionRefusal {
    None,
    // It names a password: the file is plain text, readable by anyone who copies the folder;
    // libpq takes the password from ~/.pgpass instead.
    HoldsPassword,
    // A character the Windows-1252 settings file would not keep as typed.
    NotAscii,
    // libpq cannot read it.
    Malformed,
};

ConnectionRefusal refusalOf(const QString& connection);

// Section [Archivio], key Connessione: the libpq connection string of the server the
// archives are kept on; empty (the default) keeps them in the program folder.
QString loadConnection(const QString& settingsPath);
// Writes the key, trimmed; a refused string is not written and the result says why.
files::WriteResult saveConnection(const QString& settingsPath, const QString& connection);

} // namespace tavolex::server
