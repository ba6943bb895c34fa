#include "connectionsettings.h"

#include "settings/inifile.h"
#include "settings/programsettings.h"

#include <algorithm>
#include <libpq-fe.h>

namespace tavolex::server {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr settings::TextKey kConnection{u"Archivio", u"Connessione"};

// libpq's own parser, so that "password =", a quoted value and a URI's user:secret@ are all
// seen as the password they are.
ConnectionRefusal parsedRefusal(const QByteArray& connection) {
    char* failure = nullptr;
    PQconninfoOption* options = PQconninfoParse(connection.constData(), &failure);
    if (!options) {
        PQfreemem(failure);
        return ConnectionRefusal::Malformed;
    }
    bool password = false;
    for (const PQconninfoOption* option = options; option->keyword; ++option)
        if (qstrcmp(option->keyword, "password") == 0 && option->val) password = true;
    PQconninfoFree(options);
    return password ? ConnectionRefusal::HoldsPassword : ConnectionRefusal::None;
}

} // namespace

ConnectionRefusal refusalOf(const QString& connection) {
    if (std::any_of(connection.cbegin(), connection.cend(),
                    [](QChar c) { return c.unicode() > 0x7F; }))
        return ConnectionRefusal::NotAscii;
    const QByteArray bytes = connection.trimmed().toLatin1();
    return bytes.isEmpty() ? ConnectionRefusal::None : parsedRefusal(bytes);
}

QString loadConnection(const QString& settingsPath) {
    return kConnection.read(settings::IniFile(settingsPath)).trimmed();
}

files::WriteResult saveConnection(const QString& settingsPath, const QString& connection) {
    if (refusalOf(connection) != ConnectionRefusal::None)
        return files::WriteResult::failure(u"connection string refused"_s);
    settings::IniFile ini(settingsPath);
    return kConnection.write(ini, connection.trimmed());
}

} // namespace tavolex::server
