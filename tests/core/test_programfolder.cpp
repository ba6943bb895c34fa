// Where the program keeps its files: beside a portable executable, or in each user's own
// folder for an installed copy (recognised by the marker among its shared files).
#include "export/spreadsheet.h"
#include "files/safewrite.h"
#include "programfolder.h"
#include "records/recordfile.h"
#include "settings/inifile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

// An installed copy's layout around this test program, undone when the test ends.
class InstalledLayout {
public:
    InstalledLayout()
        : m_shared(
              QDir::cleanPath(QCoreApplication::applicationDirPath() + u"/../share/tavolex"_s) +
              u'/') {
        QDir().mkpath(m_shared);
        write(m_shared + u"installed-copy"_s, {});
        write(m_shared + u"unins000.dll"_s, "shipped store");
        qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit());
        m_umask = ::umask(0022); // the usual umask of a desktop session
    }
    ~InstalledLayout() {
        QFile::remove(m_shared + u"installed-copy"_s);
        QFile::remove(m_shared + u"unins000.dll"_s);
        ::umask(m_umask);
    }
    QString home() const { return m_home.path(); }

private:
    QString m_shared;
    QTemporaryDir m_home;
    mode_t m_umask = 0;
};

mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 07777;
}

TEST(ProgramFolder, InstalledCopyKeepsTheUsersFilesPrivate) {
    const InstalledLayout layout;
    ASSERT_TRUE(isInstalledCopy());
    restrictNewFiles();
    ASSERT_TRUE(prepareProgramFolder());
    const QString user = programFolder();
    EXPECT_EQ(modeOf(user), 0700u);
    EXPECT_EQ(modeOf(user + u"unins000.dll"_s), 0600u);

    // Every kind of file the program makes there: archives and their journals, settings,
    // whole-file writes (exports, PDF files, attachment copies) and folders.
    const QString archive = programPath(u"Clienti.pro"_s);
    {
        records::RecordFile file(archive, 16);
        ASSERT_TRUE(file.open());
        ASSERT_EQ(file.append(QByteArray(16, 'a')), 1);
        ASSERT_EQ(file.append(QByteArray(16, 'b')), 2);
        ASSERT_TRUE(file.write(1, QByteArray(16, 'c')));
    }
    settings::IniFile ini(programPath(u"Cartovia.ini"_s));
    ASSERT_TRUE(ini.writeString(u"Numerazione Protocollo"_s, u"Inizio"_s, u"1"_s));
    ASSERT_TRUE(files::replaceFile(programPath(u"Protocollo.pdf"_s), "%PDF-1.4"));
    ASSERT_TRUE(exporting::writeSpreadsheet(programPath(u"Clienti.xls"_s), u"W"_s, {{u"A"_s, 100}},
                                            {{u"uno"_s}}));
    ASSERT_TRUE(QDir().mkpath(programPath(u"Documenti_Allegati/Pratica 1"_s)));
    ASSERT_TRUE(
        files::replaceFile(programPath(u"Documenti_Allegati/Pratica 1/lettera.txt"_s), "testo"));
    const QString files[] = {u"Clienti.pro"_s, u"Cartovia.ini"_s, u"Protocollo.pdf"_s,
                             u"Clienti.xls"_s, u"Documenti_Allegati/Pratica 1/lettera.txt"_s};
    for (const QString& name : files)
        EXPECT_EQ(modeOf(programPath(name)), 0600u) << name.toStdString();
    EXPECT_EQ(modeOf(programPath(u"Documenti_Allegati"_s)), 0700u);
    EXPECT_EQ(modeOf(programPath(u"Documenti_Allegati/Pratica 1"_s)), 0700u);

    // A folder an earlier start made open to all is narrowed at the next start.
    ASSERT_EQ(::chmod(QFile::encodeName(user).constData(), 0755), 0);
    ASSERT_TRUE(prepareProgramFolder());
    EXPECT_EQ(modeOf(user), 0700u);
    // makePrivate for what takes its mode from elsewhere.
    ASSERT_EQ(::chmod(QFile::encodeName(archive).constData(), 0644), 0);
    EXPECT_TRUE(makePrivate(archive));
    EXPECT_EQ(modeOf(archive), 0600u);
}

// A portable copy leaves permissions to the user's umask.
TEST(ProgramFolder, PortableCopyFollowsTheUsersUmask) {
    ASSERT_FALSE(isInstalledCopy());
    const mode_t old = ::umask(0022);
    restrictNewFiles();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Clienti.pro"_s);
    ASSERT_TRUE(files::replaceFile(path, "x"));
    EXPECT_EQ(modeOf(path), 0644u);
    EXPECT_TRUE(makePrivate(path));
    EXPECT_EQ(modeOf(path), 0644u);
    ::umask(old);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
