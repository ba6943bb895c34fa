// Full disks, damaged and oversized files, files changed underneath: nothing already
// written may be lost or mixed, and no failure may be reported as success.
#include "export/spreadsheet.h"
#include "files/safewrite.h"
#include "records/recordfile.h"
#include "security/passwordstore.h"
#include "settings/inifile.h"
#include "support/diskfull.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace tavolex;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class FaultTest : public ::testing::Test {
protected:
    QString file(const QString& name) const { return dir.filePath(name); }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    QTemporaryDir dir;
};

// Every whole-file write of the system, as the program calls it.
struct WholeFileWrite {
    const char* what;
    QString fileName;
    QByteArray before;
    std::function<bool(const QString& path)> write;
};

std::vector<WholeFileWrite> wholeFileWrites() {
    return {
        {"plain file", u"Guida.pdf"_s, "%PDF-old",
         [](const QString& path) { return bool(files::replaceFile(path, "%PDF-new")); }},
        {"settings key", u"Cartovia.ini"_s, "[Numerazione Protocollo]\r\nInizio=7\r\n",
         [](const QString& path) {
             settings::IniFile ini(path);
             return bool(ini.writeString(u"Numerazione Protocollo"_s, u"Inizio"_s, u"0"_s));
         }},
        {"password store", u"unins000.dll"_s,
         "[Accesso]\r\nValore=1C5E67D1FB562DA0EAB6CB360BFE\r\n",
         [](const QString& path) {
             security::PasswordStore store(path);
             return store.change(u"archiviostudio"_s, u"nuova"_s, u"nuova"_s) ==
                    security::PasswordStore::Change::Done;
         }},
        {"spreadsheet", u"Clienti.xls"_s, "<html>old</html>",
         [](const QString& path) {
             return bool(exporting::writeSpreadsheet(path, u"W"_s, {{u"A"_s, 100}},
                                                     {{u"uno"_s}, {u"due"_s}}));
         }},
        {"streamed copy", u"allegato.txt"_s, "old attachment",
         [](const QString& path) {
             return bool(files::replaceFile(path, [](QIODevice& out) {
                 for (int i = 0; i < 100; ++i)
                     out.write(QByteArray(1000, 'x')); // return values ignored on purpose
                 return true;
             }));
         }},
    };
}

} // namespace

TEST_F(FaultTest, FullDiskLeavesEveryFileByteIdenticalAndReportsTheFailure) {
    for (const WholeFileWrite& c : wholeFileWrites()) {
        SCOPED_TRACE(c.what);
        const QString path = file(c.fileName);
        put(path, c.before);
        const QStringList filesBefore = entries();
        for (rlim_t room : {rlim_t(0), rlim_t(5)}) { // nothing, or a few bytes, fit
            bool written = true;
            {
                test::DiskFull full(room);
                ASSERT_TRUE(full.active());
                written = c.write(path);
            }
            EXPECT_FALSE(written) << "room " << room;
            EXPECT_EQ(contentOf(path), c.before) << "room " << room;
            EXPECT_EQ(entries(), filesBefore) << "a temporary file was left, room " << room;
        }
        // With room again the same write succeeds.
        EXPECT_TRUE(c.write(path));
        EXPECT_NE(contentOf(path), c.before);
    }
}

TEST_F(FaultTest, FailedPasswordChangeKeepsTheOldPasswordWorking) {
    const QString path = file(u"unins000.dll"_s);
    put(path, "[Accesso]\r\nValore=1C5E67D1FB562DA0EAB6CB360BFE\r\n");
    security::PasswordStore store(path);
    {
        test::DiskFull full;
        EXPECT_EQ(store.change(u"archiviostudio"_s, u"nuova"_s, u"nuova"_s),
                  security::PasswordStore::Change::Error);
    }
    EXPECT_EQ(store.login(u"archiviostudio"_s), security::PasswordStore::Login::Accepted);
}

TEST_F(FaultTest, WriteFailureCarriesItsCause) {
    const files::WriteResult intoFolder = files::replaceFile(dir.path(), "x");
    EXPECT_FALSE(intoFolder);
    EXPECT_FALSE(intoFolder.cause().isEmpty());
    files::WriteResult full = files::WriteResult::success();
    {
        test::DiskFull noRoom;
        full = files::replaceFile(file(u"a.xls"_s), QByteArray(100, 'a'));
    }
    EXPECT_FALSE(full);
    EXPECT_TRUE(full.cause().contains(u"a.xls"_s)) << full.cause().toStdString();
    EXPECT_FALSE(QFile::exists(file(u"a.xls"_s)));
}

