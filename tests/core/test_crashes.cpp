// A save loop killed (SIGKILL) at random moments, over and over, as a crash or a power
// button would stop the program: every record must stay whole (never half old, half new)
// and every save that was reported done must still be there.
#include "records/recordfile.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <poll.h>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavolex;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kSize = 3372; // records straddle 4 KiB pages
constexpr int kKills = 120;

// A record that carries its generation in its first 8 bytes and in every other byte, so
// that a record made of two writes shows.
QByteArray recordOf(quint64 generation) {
    QByteArray r(kSize, Qt::Uninitialized);
    qToLittleEndian<quint64>(generation, r.data());
    for (int i = 8; i < kSize; ++i)
        r[i] = char((generation * 31 + quint64(i)) & 0xFF);
    return r;
}

bool isWhole(const QByteArray& record, quint64* generation) {
    *generation = qFromLittleEndian<quint64>(record.constData());
    return record == recordOf(*generation);
}

struct Confirmed {
    qint64 k;
    quint64 generation;
};

// The child: saves forever, overwriting a random record or appending one, and reports each
// save that returned success on `report`.
[[noreturn]] void saveLoop(const QString& path, quint64 firstGeneration, unsigned seed,
                           int report) {
    std::mt19937 random(seed);
    for (quint64 generation = firstGeneration;; ++generation) {
        records::RecordFile archive(path, kSize);
        if (!archive.open()) _exit(2);
        const qint64 count = archive.count();
        const bool append = random() % 5 == 0;
        const qint64 k = append ? count + 1 : qint64(random() % quint64(count)) + 1;
        if (!archive.write(k, recordOf(generation))) _exit(3);
        archive.close();
        const Confirmed done{k, generation};
        if (write(report, &done, sizeof done) != sizeof done) _exit(4);
    }
}

} // namespace

TEST(Crashes, KilledSavesNeverMixOrLoseARecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Clienti.pro"_s);
    {
        records::RecordFile archive(path, kSize);
        ASSERT_TRUE(archive.open());
        for (quint64 g = 1; g <= 24; ++g)
            ASSERT_EQ(archive.append(recordOf(g)), qint64(g));
    }
    std::map<qint64, quint64> newestConfirmed;
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    qint64 confirmedSaves = 0;

    for (int kill = 0; kill < kKills; ++kill) {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeEnds[0]);
            saveLoop(path, quint64(kill + 1) * 1'000'000'000ULL, seed + unsigned(kill),
                     pipeEnds[1]);
        }
        close(pipeEnds[1]);
        // Each save now waits for the disk, which takes long on a busy machine: the kill
        // comes at a random moment after the loop's first confirmed save, so every round
        // interrupts a loop that is really saving.
        Confirmed done{};
        pollfd first{pipeEnds[0], POLLIN, 0};
        if (poll(&first, 1, 30'000) == 1 && read(pipeEnds[0], &done, sizeof done) == sizeof done) {
            newestConfirmed[done.k] = done.generation;
            ++confirmedSaves;
        }
        usleep(useconds_t(random() % 20000));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the save loop stopped by itself: " << status;
        while (read(pipeEnds[0], &done, sizeof done) == sizeof done) {
            newestConfirmed[done.k] = done.generation;
            ++confirmedSaves;
        }
        close(pipeEnds[0]);

        // Opening settles what the kill interrupted; then every record is whole and holds
        // at least the newest save confirmed for it.
        records::RecordFile archive(path, kSize);
        ASSERT_TRUE(archive.open());
        const qint64 count = archive.count();
        for (qint64 k = 1; k <= count; ++k) {
            QByteArray record;
            ASSERT_TRUE(archive.read(k, record));
            quint64 generation = 0;
            ASSERT_TRUE(isWhole(record, &generation))
                << "record " << k << " mixed after kill " << kill << " (seed " << seed << ")";
            const auto confirmed = newestConfirmed.find(k);
            if (confirmed != newestConfirmed.end()) {
                ASSERT_GE(generation, confirmed->second)
                    << "record " << k << " lost its confirmed save after kill " << kill;
            }
        }
        ASSERT_TRUE(newestConfirmed.empty() || newestConfirmed.rbegin()->first <= count)
            << "a confirmed append is missing after kill " << kill;
    }
    // A torn tail left by a killed append is taken over by the next append.
    records::RecordFile archive(path, kSize);
    ASSERT_TRUE(archive.open());
    const qint64 k = archive.append(recordOf(7));
    ASSERT_GT(k, 0);
    archive.close();
    EXPECT_EQ(QFileInfo(path).size(), k * kSize);
    EXPECT_GE(confirmedSaves, kKills) << "the loop hardly saved anything";
    std::cout << "[ kills    ] " << kKills << " kills, " << confirmedSaves
              << " confirmed saves, no record mixed or lost (seed " << seed << ")\n";
}

