#include "programfolder.h"
#include "records/folderstore.h"
#include "records/store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tavolex;
using namespace tavolex::records;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kSize = 6;

QByteArray rec(char c) {
    return QByteArray(kSize, c);
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Puts the file's times well in the past, so that its version can be trusted.
bool age(const QString& path) {
    timespec times[2];
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= 60;
    times[1] = times[0];
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

// Each operation on one open archive, and the file's bytes after it.
TEST(FileArchive, OperationsLeaveExactlyTheseBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"prova.dat"_s);
    const FileArchive archive(path, kSize);
    EXPECT_FALSE(archive.exists());
    const std::unique_ptr<OpenArchive> open = archive.open();
    ASSERT_TRUE(open);
    EXPECT_TRUE(archive.exists()); // opening makes a missing archive, empty
    struct Step {
        const char* what;
        std::function<bool(OpenArchive&)> run;
        QByteArray bytes;
    };
    QByteArray read;
    const Step steps[] = {
        {"count of an empty archive", [](OpenArchive& a) { return a.count() == 0; }, ""},
        {"append 1", [](OpenArchive& a) { return a.append(rec('a')) == 1; }, "aaaaaa"},
        {"append 2", [](OpenArchive& a) { return a.append(rec('b')) == 2; }, "aaaaaabbbbbb"},
        {"append 3", [](OpenArchive& a) { return a.append(rec('c')) == 3; }, "aaaaaabbbbbbcccccc"},
        {"read 2", [&read](OpenArchive& a) { return a.read(2, read) && read == rec('b'); },
         "aaaaaabbbbbbcccccc"},
        {"read past the end", [&read](OpenArchive& a) { return !a.read(4, read); },
         "aaaaaabbbbbbcccccc"},
        {"overwrite 2 as read",
         [](OpenArchive& a) { return a.overwrite(2, rec('b'), rec('B')) == WriteOutcome::Written; },
         "aaaaaaBBBBBBcccccc"},
        {"overwrite 2 with what it held before",
         [](OpenArchive& a) {
             return a.overwrite(2, rec('b'), rec('x')) == WriteOutcome::Conflict;
         },
         "aaaaaaBBBBBBcccccc"},
        {"overwrite past the end",
         [](OpenArchive& a) { return a.overwrite(4, rec('d'), rec('x')) == WriteOutcome::Failed; },
         "aaaaaaBBBBBBcccccc"},
        {"a record of the wrong size",
         [](OpenArchive& a) { return a.append("short") == 0 && a.count() == 3; },
         "aaaaaaBBBBBBcccccc"},
        {"count", [](OpenArchive& a) { return a.count() == 3; }, "aaaaaaBBBBBBcccccc"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        EXPECT_TRUE(step.run(*open));
        EXPECT_EQ(bytesOf(path), step.bytes);
    }
    EXPECT_TRUE(open->close());
}

// Another program writes the record between this one's read and its save: the save is refused
// and the other program's record stays.
TEST(FileArchive, AnOverwriteNeverLosesAnotherProgramsWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"prova.dat"_s);
    ASSERT_TRUE(writeBytes(path, rec('a') + rec('b')));
    const FileArchive archive(path, kSize);
    const std::unique_ptr<OpenArchive> mine = archive.open();
    const std::unique_ptr<OpenArchive> theirs = archive.open();
    ASSERT_TRUE(mine && theirs);
    QByteArray seen;
    ASSERT_TRUE(mine->read(2, seen));
    ASSERT_EQ(theirs->overwrite(2, rec('b'), rec('T')), WriteOutcome::Written);
    EXPECT_EQ(mine->overwrite(2, seen, rec('M')), WriteOutcome::Conflict);
    EXPECT_FALSE(mine->error().cause.isEmpty());
    EXPECT_EQ(bytesOf(path), rec('a') + rec('T'));
    // Read again, it goes through.
    ASSERT_TRUE(mine->read(2, seen));
    EXPECT_EQ(mine->overwrite(2, seen, rec('M')), WriteOutcome::Written);
    EXPECT_EQ(bytesOf(path), rec('a') + rec('M'));
}

// A file torn by a write that stopped half-way: the whole records are read, the torn one is
// not, and the next append takes its place.
TEST(FileArchive, ATornArchiveKeepsItsWholeRecords) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"prova.dat"_s);
    ASSERT_TRUE(writeBytes(path, rec('a') + rec('b') + "cc"));
    const FileArchive archive(path, kSize);
    EXPECT_TRUE(archive.endsTorn());
    QList<qint64> numbers;
    QByteArray seen;
    ASSERT_TRUE(forEachRecord(archive, [&](qint64 k, const char* r) {
        numbers << k;
        seen += QByteArray(r, kSize);
        return true;
    }));
    EXPECT_EQ(numbers, (QList<qint64>{1, 2}));
    EXPECT_EQ(seen, rec('a') + rec('b'));
    const std::unique_ptr<OpenArchive> open = archive.open();
    ASSERT_TRUE(open);
    EXPECT_EQ(open->count(), 2);
    EXPECT_EQ(open->append(rec('c')), 3);
    ASSERT_TRUE(open->close());
    EXPECT_EQ(bytesOf(path), rec('a') + rec('b') + rec('c'));
    EXPECT_FALSE(archive.endsTorn());
}

