// The server store against a real PostgreSQL server: ctest runs this program inside
// pg_virtualenv, which starts a throw-away cluster and sets PGHOST, PGPORT, PGUSER, PGPASSWORD
// and PGDATABASE for it.
#include "records/archives.h"
#include "records/folderstore.h"
#include "records/store.h"
#include "server/serverconnection.h"
#include "server/serverschema.h"
#include "server/serverstore.h"

#include <QSet>
#include <QTemporaryDir>
#include <arpa/inet.h>
#include <functional>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavolex;
using namespace tavolex::records;
using namespace tavolex::server;
using namespace Qt::Literals::StringLiterals;

namespace {

ArchiveId clients() {
    return archiveId(ArchiveKind::Clients);
}
ArchiveId protocol(int year) {
    return archiveId(ArchiveKind::Protocol, year);
}

// A record told apart by its tag: the tag in eight digits, then bytes that differ from one
// offset to the next, so that a shifted or mixed-up record shows.
QByteArray recordOf(int size, int tag) {
    QByteArray record(size, '\0');
    for (int i = 0; i < size; ++i)
        record[i] = char((i * 7 + tag) % 256);
    record.replace(0, 8, QByteArray::number(tag).rightJustified(8, '0'));
    return record;
}

// "t<tag>" for a record made by recordOf, "?" for any other bytes.
QString tagOf(const QByteArray& record) {
    bool ok = false;
    const int tag = record.left(8).toInt(&ok);
    if (!ok || record != recordOf(int(record.size()), tag)) return u"?"_s;
    return u"t%1"_s.arg(tag);
}

// Every record a scan visits as "<number>:<tag>", and whether each block began where the
// one before ended.
struct Scanned {
    bool ok = false;
    QStringList records;
    int blocks = 0;
    bool contiguous = true;
    StoreError error;
};

Scanned scanAll(const Archive& archive) {
    Scanned scanned;
    qint64 next = 1;
    scanned.ok = archive.scan(
        [&](const RecordBlock& block) {
            ++scanned.blocks;
            scanned.contiguous = scanned.contiguous && block.first == next &&
                                 block.size == archive.recordSize() && block.count > 0;
            for (qint64 i = 0; i < block.count; ++i) {
                const QByteArray bytes(block.record(i), block.size);
                scanned.records << u"%1:%2"_s.arg(block.number(i)).arg(tagOf(bytes));
            }
            next = block.first + block.count;
            return true;
        },
        &scanned.error);
    return scanned;
}

QList<QByteArray> storedRecords(const Archive& archive) {
    QList<QByteArray> stored;
    const bool scanned = archive.scan([&](const RecordBlock& block) {
        for (qint64 i = 0; i < block.count; ++i)
            stored << QByteArray(block.record(i), block.size);
        return true;
    });
    EXPECT_TRUE(scanned);
    return stored;
}

// A connection to the cluster pg_virtualenv made, for setting up what a test needs.
class Admin {
public:
    explicit Admin(const QString& connectionString = {}) : m_connection(connectionString) {}
    ServerConnection* operator->() { return &m_connection; }
    ServerConnection& operator*() { return m_connection; }

    void run(const char* sql, const QList<Param>& params = {}) {
        ASSERT_TRUE(m_connection.exec(sql, params))
            << sql << ": " << qPrintable(m_connection.error());
    }
    qint64 number(const char* sql, const QList<Param>& params = {}) {
        const QueryResult result = m_connection.run(sql, params);
        EXPECT_TRUE(result.ok() && result.rows() == 1)
            << sql << ": " << qPrintable(m_connection.error());
        return result.rows() == 1 ? result.number(0, 0, -1) : -1;
    }

private:
    ServerConnection m_connection;
};

// A fresh database of its own (CREATE DATABASE takes no parameters: the names are fixed).
void makeDatabase(const char* drop, const char* create) {
    Admin admin;
    ASSERT_TRUE(admin->isOpen()) << qPrintable(admin->error());
    admin.run(drop);
    admin.run(create);
}

class ServerStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        Admin admin;
        ASSERT_TRUE(admin->isOpen()) << qPrintable(admin->error());
        QString cause;
        ASSERT_TRUE(ensureSchema(*admin, &cause)) << qPrintable(cause);
        admin.run("DELETE FROM records");
        admin.run("DELETE FROM archives");
    }
};

// ---- One table of operations, run on each kind of store ----------------------------------