namespace {

// Appends `count` records tagged with `writer` and their sequence number, opening the
// archive for each one as a card's save does, once `start` is closed by the parent.
[[noreturn]] void appendLoop(const QString& path, quint64 writer, int count, int start) {
    char go = 0;
    if (read(start, &go, 1) != 0) _exit(5);
    for (int i = 0; i < count; ++i) {
        records::RecordFile archive(path, kSize);
        if (!archive.open()) _exit(2);
        if (archive.append(recordOf(writer * 1'000'000 + quint64(i))) == 0) _exit(3);
        if (!archive.close()) _exit(4);
    }
    _exit(0);
}

} // namespace

// Programs appending to one archive at the same moment (two copies of the program, a tool
// beside it): each append gets a number of its own, so every record of each is there once
// and whole.
TEST(Crashes, ProgramsAppendingAtOnceLoseNoRecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Movimenti2026.mov"_s);
    constexpr int kEach = 3000;
    constexpr quint64 kWriters = 4;
    // What is tested is the taking of turns, not the disk: the writes are not forced to it,
    // so that the two programs meet thousands of times in a second.
    records::RecordFile::setSyncing(false);
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    std::vector<pid_t> writers;
    for (quint64 writer = 1; writer <= kWriters; ++writer) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(start[1]);
            appendLoop(path, writer, kEach, start[0]);
        }
        writers.push_back(child);
    }
    close(start[0]);
    close(start[1]); // both start at once
    for (pid_t child : writers) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    std::map<quint64, int> seen;
    records::RecordFile archive(path, kSize);
    ASSERT_TRUE(archive.open());
    EXPECT_EQ(archive.count(), qint64(kWriters) * kEach);
    for (qint64 k = 1; k <= archive.count(); ++k) {
        QByteArray record;
        ASSERT_TRUE(archive.read(k, record));
        quint64 tag = 0;
        ASSERT_TRUE(isWhole(record, &tag)) << "record " << k << " mixed";
        ++seen[tag];
    }
    EXPECT_EQ(seen.size(), size_t(kWriters) * kEach) << "appends lost";
    for (const auto& [tag, times] : seen)
        EXPECT_EQ(times, 1) << "record " << tag << " stored " << times << " times";
    records::RecordFile::setSyncing(true);
}