TEST_F(FaultTest, LeftoverTemporariesOfAKilledWriteAreRemoved) {
    const QString ini = file(u"Cartovia.ini"_s);
    put(ini, "[A]\r\nB=1\r\n");
    put(file(u"Cartovia.ini.aB3xYz"_s), "half");
    put(file(u"Cartovia.ini.bak"_s), "user's own copy"); // not a temporary name
    put(file(u"Cartovia.ini.aB3xYz7"_s), "not ours either");
    files::removeLeftoverTemporaries(ini);
    EXPECT_EQ(entries(),
              QStringList({u"Cartovia.ini"_s, u"Cartovia.ini.aB3xYz7"_s, u"Cartovia.ini.bak"_s}));
    EXPECT_EQ(contentOf(ini), QByteArray("[A]\r\nB=1\r\n"));
}

// A settings file or password store beyond the size limit is refused at once, never
// read whole and never rewritten.
TEST_F(FaultTest, OversizedSettingsFilesAreReadErrors) {
    const QString ini = file(u"Cartovia.ini"_s);
    QByteArray big = "[Accesso]\r\nValore=1C5E67D1FB562DA0EAB6CB360BFE\r\n";
    big += QByteArray(settings::IniFile::kMaxBytes, ';');
    put(ini, big);
    settings::IniFile settings(ini);
    EXPECT_FALSE(settings.isReadable());
    EXPECT_EQ(settings.readString(u"Accesso"_s, u"Valore"_s, u"?"_s), u"?"_s);
    EXPECT_FALSE(settings.writeString(u"Accesso"_s, u"Valore"_s, u"X"_s));
    EXPECT_EQ(contentOf(ini), big);
    EXPECT_EQ(security::PasswordStore(ini).login(u"archiviostudio"_s),
              security::PasswordStore::Login::ReadError);

    // Exactly at the limit is still a settings file.
    big.truncate(settings::IniFile::kMaxBytes);
    put(ini, big);
    EXPECT_TRUE(settings.isReadable());
    EXPECT_EQ(settings.readString(u"Accesso"_s, u"Valore"_s), u"1C5E67D1FB562DA0EAB6CB360BFE"_s);
}

namespace {

constexpr int kSize = 3372; // a client record: records straddle 4 KiB pages

QByteArray recordOf(char fill) {
    return QByteArray(kSize, fill);
}

QByteArray recordsOf(const QByteArray& fills) {
    QByteArray bytes;
    for (char c : fills)
        bytes += recordOf(c);
    return bytes;
}

// A journal as an overwrite of the archive `name` leaves it just before writing in place:
// the file the program writes, taken from a real overwrite (of an archive of that name in
// a folder of its own) that is then rolled back by hand. k >= 2.
QByteArray journalFor(const QString& folder, qint64 k, char fill,
                      const QString& name = u"Clienti.pro"_s) {
    const QString sourceFolder = folder + u"/journal-source/"_s;
    QDir().mkpath(sourceFolder);
    const QString path = sourceFolder + name;
    put(path, recordsOf(QByteArray(int(k), 'z')));
    QByteArray journal;
    {
        records::RecordFile source(path, kSize);
        EXPECT_TRUE(source.open());
        // The journal is removed once the write is done: catch it by failing the write
        // in place half-way through the record (room enough for the journal itself).
        test::DiskFull full(rlim_t((k - 1) * kSize + kSize / 2));
        EXPECT_FALSE(source.write(k, recordOf(fill)));
    }
    journal = contentOf(records::RecordFile::journalPathOf(path));
    QFile::remove(path);
    QFile::remove(records::RecordFile::journalPathOf(path));
    return journal;
}

} // namespace

TEST_F(FaultTest, AppendOnAFullDiskLeavesOnlyWholeRecords) {
    const QString path = file(u"Clienti.pro"_s);
    put(path, recordsOf("ab"));
    records::RecordFile archive(path, kSize);
    ASSERT_TRUE(archive.open());
    {
        test::DiskFull full(2 * kSize + 516); // the first 516 bytes of the record fit
        EXPECT_EQ(archive.append(recordOf('c')), 0);
    }
    EXPECT_FALSE(archive.errorString().isEmpty());
    EXPECT_EQ(archive.count(), 2);
    archive.close();
    EXPECT_EQ(contentOf(path), recordsOf("ab"));
}