enum class Op { Count, Append, Read, Overwrite, Scan };

struct Step {
    Op op;
    qint64 k = 0;        // the record read or written over
    int tag = 0;         // the record appended or written
    int expectedTag = 0; // Overwrite: the record as the caller read it
    int size = 0;        // a record of this many bytes instead of the archive's size
    const char* result = "";
};

const Step kSteps[] = {
    {.op = Op::Count, .result = "0"},
    {.op = Op::Scan, .result = ""},
    {.op = Op::Append, .tag = 1, .result = "1"},
    {.op = Op::Append, .tag = 2, .result = "2"},
    {.op = Op::Append, .tag = 3, .result = "3"},
    {.op = Op::Read, .k = 2, .result = "t2"},
    {.op = Op::Overwrite, .k = 2, .tag = 5, .expectedTag = 2, .result = "Written"},
    {.op = Op::Read, .k = 2, .result = "t5"},
    // Another station wrote record 2 since this caller read t2: nothing is written.
    {.op = Op::Overwrite, .k = 2, .tag = 6, .expectedTag = 2, .result = "Conflict"},
    {.op = Op::Read, .k = 2, .result = "t5"},
    {.op = Op::Overwrite, .k = 4, .tag = 6, .expectedTag = 1, .result = "Failed"},
    {.op = Op::Read, .k = 4, .result = "fails"},
    {.op = Op::Read, .k = 0, .result = "fails"},
    {.op = Op::Append, .tag = 7, .size = 100, .result = "0"},
    {.op = Op::Overwrite, .k = 1, .tag = 7, .expectedTag = 1, .size = 100, .result = "Failed"},
    {.op = Op::Read, .k = 1, .result = "t1"},
    {.op = Op::Count, .result = "3"},
    {.op = Op::Scan, .result = "1:t1 2:t5 3:t3"},
};

// What one step gave, in the table's words. Each step opens the archive for its own action,
// as a card's save does.
QString runStep(const Archive& archive, const Step& step) {
    const int size = step.size ? step.size : archive.recordSize();
    if (step.op == Op::Scan) {
        const Scanned scanned = scanAll(archive);
        if (!scanned.ok || !scanned.contiguous) return u"scan fails"_s;
        return scanned.records.join(u' ');
    }
    StoreError error;
    const auto open = archive.open(&error);
    if (!open) return u"open fails: "_s + error.cause;
    switch (step.op) {
    case Op::Count:
        return QString::number(open->count());
    case Op::Append:
        return QString::number(open->append(recordOf(size, step.tag)));
    case Op::Read: {
        QByteArray record;
        return open->read(step.k, record) ? tagOf(record) : u"fails"_s;
    }
    case Op::Overwrite:
        switch (open->overwrite(step.k, recordOf(archive.recordSize(), step.expectedTag),
                                recordOf(size, step.tag))) {
        case WriteOutcome::Written:
            return u"Written"_s;
        case WriteOutcome::Conflict:
            return u"Conflict"_s;
        case WriteOutcome::Failed:
            return u"Failed"_s;
        }
        break;
    case Op::Scan:
        break;
    }
    return u"?"_s;
}

struct StoreKind {
    const char* name;
    std::function<std::unique_ptr<Archive>(const QString& folder)> archive;
};

const StoreKind kStores[] = {
    {"server", [](const QString&) { return ServerStore({}).archive(clients()); }},
    // The record files of a folder: the server must give what they give.
    {"folder", [](const QString& folder) { return FolderStore(folder).archive(clients()); }},
};

void PrintTo(const StoreKind& kind, std::ostream* out) {
    *out << kind.name;
}

class SameOperations : public ServerStoreTest, public ::testing::WithParamInterface<StoreKind> {};

} // namespace

TEST_P(SameOperations, GiveTheTableResultsAndBytes) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto archive = GetParam().archive(folder.path());
    for (size_t i = 0; i < std::size(kSteps); ++i) {
        EXPECT_EQ(runStep(*archive, kSteps[i]), QString::fromLatin1(kSteps[i].result))
            << "step " << i;
    }
    // The stored bytes themselves, not only their tags.
    const QList<QByteArray> stored = storedRecords(*archive);
    const int size = archive->recordSize();
    EXPECT_EQ(stored, (QList<QByteArray>{recordOf(size, 1), recordOf(size, 5), recordOf(size, 3)}));
}

