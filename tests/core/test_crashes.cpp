// A save loop killed (SIGKILL) at random moments, over and over, as a crash or a power
// button would stop the program: every record must stay whole (never half old, half new)
// and every save that was reported done must still be there.
#include "records/recordfile.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
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
        usleep(useconds_t(1000 + random() % 20000));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the save loop stopped by itself: " << status;
        Confirmed done{};
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
    EXPECT_GT(confirmedSaves, kKills) << "the loop hardly saved anything";
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
