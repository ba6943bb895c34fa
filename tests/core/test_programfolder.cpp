// Where the program keeps its files: beside a portable executable, or in each user's own
// folder for an installed copy (recognised by the marker among its shared files).
#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace tavolex;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

TEST(ProgramFolder, PortableCopyKeepsEverythingBesideTheExecutable) {
    const QString here = QCoreApplication::applicationDirPath() + u'/';
    EXPECT_FALSE(isInstalledCopy());
    EXPECT_EQ(programFolder(), here);
    EXPECT_EQ(shippedPath(u"Guida.pdf"_s), here + u"Guida.pdf"_s);
    EXPECT_TRUE(prepareProgramFolder()); // nothing to prepare, nothing created elsewhere
}

TEST(ProgramFolder, InstalledCopyUsesTheUsersFolderAndNeverOverwritesTheirPasswords) {
    // The layout of an installed copy around this test program: <prefix>/bin beside
    // <prefix>/share/tavolex holding the marker and the shipped files.
    const QString shared =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + u"/../share/tavolex"_s) + u'/';
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_TRUE(write(shared + u"installed-copy"_s, {}));
    ASSERT_TRUE(write(shared + u"unins000.dll"_s, "shipped store"));
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());

    EXPECT_TRUE(isInstalledCopy());
    const QString user = home.path() + u"/Tavolex/"_s;
    EXPECT_EQ(programFolder(), user);
    EXPECT_EQ(programPath(u"Clienti.pro"_s), user + u"Clienti.pro"_s);
    EXPECT_EQ(shippedPath(u"Avviso.mp3"_s), shared + u"Avviso.mp3"_s);

    EXPECT_TRUE(prepareProgramFolder());
    EXPECT_EQ(contents(user + u"unins000.dll"_s), QByteArray("shipped store"));
    ASSERT_TRUE(write(user + u"unins000.dll"_s, "the user's own password"));
    EXPECT_TRUE(prepareProgramFolder());
    EXPECT_EQ(contents(user + u"unins000.dll"_s), QByteArray("the user's own password"));

    QFile::remove(shared + u"installed-copy"_s);
    QFile::remove(shared + u"unins000.dll"_s);
    EXPECT_FALSE(isInstalledCopy());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