INSTANTIATE_TEST_SUITE_P(Stores, SameOperations, ::testing::ValuesIn(kStores),
                         [](const auto& each) { return std::string(each.param.name); });

// ---- Names, existence, years and the version mark -----------------------------------------

TEST_F(ServerStoreTest, ArchivesExistOnceOpenedAndCountTheirWrites) {
    const ServerStore store({});
    const auto archive = store.archive(protocol(2026));
    EXPECT_EQ(archive->name(), u"2026.prt (archivio condiviso)"_s);
    EXPECT_EQ(archive->recordSize(), archiveEntry(ArchiveKind::Protocol).layout().recordSize());
    EXPECT_FALSE(archive->exists());
    EXPECT_EQ(archive->version(), QByteArray());
    EXPECT_TRUE(scanAll(*archive).ok); // a missing archive has no records and is no failure
    EXPECT_FALSE(archive->exists());   // and a scan does not make it

    ASSERT_TRUE(archive->prepare());
    EXPECT_TRUE(archive->exists());
    EXPECT_EQ(archive->version(), "0");
    ASSERT_TRUE(store.archive(protocol(2024))->prepare());
    ASSERT_TRUE(store.archive(clients())->prepare());
    EXPECT_EQ(store.years(archiveEntry(ArchiveKind::Protocol)), (QList<int>{2024, 2026}));
    EXPECT_EQ(store.years(archiveEntry(ArchiveKind::Clients)), QList<int>());
    EXPECT_EQ(store.years(archiveEntry(ArchiveKind::Deadlines)), QList<int>());
    // A year typed as any four characters names an archive, though no year lists it.
    const auto typed = store.archive(archiveOfYear(ArchiveKind::Protocol, u" 20a6 "_s));
    EXPECT_EQ(typed->name(), u"20a6.prt (archivio condiviso)"_s);
    ASSERT_TRUE(typed->prepare());
    EXPECT_TRUE(typed->exists());
    EXPECT_EQ(store.years(archiveEntry(ArchiveKind::Protocol)), (QList<int>{2024, 2026}));

    const int size = archive->recordSize();
    auto open = archive->open();
    ASSERT_TRUE(open);
    ASSERT_EQ(open->append(recordOf(size, 1)), 1);
    EXPECT_EQ(archive->version(), "1");
    EXPECT_EQ(open->overwrite(1, recordOf(size, 9), recordOf(size, 2)), WriteOutcome::Conflict);
    EXPECT_EQ(open->error().archive, archive->name());
    EXPECT_FALSE(open->error().cause.isEmpty());
    EXPECT_EQ(archive->version(), "1"); // a refused overwrite is no change
    EXPECT_EQ(open->overwrite(1, recordOf(size, 1), recordOf(size, 2)), WriteOutcome::Written);
    EXPECT_EQ(archive->version(), "2");
    EXPECT_TRUE(open->close());
    EXPECT_EQ(open->count(), -1); // closed: nothing more goes through it
    EXPECT_EQ(storedRecords(*archive), QList<QByteArray>{recordOf(size, 2)});
}

// ---- Two stations appending at once ------------------------------------------------------

namespace {

constexpr int kStationAppends = 200;

// One station's appends, in a child process released by `gate` closing. Its own store, so
// it makes its own connections (and checks the tables, as the other station does at once).
[[noreturn]] void appendAsStation(int station, int gate) {
    const ServerStore store(u"dbname=tavolex_race"_s);
    const auto archive = store.archive(clients());
    char released;
    const bool waited = ::read(gate, &released, 1) == 0;
    int failures = waited ? 0 : 1;
    for (int i = 0; i < kStationAppends; ++i) {
        const auto open = archive->open();
        if (!open || open->append(recordOf(archive->recordSize(), station * 1000 + i)) <= 0)
            ++failures;
    }
    ::_exit(failures == 0 ? 0 : 1);
}

} // namespace