// A write stopped by a full disk says the system's cause (here the file-size limit's "File
// too large"), whether it stopped after some bytes or before the first, in an append, in
// the overwrite's journal or in the overwrite in place: never Qt's "Unknown error".
TEST_F(FaultTest, FullDiskFailuresCarryTheSystemsCause) {
    struct Case {
        const char* what;
        rlim_t room;
        std::function<bool(records::RecordFile&)> write;
        const char* step;
    };
    const auto append = [](records::RecordFile& f) { return f.append(recordOf('c')) != 0; };
    const auto overwrite = [](records::RecordFile& f) { return f.write(2, recordOf('N')); };
    const Case cases[] = {
        {"append, part of the record fits", 2 * kSize + 516, append, "write: "},
        {"append, no byte fits", 2 * kSize, append, "write: "},
        {"overwrite, the journal does not fit", 100, overwrite, "journal: "},
        {"overwrite in place stopped half-way", kSize + kSize / 2, overwrite, "write: "},
    };
    const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = file(u"Clienti.pro"_s);
        put(path, recordsOf("ab"));
        records::RecordFile archive(path, kSize);
        ASSERT_TRUE(archive.open());
        {
            test::DiskFull full(c.room);
            ASSERT_TRUE(full.active());
            EXPECT_FALSE(c.write(archive));
        }
        EXPECT_EQ(archive.errorString(), QString::fromLatin1(c.step) + tooLarge);
        archive.close();
        QFile::remove(path);
        QFile::remove(archive.journalPath());
    }
}

TEST_F(FaultTest, InterruptedOverwriteIsCompletedOnTheNextOpen) {
    const QString path = file(u"Clienti.pro"_s);
    const QByteArray journal = journalFor(dir.path(), 2, 'N');
    ASSERT_FALSE(journal.isEmpty());

    // Killed after the journal, half-way through the write in place: record 2 is half
    // old ('b'), half new ('N').
    QByteArray torn = recordsOf("abc");
    std::fill(torn.begin() + kSize, torn.begin() + kSize + 1000, 'N');
    put(path, torn);
    put(records::RecordFile::journalPathOf(path), journal);

    records::RecordFile archive(path, kSize);
    ASSERT_TRUE(archive.open());
    archive.close();
    EXPECT_EQ(contentOf(path), recordsOf("aNc"));
    EXPECT_FALSE(QFile::exists(records::RecordFile::journalPathOf(path)));
}

TEST_F(FaultTest, IncompleteOrForeignJournalIsDroppedAndTheArchiveKept) {
    const QByteArray journal = journalFor(dir.path(), 2, 'N');
    ASSERT_FALSE(journal.isEmpty());
    QByteArray badSum = journal;
    badSum[100] = char(badSum[100] ^ 1);
    const struct {
        const char* what;
        QByteArray journal;
    } cases[] = {
        {"cut short", journal.left(journal.size() - 1)},
        {"empty", QByteArray()},
        {"checksum wrong", badSum},
        {"past the last record", journalFor(dir.path(), 4, 'N')},
        {"longer", journal + "x"},
        // Same record size, whole and sound, but written for another archive.
        {"of another archive", journalFor(dir.path(), 2, 'N', u"Fornitori.pro"_s)},
        {"of a file named alike", journalFor(dir.path(), 2, 'N', u"Clienti.pro.old"_s)},
    };
    const QString path = file(u"Clienti.pro"_s);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        put(path, recordsOf("abc"));
        put(records::RecordFile::journalPathOf(path), c.journal);
        records::RecordFile archive(path, kSize);
        ASSERT_TRUE(archive.open());
        archive.close();
        EXPECT_EQ(contentOf(path), recordsOf("abc"));
        EXPECT_FALSE(QFile::exists(records::RecordFile::journalPathOf(path)));
    }
}

// A journal that cannot be read at all (a folder, a pipe in its place) is reported once by
// the open that finds it; from then on appends go on, and overwrites, which need it, fail.
TEST_F(FaultTest, UnusableJournalIsReportedOnceAndDoesNotBlockAppends) {
    const QString path = file(u"Clienti.pro"_s);
    put(path, recordsOf("ab"));
    ASSERT_TRUE(QDir().mkpath(records::RecordFile::journalPathOf(path)));
    {
        records::RecordFile archive(path, kSize);
        EXPECT_FALSE(archive.open());
        EXPECT_TRUE(archive.errorString().contains(u"journal"_s))
            << archive.errorString().toStdString();
    }
    records::RecordFile archive(path, kSize);
    ASSERT_TRUE(archive.open());
    EXPECT_EQ(archive.append(recordOf('c')), 3);
    EXPECT_FALSE(archive.write(1, recordOf('N')));
    archive.close();
    EXPECT_EQ(contentOf(path), recordsOf("abc"));
    EXPECT_TRUE(QFileInfo(records::RecordFile::journalPathOf(path)).isDir());
}