// Blocks hold whole records only, numbered on from one block to the next, however the size of
// the record divides the block.
TEST(FileArchive, BlocksHoldWholeRecordsInOrder) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"prova.dat"_s);
    const int size = 3331;       // no power of two
    const qint64 records = 3000; // about 10 MB: several blocks
    QByteArray bytes;
    for (qint64 k = 1; k <= records; ++k) {
        QByteArray r(size, char('a' + k % 26));
        std::memcpy(r.data(), &k, sizeof k);
        bytes += r;
    }
    ASSERT_TRUE(writeBytes(path, bytes));
    qint64 next = 1;
    int blocks = 0;
    bool intact = true;
    ASSERT_TRUE(FileArchive(path, size).scan([&](const RecordBlock& block) {
        ++blocks;
        intact = intact && block.first == next && block.size == size && block.count > 0;
        for (qint64 i = 0; i < block.count; ++i) {
            qint64 k = 0;
            std::memcpy(&k, block.record(i), sizeof k);
            intact =
                intact && k == block.number(i) && block.record(i)[size - 1] == char('a' + k % 26);
        }
        next += block.count;
        return true;
    }));
    EXPECT_TRUE(intact);
    EXPECT_EQ(next, records + 1);
    EXPECT_GT(blocks, 1);
    // A visitor that stops ends the scan, which still succeeded.
    blocks = 0;
    EXPECT_TRUE(FileArchive(path, size).scan([&](const RecordBlock&) { return ++blocks < 1; }));
    EXPECT_EQ(blocks, 1);
}

// What a scan says of archives it cannot read, and that it never creates one.
TEST(FileArchive, ScansOfMissingAndUnreadableArchives) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"manca.dat"_s);
    int visits = 0;
    const auto count = [&visits](const RecordBlock&) { return ++visits > 0; };
    EXPECT_TRUE(FileArchive(missing, kSize).scan(count));
    EXPECT_FALSE(QFile::exists(missing));
    const QString folder = dir.filePath(u"cartella.dat"_s);
    ASSERT_TRUE(QDir().mkdir(folder));
    StoreError error;
    EXPECT_FALSE(FileArchive(folder, kSize).scan(count, &error));
    EXPECT_EQ(error.archive, folder);
    EXPECT_FALSE(FileArchive(folder, kSize).open(&error));
    EXPECT_TRUE(error.text().startsWith(folder + u": "_s));
    const QString dangling = dir.filePath(u"link.dat"_s);
    ASSERT_TRUE(QFile::link(dir.filePath(u"nowhere"_s), dangling));
    EXPECT_TRUE(FileArchive(dangling, kSize).exists());
    EXPECT_FALSE(FileArchive(dangling, kSize).scan(count));
    EXPECT_EQ(visits, 0);
}

// The version moves with every write, also one that puts the modification time back.
TEST(FileArchive, TheVersionMovesWithEveryWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"prova.dat"_s);
    ASSERT_TRUE(writeBytes(path, rec('a')));
    const FileArchive archive(path, kSize);
    EXPECT_TRUE(archive.version().isEmpty()); // written just now: no version to trust
    ASSERT_TRUE(age(path));
    const QByteArray before = archive.version();
    ASSERT_FALSE(before.isEmpty());
    EXPECT_EQ(archive.version(), before);
    {
        const std::unique_ptr<OpenArchive> open = archive.open();
        ASSERT_TRUE(open && open->overwrite(1, rec('a'), rec('b')) == WriteOutcome::Written);
    }
    ASSERT_TRUE(age(path));
    EXPECT_NE(archive.version(), before);
    EXPECT_TRUE(FileArchive(dir.filePath(u"manca"_s), kSize).version().isEmpty());
}

// The folder store names files as the catalogue does and lists the years present.
TEST(FolderStore, NamesArchivesAndListsTheirYears) {
    QTemporaryDir dir;
    const FolderStore store(dir.path());
    EXPECT_EQ(store.pathOf(archiveId(ArchiveKind::Clients)), dir.filePath(u"Clienti.pro"_s));
    EXPECT_EQ(store.pathOf(archiveId(ArchiveKind::Protocol, 999)), dir.filePath(u"0999.prt"_s));
    EXPECT_EQ(store.pathOf(archiveOfYear(ArchiveKind::Movements, u" 999"_s)),
              dir.filePath(u"999.eur"_s));
    EXPECT_EQ(store.archive(archiveId(ArchiveKind::Deadlines, 2024))->recordSize(), 1328);
    for (const char* name : {"2025.sca", "2023.sca", "abcd.sca", "20245.sca", "2024.SCA",
                             "2024.sca.journal", "2022.eur"})
        ASSERT_TRUE(writeBytes(dir.filePath(QString::fromLatin1(name)), {}));
    EXPECT_EQ(store.years(archiveEntry(ArchiveKind::Deadlines)), (QList<int>{2023, 2025}));
    EXPECT_EQ(store.years(archiveEntry(ArchiveKind::Clients)), QList<int>());
}

// The program's store follows the program folder until another store is set.
TEST(ArchiveStore, TheProgramsStoreFollowsTheProgramFolder) {
    QTemporaryDir first;
    QTemporaryDir second;
    setProgramFolder(first.path() + u'/');
    EXPECT_EQ(programArchive(ArchiveKind::Clients)->name(), first.path() + u"/Clienti.pro"_s);
    setProgramFolder(second.path() + u'/');
    EXPECT_EQ(programArchive(ArchiveKind::Movements, 2026)->name(), second.path() + u"/2026.eur"_s);
    setArchiveStore(std::make_unique<FolderStore>(first.path()));
    EXPECT_EQ(programArchive(ArchiveKind::Movements, 2026)->name(), first.path() + u"/2026.eur"_s);
    setArchiveStore(nullptr);
    EXPECT_EQ(programArchive(ArchiveKind::Clients)->name(), second.path() + u"/Clienti.pro"_s);
}

} // namespace