TEST(ServerStations, AppendingAtOnceNumberEveryRecordOnce) {
    makeDatabase("DROP DATABASE IF EXISTS tavolex_race", "CREATE DATABASE tavolex_race");
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    QList<pid_t> children;
    for (int station = 1; station <= 2; ++station) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(gate[1]);
            appendAsStation(station, gate[0]);
        }
        children << child;
    }
    ::close(gate[0]);
    ::close(gate[1]); // both stations start appending now
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "station " << child;
    }

    const auto archive = ServerStore(u"dbname=tavolex_race"_s).archive(clients());
    const Scanned scanned = scanAll(*archive);
    ASSERT_TRUE(scanned.ok) << qPrintable(scanned.error.cause);
    EXPECT_TRUE(scanned.contiguous);
    EXPECT_GE(scanned.blocks, 2); // 400 records of 3372 bytes do not fit one block
    ASSERT_EQ(scanned.records.size(), 2 * kStationAppends);
    // Numbers 1..400 in order, each record whole, each station's records once and in the
    // order it appended them.
    QSet<QString> seen;
    int last[3] = {-1, -1, -1};
    for (int n = 0; n < scanned.records.size(); ++n) {
        const QStringList parts = scanned.records[n].split(u':');
        ASSERT_EQ(parts.size(), 2);
        EXPECT_EQ(parts[0].toInt(), n + 1);
        ASSERT_TRUE(parts[1].startsWith(u't')) << qPrintable(scanned.records[n]);
        const int tag = parts[1].mid(1).toInt();
        const int station = tag / 1000;
        ASSERT_TRUE(station == 1 || station == 2) << tag;
        EXPECT_GT(tag % 1000, last[station]);
        last[station] = tag % 1000;
        EXPECT_FALSE(seen.contains(parts[1]));
        seen.insert(parts[1]);
    }
    EXPECT_EQ(seen.size(), 2 * kStationAppends);
    EXPECT_EQ(archive->version(), QByteArray::number(2 * kStationAppends));

    // A visitor that stops after the first block ends the scan there, without a failure,
    // and the connection goes on serving.
    int blocks = 0;
    EXPECT_TRUE(archive->scan([&blocks](const RecordBlock&) { return ++blocks < 1; }));
    EXPECT_EQ(blocks, 1);
    const auto open = archive->open();
    ASSERT_TRUE(open);
    EXPECT_EQ(open->count(), 2 * kStationAppends);
}

// ---- A damaged archive ---------------------------------------------------------------------

namespace {

struct Damage {
    const char* name;
    const char* sql; // done to record 2 of three ($1, $2: the archive)
    const char* scanCause;
    const char* readCause;
};

const Damage kDamages[] = {
    {"shorter",
     "UPDATE records SET data = substring(data from 1 for 10)"
     " WHERE kind = $1 AND year = $2 AND number = 2",
     "record 2 is 10 bytes, not 3372", "damaged archive"},
    {"longer",
     "UPDATE records SET data = data || '\\x00'::bytea"
     " WHERE kind = $1 AND year = $2 AND number = 2",
     "record 2 is 3373 bytes, not 3372", "damaged archive"},
    {"missing", "DELETE FROM records WHERE kind = $1 AND year = $2 AND number = 2",
     "record 2 is missing", "record 2 is past the end"},
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.name;
}

class DamagedArchive : public ServerStoreTest, public ::testing::WithParamInterface<Damage> {};

} // namespace

TEST_P(DamagedArchive, FailsTheScanAndTheDamagedRecordOnly) {
    const auto archive = ServerStore({}).archive(clients());
    const int size = archive->recordSize();
    {
        const auto open = archive->open();
        ASSERT_TRUE(open);
        for (int tag = 1; tag <= 3; ++tag)
            ASSERT_EQ(open->append(recordOf(size, tag)), tag);
    }
    Admin admin;
    admin.run(GetParam().sql, {Param::text(u"Clienti"_s), Param::text({})});

    QList<qint64> visited;
    StoreError error;
    EXPECT_FALSE(archive->scan(
        [&](const RecordBlock& block) {
            EXPECT_EQ(block.size, size); // never a record of another size
            for (qint64 i = 0; i < block.count; ++i)
                visited << block.number(i);
            return true;
        },
        &error));
    EXPECT_FALSE(visited.contains(2));
    EXPECT_EQ(error.archive, archive->name());
    EXPECT_TRUE(error.cause.contains(QString::fromUtf8(GetParam().scanCause)))
        << qPrintable(error.cause);

    const auto open = archive->open();
    ASSERT_TRUE(open);
    EXPECT_EQ(open->count(), 3);
    QByteArray record;
    EXPECT_FALSE(open->read(2, record));
    EXPECT_TRUE(open->error().cause.contains(QString::fromUtf8(GetParam().readCause)))
        << qPrintable(open->error().cause);
    ASSERT_TRUE(open->read(3, record));
    EXPECT_EQ(record, recordOf(size, 3));
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedArchive, ::testing::ValuesIn(kDamages),
                         [](const auto& each) { return std::string(each.param.name); });