TEST_F(FaultTest, OverwriteThatCannotJournalChangesNothing) {
    const QString path = file(u"Clienti.pro"_s);
    put(path, recordsOf("abc"));
    records::RecordFile archive(path, kSize);
    ASSERT_TRUE(archive.open());
    {
        test::DiskFull full(100); // the journal cannot be written
        EXPECT_FALSE(archive.write(3, recordOf('N')));
    }
    archive.close();
    EXPECT_EQ(contentOf(path), recordsOf("abc"));
    EXPECT_FALSE(QFile::exists(archive.journalPath()));
    // And a normal overwrite leaves no journal behind.
    ASSERT_TRUE(archive.open());
    EXPECT_TRUE(archive.write(3, recordOf('N')));
    archive.close();
    EXPECT_EQ(contentOf(path), recordsOf("abN"));
    EXPECT_FALSE(QFile::exists(archive.journalPath()));
}

// Another program shrinks the archive while a search reads it: the scan ends at the
// last whole record it could read instead of faulting.
TEST_F(FaultTest, ArchiveShrinkingDuringAScanEndsTheScan) {
    const QString path = file(u"Clienti.pro"_s);
    put(path, recordsOf(QByteArray(3000, 'r'))); // about 10 MB: more than one block
    qint64 visited = 0;
    bool wholeRecords = true;
    const bool read = records::RecordFile::scan(path, kSize, [&](qint64 k, const char* record) {
        if (k == 1) QFile::resize(path, 2 * kSize + 10);
        wholeRecords = wholeRecords && QByteArray(record, kSize) == recordOf('r');
        ++visited;
        return true;
    });
    EXPECT_TRUE(read);
    EXPECT_TRUE(wholeRecords);
    EXPECT_LT(visited, 3000);
}

namespace {

// Runs `action` in a child process and gives its result, or nothing when it has not ended
// within `seconds` (the child is then killed): a program stuck on a file shows here as a
// failed test instead of a test run that never ends.
std::optional<bool> answeredWithin(int seconds, const std::function<bool()>& action) {
    const pid_t child = fork();
    if (child < 0) return std::nullopt;
    if (child == 0) _exit(action() ? 0 : 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!WIFEXITED(status)) return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

} // namespace

// A named pipe in place of a file the program reads would wait for a writer for good: each
// is refused at once with the read error, as an unreadable file is.
TEST_F(FaultTest, NamedPipeInPlaceOfAFileIsARefusalNotAWait) {
    const struct {
        const char* what;
        QString fileName;
        std::function<bool(const QString& path)> refused; // true when the read error came
    } cases[] = {
        {"password store", u"unins000.dll"_s,
         [](const QString& path) {
             return security::PasswordStore(path).login(u"archiviostudio"_s) ==
                    security::PasswordStore::Login::ReadError;
         }},
        {"settings file", u"Cartovia.ini"_s,
         [](const QString& path) {
             const settings::IniFile ini(path);
             return !ini.isReadable() &&
                    ini.readString(u"Numerazione Protocollo"_s, u"Inizio"_s, u"?"_s) == u"?"_s;
         }},
        {"archive", u"Clienti.pro"_s,
         [](const QString& path) {
             records::RecordFile archive(path, kSize);
             return !archive.open() && !records::RecordFile::scan(
                                           path, kSize, [](qint64, const char*) { return true; });
         }},
        {"journal", u"Clienti.pro.journal"_s,
         [this](const QString&) {
             // The first action on the archive reports the journal; the next goes on.
             const QString archivePath = file(u"Clienti.pro"_s);
             put(archivePath, recordsOf("ab"));
             records::RecordFile first(archivePath, kSize);
             if (first.open()) return false;
             records::RecordFile second(archivePath, kSize);
             return second.open() && second.append(recordOf('c')) == 3;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = file(c.fileName);
        ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        const std::optional<bool> answer = answeredWithin(3, [&] { return c.refused(path); });
        EXPECT_TRUE(answer.has_value()) << "no answer within 3 s";
        EXPECT_TRUE(answer.value_or(true)) << "not answered with the read error";
        QFile::remove(path);
        QFile::remove(file(u"Clienti.pro"_s));
    }
}
