#include "security/passwordstore.h"
#include "security/scrambler.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavolex::security;
using namespace Qt::Literals::StringLiterals;

TEST(Scrambler, KnownValues) {
    EXPECT_EQ(scramble(QString()), QString());
    // 'A' (0x41) xor 0x5D = 0x1C: one character gives exactly two digits.
    EXPECT_EQ(scramble(u"A"_s), u"1C"_s);
    EXPECT_EQ(scramble(u"ARCHIVIOSTUDIO"_s), u"1C5E67D1FB562DA0EAB6CB360BFE"_s);
}

TEST(Scrambler, RoundTripsLatinText) {
    const QStringList samples = {u"PASSWORD"_s, u"a1!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"_s,
                                 u"perch\u00E9 pi\u00F9 \u00FF\u0001"_s, QString(255, u'Z')};
    for (const QString& p : samples) {
        const auto back = unscramble(scramble(p));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, p);
        EXPECT_TRUE(isScramblable(p));
    }
}

TEST(Scrambler, UnscrambleRules) {
    EXPECT_EQ(unscramble(u"1c"_s), std::optional<QString>(u"A"_s));  // lower-case digits read too
    EXPECT_EQ(unscramble(u"1C5"_s), std::optional<QString>(u"A"_s)); // trailing digit ignored
    EXPECT_FALSE(unscramble(u"1G"_s).has_value());
    EXPECT_FALSE(unscramble(u"zz"_s).has_value());
}

TEST(Scrambler, RefusesWhatItCannotCarry) {
    EXPECT_FALSE(isScramblable(QString(256, u'A')));
    EXPECT_FALSE(isScramblable(u"euro\u20AC"_s));
    EXPECT_FALSE(isScramblable(QString(QChar(0))));
}

class PasswordStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(u"unins000.dll"_s); }
    void writeStore(const QByteArray& content) {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
};

TEST_F(PasswordStoreTest, LogInIgnoresCaseAndBlanks) {
    writeStore("[Accesso]\r\nValore=1C5E67D1FB562DA0EAB6CB360BFE\r\n");
    PasswordStore store(path());
    EXPECT_EQ(store.login(u" archiviostudio  "_s), PasswordStore::Login::Accepted);
    EXPECT_EQ(store.login(u"ArchivioStudio"_s), PasswordStore::Login::Accepted);
    EXPECT_EQ(store.login(u"archivio"_s), PasswordStore::Login::Wrong);
}

TEST_F(PasswordStoreTest, MissingOrEmptyStoreMatchesNothing) {
    PasswordStore store(path());
    EXPECT_EQ(store.login(u"x"_s), PasswordStore::Login::Wrong);
    EXPECT_EQ(store.login(QString()), PasswordStore::Login::Wrong);
    EXPECT_EQ(store.change(u"x"_s, u"y"_s, u"y"_s), PasswordStore::Change::WrongOld);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(PasswordStoreTest, NonHexValueIsAReadError) {
    writeStore("[Accesso]\r\nValore=XYZW\r\n");
    PasswordStore store(path());
    EXPECT_EQ(store.login(u"x"_s), PasswordStore::Login::ReadError);
    EXPECT_EQ(store.change(u"x"_s, u"y"_s, u"y"_s), PasswordStore::Change::Error);
}

TEST_F(PasswordStoreTest, ChangeRules) {
    writeStore("[Accesso]\r\nValore=1C\r\n"); // "A"
    PasswordStore store(path());
    EXPECT_EQ(store.change(u"b"_s, u"n"_s, u"n"_s), PasswordStore::Change::WrongOld);
    // Confirmation is compared exactly, letter case included.
    EXPECT_EQ(store.change(u"a"_s, u"new"_s, u"NEW"_s), PasswordStore::Change::NotConfirmed);
    EXPECT_EQ(store.change(u"a"_s, u"x\u20AC"_s, u"x\u20AC"_s), PasswordStore::Change::NotStorable);
    EXPECT_EQ(store.change(u"a"_s, QString(300, u'q'), QString(300, u'q')),
              PasswordStore::Change::NotStorable);
    EXPECT_EQ(store.login(u"a"_s), PasswordStore::Login::Accepted);
    EXPECT_EQ(store.change(u"a"_s, u" nuova "_s, u"nuova"_s), PasswordStore::Change::Done);
    EXPECT_EQ(store.login(u"a"_s), PasswordStore::Login::Wrong);
    EXPECT_EQ(store.login(u"NUOVA"_s), PasswordStore::Login::Accepted);
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "[Accesso]\r\nValore=" + scramble(u"NUOVA"_s).toLatin1() + "\r\n");
}