// ---- A server that is not there, or stops answering ----------------------------------------

namespace {

// A port on this machine, with a socket listening on it or, if not `listening`, none.
struct LocalPort {
    int socket = -1;
    int port = 0;

    explicit LocalPort(bool listening) {
        socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(socket, reinterpret_cast<sockaddr*>(&address), length);
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        if (listening) {
            ::listen(socket, 4); // the kernel takes the connection; nobody ever answers
        } else {
            ::close(socket);
            socket = -1;
        }
    }
    ~LocalPort() {
        if (socket >= 0) ::close(socket);
    }
};

struct DeadServer {
    const char* name;
    bool listening;
    const char* cause;
};

const DeadServer kDeadServers[] = {
    {"nothing_listens", false, "refused"},
    // Only the connect timeout ends this wait: without it the connection would hang.
    {"never_answers", true, "timeout"},
};

void PrintTo(const DeadServer& server, std::ostream* out) {
    *out << server.name;
}

class DeadServerTest : public ::testing::TestWithParam<DeadServer> {};

} // namespace

TEST_P(DeadServerTest, FailsWithTheCause) {
    const LocalPort port(GetParam().listening);
    ASSERT_GT(port.port, 0);
    const QString address = u"host=127.0.0.1 port=%1 dbname=tavolex"_s.arg(port.port);
    StoreError error;
    const auto archive = ServerStore(address).archive(clients());
    EXPECT_EQ(archive->open(&error), nullptr);
    EXPECT_EQ(error.archive, u"Clienti.pro (archivio condiviso)"_s);
    EXPECT_TRUE(error.cause.contains(QString::fromLatin1(GetParam().cause)))
        << qPrintable(error.cause);
}

INSTANTIATE_TEST_SUITE_P(Servers, DeadServerTest, ::testing::ValuesIn(kDeadServers),
                         [](const auto& each) { return std::string(each.param.name); });

TEST(ServerConnectionSettings, GiveUpOnASilentServerUnlessTheStringSaysOtherwise) {
    struct Case {
        QString given;
        const char* keyword;
        QString value;
    };
    const Case cases[] = {
        {{}, "connect_timeout", u"10"_s},
        {{}, "keepalives", u"1"_s},
        {{}, "keepalives_idle", u"5"_s},
        {{}, "keepalives_interval", u"2"_s},
        {{}, "keepalives_count", u"2"_s},
        {{}, "tcp_user_timeout", u"10000"_s},
        {u"connect_timeout=3 keepalives_idle=7"_s, "connect_timeout", u"3"_s},
        {u"connect_timeout=3 keepalives_idle=7"_s, "keepalives_idle", u"7"_s},
        {u"connect_timeout=3 keepalives_idle=7"_s, "keepalives_count", u"2"_s},
        {u"postgresql:///?tcp_user_timeout=4000"_s, "tcp_user_timeout", u"4000"_s},
        // The environment's defaults still apply to what the string leaves out.
        {u"connect_timeout=3"_s, "dbname", qEnvironmentVariable("PGDATABASE")},
    };
    for (const Case& c : cases) {
        ServerConnection connection(c.given);
        ASSERT_TRUE(connection.isOpen()) << qPrintable(connection.error());
        EXPECT_EQ(connection.setting(c.keyword), c.value)
            << qPrintable(c.given) << " " << c.keyword;
    }
}

TEST(ServerConnectionCopy, HandsOnEveryRowOrStopsWhenAsked) {
    ServerConnection connection({});
    ASSERT_TRUE(connection.isOpen()) << qPrintable(connection.error());
    QList<QByteArray> rows;
    ASSERT_TRUE(connection.copyOut("COPY (SELECT g FROM generate_series(1, 3) AS g) TO STDOUT",
                                   [&rows](const char* data, int length) {
                                       rows << QByteArray(data, length);
                                       return true;
                                   }))
        << qPrintable(connection.error());
    EXPECT_EQ(rows, (QList<QByteArray>{"1\n", "2\n", "3\n"}));

    int seen = 0;
    EXPECT_TRUE(
        connection.copyOut("COPY (SELECT g FROM generate_series(1, 10000000) AS g) TO STDOUT",
                           [&seen](const char*, int) { return ++seen < 3; }));
    EXPECT_EQ(seen, 3); // nothing handed on after the stop
    const QueryResult after = connection.run("SELECT 41 + 1");
    ASSERT_TRUE(after.ok()) << qPrintable(connection.error());
    EXPECT_EQ(after.number(0, 0), 42);

    EXPECT_FALSE(
        connection.copyOut("COPY (SELECT 1 / 0) TO STDOUT", [](const char*, int) { return true; }));
    EXPECT_TRUE(connection.error().contains(u"division by zero"_s))
        << qPrintable(connection.error());
}

