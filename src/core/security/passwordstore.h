#pragma once

#include "files/safewrite.h"

#include <QString>

namespace tavolex::security {

// The password store: section "Accesso", key "Valore", the scrambled password.
// Passwords are compared and stored upper-cased (A-Z only) and trimmed.
class PasswordStore {
public:
    explicit PasswordStore(QString path) : m_path(std::move(path)) {}

    enum class Login { Accepted, Wrong, ReadError };
    enum class Change { Done, WrongOld, NotConfirmed, NotStorable, Error };

    static QString normalise(const QString& typed);

    Login login(const QString& typed) const;
    Change change(const QString& oldPassword, const QString& newPassword,
                  const QString& confirmation);

    // The stored password in clear, or a null string when it cannot be read.
    QString storedPassword(bool* ok) const;
    // Writes the store and reads it back; success only when the new password reads back.
    files::WriteResult write(const QString& plain);

private:
    QString m_path;
};

} // namespace tavolex::security
