// The password store over arbitrary store content: login and change answer as the stored
// password says, and a changed password is the one that opens afterwards. Also the
// scrambler's round trips over arbitrary text.
//
// Input: the first byte chooses what is typed (0: the input's own text, 1: the stored password
// in other letter case with blanks around), then the typed text and the new password (each
// ended by a backslash and one other character), then the store content.

#include "fuzzcheck.h"

#include "security/passwordstore.h"
#include "security/scrambler.h"
#include "text/casing.h"
#include "text/win1252.h"

#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

using namespace tavolex;
using security::PasswordStore;

namespace {

QString decoded(const std::string& bytes) {
    return text::decode1252(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Letter case swapped for a-z / A-Z only, as the store ignores no other case.
QString otherCase(const QString& s) {
    QString out = s;
    for (QChar& ch : out) {
        if (ch >= u'a' && ch <= u'z')
            ch = QChar(ch.unicode() - 32);
        else if (ch >= u'A' && ch <= u'Z')
            ch = QChar(ch.unicode() + 32);
    }
    return out;
}

bool isHexDigit(QChar ch) {
    return (ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F') || (ch >= u'a' && ch <= u'f');
}

void checkScrambler(const QString& plain) {
    const QString hex = security::scramble(plain);
    FUZZ_CHECK(hex.size() == 2 * plain.size());
    for (QChar ch : hex)
        FUZZ_CHECK((ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F'));
    // Only the low byte of each character is kept, so a text of codes 0-255 comes back whole.
    const std::optional<QString> back = security::unscramble(hex);
    FUZZ_CHECK(back.has_value());
    QString lowBytes = plain;
    for (QChar& ch : lowBytes)
        ch = QChar(char16_t(ch.unicode() & 0xFF));
    FUZZ_CHECK(*back == lowBytes);

    bool storable = plain.size() <= 255;
    for (QChar ch : plain)
        storable = storable && ch.unicode() >= 1 && ch.unicode() <= 255;
    FUZZ_CHECK(security::isScramblable(plain) == storable);

    // Read as scrambled text: whole pairs of hex digits unscramble, and scramble back to the
    // same digits in upper case; anything else is refused.
    const qsizetype pairs = plain.size() / 2;
    bool allHex = true;
    for (qsizetype i = 0; i < 2 * pairs; ++i)
        allHex = allHex && isHexDigit(plain[i]);
    const std::optional<QString> unscrambled = security::unscramble(plain);
    FUZZ_CHECK(unscrambled.has_value() == allHex);
    if (unscrambled) {
        FUZZ_CHECK(unscrambled->size() == pairs);
        FUZZ_CHECK(security::scramble(*unscrambled) == plain.left(2 * pairs).toUpper());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool typeStored = in.ConsumeBool();
    QString typed = decoded(in.ConsumeRandomLengthString(300));
    const QString newPassword = decoded(in.ConsumeRandomLengthString(300));
    const std::string rest = in.ConsumeRemainingBytesAsString();
    const QByteArray content(rest.data(), static_cast<qsizetype>(rest.size()));

    // The scrambler, over the typed text both as Windows-1252 and as UTF-16 units.
    checkScrambler(typed);
    QString units(static_cast<qsizetype>(rest.size() / 2), Qt::Uninitialized);
    std::memcpy(units.data(), rest.data(), units.size() * sizeof(QChar));
    checkScrambler(units);
    if (content.size() > 32 * 1024) return 0;

    const QString path = fuzz::scratchFolder() + QStringLiteral("/unins000.dll");
    fuzz::writeFile(path, content);
    PasswordStore store(path);
    bool readable = false;
    const QString stored = store.storedPassword(&readable);
    FUZZ_CHECK(readable != stored.isNull());
    if (typeStored && readable)
        typed = QStringLiteral("  ") + otherCase(stored) + QStringLiteral("\t");

    // Login: accepted exactly for the stored password, letter case and blanks around aside.
    const QString candidate = PasswordStore::normalise(typed);
    const PasswordStore::Login login = store.login(typed);
    if (!readable)
        FUZZ_CHECK(login == PasswordStore::Login::ReadError);
    else if (!candidate.isEmpty() && candidate == stored)
        FUZZ_CHECK(login == PasswordStore::Login::Accepted);
    else
        FUZZ_CHECK(login == PasswordStore::Login::Wrong);
    // A store written by Tavolex holds the password upper-cased and trimmed.
    if (typeStored && readable && !stored.isEmpty() && PasswordStore::normalise(stored) == stored)
        FUZZ_CHECK(login == PasswordStore::Login::Accepted);

    // A confirmation that differs changes nothing.
    if (login == PasswordStore::Login::Accepted) {
        FUZZ_CHECK(store.change(typed, newPassword, newPassword + QStringLiteral("X")) ==
                   PasswordStore::Change::NotConfirmed);
        FUZZ_CHECK(fuzz::readFile(path) == content);
    }

    const QString plain = PasswordStore::normalise(newPassword);
    const PasswordStore::Change change = store.change(typed, newPassword, newPassword);
    if (!readable) {
        FUZZ_CHECK(change == PasswordStore::Change::Error);
    } else if (login != PasswordStore::Login::Accepted) {
        FUZZ_CHECK(change == PasswordStore::Change::WrongOld);
    } else if (plain.isEmpty() || !security::isScramblable(plain)) {
        FUZZ_CHECK(change == PasswordStore::Change::NotStorable);
    } else {
        FUZZ_CHECK(change == PasswordStore::Change::Done);
    }
    if (change != PasswordStore::Change::Done) {
        FUZZ_CHECK(fuzz::readFile(path) == content);
        return 0;
    }

    // The new password opens, in any letter case; the old one no longer does (unless the
    // same).
    bool ok = false;
    FUZZ_CHECK(store.storedPassword(&ok) == plain);
    FUZZ_CHECK(ok);
    FUZZ_CHECK(store.login(newPassword) == PasswordStore::Login::Accepted);
    FUZZ_CHECK(store.login(otherCase(newPassword)) == PasswordStore::Login::Accepted);
    if (PasswordStore::normalise(typed) != plain)
        FUZZ_CHECK(store.login(typed) == PasswordStore::Login::Wrong);
    FUZZ_CHECK(store.login(QString()) == PasswordStore::Login::Wrong);
    return 0;
}