// ---- A connection lost during an action ----------------------------------------------------

namespace {

// Ends every connection of the program but the admin's own, and waits until they are gone.
void dropStationConnections(Admin& admin) {
    admin.run("SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
              " WHERE application_name = 'Tavolex' AND pid <> pg_backend_pid()");
    while (admin.number("SELECT count(*) FROM pg_stat_activity"
                        " WHERE application_name = 'Tavolex' AND pid <> pg_backend_pid()") > 0)
        ::usleep(10'000);
}

} // namespace

TEST_F(ServerStoreTest, ALostConnectionFailsTheWriteAndLeavesNothingHalfDone) {
    const ServerStore store({});
    const auto archive = store.archive(clients());
    const int size = archive->recordSize();
    auto open = archive->open();
    ASSERT_TRUE(open);
    ASSERT_EQ(open->append(recordOf(size, 1)), 1);
    // A second connection, idle in the store's pool from now on.
    EXPECT_EQ(archive->version(), "1");

    Admin admin;
    dropStationConnections(admin);
    EXPECT_EQ(open->append(recordOf(size, 2)), 0);
    EXPECT_FALSE(open->error().cause.isEmpty());
    EXPECT_EQ(open->overwrite(1, recordOf(size, 1), recordOf(size, 3)), WriteOutcome::Failed);
    open.reset();

    // The next action connects again: the idle connection the server closed is not used.
    open = archive->open();
    ASSERT_TRUE(open);
    EXPECT_EQ(open->count(), 1);
    EXPECT_EQ(archive->version(), "1");
    EXPECT_EQ(storedRecords(*archive), QList<QByteArray>{recordOf(size, 1)});
}

// ---- The tables' layout ----------------------------------------------------------------------

TEST(ServerSchema, IsMadeOnceAndRefusedWhenNewerThanTheProgram) {
    makeDatabase("DROP DATABASE IF EXISTS tavolex_schema", "CREATE DATABASE tavolex_schema");
    Admin admin(u"dbname=tavolex_schema"_s);
    ASSERT_TRUE(admin->isOpen()) << qPrintable(admin->error());
    QString cause;
    ASSERT_TRUE(ensureSchema(*admin, &cause)) << qPrintable(cause);
    const auto archive = ServerStore(u"dbname=tavolex_schema"_s).archive(clients());
    {
        const auto open = archive->open();
        ASSERT_TRUE(open);
        ASSERT_EQ(open->append(recordOf(archive->recordSize(), 1)), 1);
    }
    // Again, as every station's start does: nothing changes, nothing is lost.
    ASSERT_TRUE(ensureSchema(*admin, &cause)) << qPrintable(cause);
    EXPECT_EQ(admin.number("SELECT count(*) FROM tavolex_schema"), 1);
    EXPECT_EQ(admin.number("SELECT version FROM tavolex_schema"), kSchemaVersion);
    EXPECT_EQ(admin.number("SELECT count(*) FROM records"), 1);

    admin.run("UPDATE tavolex_schema SET version = $1", {Param::number(kSchemaVersion + 1)});
    EXPECT_FALSE(ensureSchema(*admin, &cause));
    EXPECT_TRUE(cause.contains(u"at version %1"_s.arg(kSchemaVersion + 1))) << qPrintable(cause);
    EXPECT_TRUE(cause.contains(u"a newer Tavolex is needed"_s)) << qPrintable(cause);
    // A new station refuses it too, and leaves it as it is.
    StoreError error;
    EXPECT_EQ(ServerStore(u"dbname=tavolex_schema"_s).archive(clients())->open(&error), nullptr);
    EXPECT_EQ(error.cause, cause);
    EXPECT_EQ(admin.number("SELECT version FROM tavolex_schema"), kSchemaVersion + 1);
    EXPECT_EQ(admin.number("SELECT count(*) FROM records"), 1);
}