// A program that only opens the archive (to browse it) while another saves: it must never
// replay a journal the saving program is still working with, which would put an older
// record back after a newer save.
TEST(Crashes, BrowsingProgramNeverPutsAnOlderRecordBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Pratiche.pra"_s);
    {
        records::RecordFile archive(path, kSize);
        ASSERT_TRUE(archive.open());
        for (quint64 g = 1; g <= 3; ++g)
            ASSERT_EQ(archive.append(recordOf(g)), qint64(g));
    }
    constexpr quint64 kSaves = 3000;
    records::RecordFile::setSyncing(false); // as above: turns, not the disk
    const pid_t browser = fork();
    ASSERT_GE(browser, 0);
    if (browser == 0) {
        for (;;) {
            records::RecordFile archive(path, kSize);
            if (!archive.open()) _exit(2);
            archive.close();
        }
    }
    const pid_t saver = fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
        // The only program that saves: before each save, record 2 must still hold its own
        // previous save.
        for (quint64 g = 4; g <= kSaves + 3; ++g) {
            records::RecordFile archive(path, kSize);
            QByteArray record;
            quint64 found = 0;
            if (!archive.open() || !archive.read(2, record)) _exit(3);
            if (!isWhole(record, &found) || found != (g == 4 ? 2 : g - 1)) _exit(4);
            if (!archive.write(2, recordOf(g)) || !archive.close()) _exit(3);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(saver, &status, 0);
    kill(browser, SIGKILL);
    waitpid(browser, nullptr, 0);
    records::RecordFile::setSyncing(true);
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_NE(WEXITSTATUS(status), 4) << "a browsing program put an older save back";
    EXPECT_EQ(WEXITSTATUS(status), 0);

    records::RecordFile archive(path, kSize);
    ASSERT_TRUE(archive.open());
    QByteArray record;
    ASSERT_TRUE(archive.read(2, record));
    quint64 generation = 0;
    EXPECT_TRUE(isWhole(record, &generation));
    EXPECT_EQ(generation, kSaves + 3);
}

// Run only inside the traced process of the next test: one overwrite and one append of the
// archive named by TAVOLEX_TRACED_ARCHIVE.
TEST(Crashes, DISABLED_TracedSaves) {
    const QString path = qEnvironmentVariable("TAVOLEX_TRACED_ARCHIVE");
    ASSERT_FALSE(path.isEmpty());
    records::RecordFile archive(path, kSize);
    ASSERT_TRUE(archive.open());
    ASSERT_TRUE(archive.write(2, recordOf(77)));
    ASSERT_EQ(archive.append(recordOf(78)), 4);
    ASSERT_TRUE(archive.close());
}

// What a power cut leaves depends on the order in which the writes reach the disk, which a
// kill does not show: the system calls of an overwrite and an append, as strace sees them,
// must force the journal to the disk before the archive is touched, the archive before the
// journal goes, and an append before it is reported.
TEST(Crashes, SavesReachTheDiskInOrder) {
    if (QProcess::execute(u"strace"_s, {u"-qq"_s, u"-o"_s, u"/dev/null"_s, u"true"_s}) != 0)
        GTEST_SKIP() << "strace cannot trace here";
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Clienti.pro"_s);
    {
        records::RecordFile archive(path, kSize);
        ASSERT_TRUE(archive.open());
        for (quint64 g = 1; g <= 3; ++g)
            ASSERT_EQ(archive.append(recordOf(g)), qint64(g));
    }
    const QString log = dir.filePath(u"trace.log"_s);
    QProcess traced;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"TAVOLEX_TRACED_ARCHIVE"_s, path);
    // LeakSanitizer cannot run under a tracer and fails the traced program at its exit.
    const QString sanitizerOptions = environment.value(u"ASAN_OPTIONS"_s);
    environment.insert(u"ASAN_OPTIONS"_s, sanitizerOptions.isEmpty()
                                              ? u"detect_leaks=0"_s
                                              : sanitizerOptions + u":detect_leaks=0"_s);
    traced.setProcessEnvironment(environment);
    traced.start(u"strace"_s,
                 {u"-f"_s, u"-qq"_s, u"-s"_s, u"4096"_s, u"-o"_s, log, u"-e"_s,
                  u"trace=openat,close,write,pwrite64,fdatasync,fsync,unlink,unlinkat"_s,
                  QFile::symLinkTarget(u"/proc/self/exe"_s), u"--gtest_also_run_disabled_tests"_s,
                  u"--gtest_filter=Crashes.DISABLED_TracedSaves"_s});
    ASSERT_TRUE(traced.waitForFinished(60'000));
    ASSERT_EQ(traced.exitCode(), 0) << traced.readAllStandardOutput().toStdString();

    // The calls on the archive, its journal and its folder, by role.
    QFile trace(log);
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    const QString journal = records::RecordFile::journalPathOf(path);
    const QRegularExpression call(
        u"^(?:\\d+ +)?(\\w+)\\((\\d+|AT_FDCWD)?,? *\"?([^\",]*)\"?.*= (-?\\d+)"_s);
    std::map<QString, QString> roleOfFd;
    QStringList events;
    for (const QByteArray& rawLine : trace.readAll().split('\n')) {
        const QRegularExpressionMatch m = call.match(QString::fromUtf8(rawLine));
        if (!m.hasMatch()) continue;
        const QString name = m.captured(1);
        const QString fd = m.captured(2);
        const QString arg = m.captured(3);
        const QString result = m.captured(4);
        if (name == u"openat"_s) {
            const QString role = arg == path         ? u"archive"_s
                                 : arg == journal    ? u"journal"_s
                                 : arg == dir.path() ? u"folder"_s
                                                     : QString();
            roleOfFd[result] = role;
        } else if (name == u"close"_s) {
            // A closed number is soon given to another file (the sanitizers' own reports).
            roleOfFd.erase(fd);
        } else if (name == u"unlink"_s || name == u"unlinkat"_s) {
            if (rawLine.contains(journal.toUtf8())) events << u"remove journal"_s;
        } else if (const auto role = roleOfFd.find(fd);
                   role != roleOfFd.end() && !role->second.isEmpty()) {
            const QString verb = name == u"pwrite64"_s ? u"write"_s : name;
            events << verb + u' ' + role->second;
        }
    }
    const QStringList expected = {// the overwrite
                                  u"write journal"_s, u"fdatasync journal"_s, u"fsync folder"_s,
                                  u"write archive"_s, u"fdatasync archive"_s, u"remove journal"_s,
                                  // the append
                                  u"write archive"_s, u"fdatasync archive"_s};
    EXPECT_EQ(events, expected) << qPrintable(events.join(u", "_s));
}
