#include "passwordstore.h"

#include "scrambler.h"
#include "settings/inifile.h"
#include "text/casing.h"

#include <QFileInfo>

namespace tavolex::security {

using namespace Qt::Literals::StringLiterals;

namespace {
const QString kSection = u"Accesso"_s;
const QString kKey = u"Valore"_s;
} // namespace

QString PasswordStore::normalise(const QString& typed) {
    return text::trimmed(text::upperAZ(typed));
}

QString PasswordStore::storedPassword(bool* ok) const {
    const settings::IniFile ini(m_path);
    if (!ini.isReadable()) {
        *ok = false;
        return {};
    }
    const auto plain = unscramble(ini.readString(kSection, kKey));
    *ok = plain.has_value();
    return plain ? text::trimmed(*plain) : QString();
}

PasswordStore::Login PasswordStore::login(const QString& typed) const {
    bool ok = false;
    const QString stored = storedPassword(&ok);
    if (!ok) return Login::ReadError;
    // An empty store matches nothing, since an empty password cannot be submitted.
    const QString candidate = normalise(typed);
    return (!candidate.isEmpty() && candidate == stored) ? Login::Accepted : Login::Wrong;
}

PasswordStore::Change PasswordStore::change(const QString& oldPassword, const QString& newPassword,
                                            const QString& confirmation) {
    bool ok = false;
    const QString stored = storedPassword(&ok);
    if (!ok) return Change::Error;
    const QString old = normalise(oldPassword);
    if (old.isEmpty() || old != stored) return Change::WrongOld;
    if (text::trimmed(newPassword) != text::trimmed(confirmation)) return Change::NotConfirmed;
    const QString plain = normalise(newPassword);
    // A value the scrambler cannot carry would leave a store no typed password matches.
    if (plain.isEmpty() || !isScramblable(plain)) return Change::NotStorable;
    return write(plain) ? Change::Done : Change::Error;
}

files::WriteResult PasswordStore::write(const QString& plain) {
    settings::IniFile ini(m_path);
    files::WriteResult result = ini.writeString(kSection, kKey, text::trimmed(scramble(plain)));
    if (!result) return result;
    // Success is only what reads back: the store is the only way into the program.
    bool ok = false;
    if (storedPassword(&ok) != plain || !ok)
        return files::WriteResult::failure(u"read back "_s + m_path + u": not the new password"_s);
    return result;
}

} // namespace tavolex::security
