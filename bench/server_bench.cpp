// The archives on a PostgreSQL server: 100,000 client records loaded, a full scan through
// ServerArchive::scan (binary COPY) beside other ways of reading the same rows and beside grep
// over the same records as a file, each with the record bytes stored compressed in the
// TOAST table (EXTENDED, the column's default) and uncompressed (EXTERNAL); then one save's
// round trip, append and overwrite, as a card makes it (open, write, close). The scan reads
// through a cursor; a binary COPY and one whole SELECT result are timed beside it.
// Needs a server: run as `pg_virtualenv ./build/bench/tavolex_bench server`.
// Called from the bench program's main with runServerBench().
#include "benchsupport.h"
#include "records/layouts.h"
#include "records/store.h"
#include "server/serverconnection.h"
#include "server/serverschema.h"
#include "server/serverstore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cstdio>

using namespace tavolex;
using namespace tavolex::server;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint64 kRecords = 100'000;
constexpr int kLoadBatch = 1'000;
constexpr int kSaves = 200;
constexpr int kScanRuns = 5; // the best of these is reported

const QList<Param> kClients = {Param::text(u"Clienti"_s), Param::text({})};

bool failed(ServerConnection& connection, const char* what) {
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(connection.error()));
    return false;
}

// The archive's records, replacing any on the server, in batches: one parameter holds a
// batch's records one after another, which the server cuts into rows.
bool load(ServerConnection& connection, const QByteArray& file, int size) {
    if (!connection.exec("DELETE FROM records WHERE kind = $1 AND year = $2", kClients) ||
        !connection.exec("INSERT INTO archives (kind, year) VALUES ($1, $2)"
                         " ON CONFLICT DO NOTHING",
                         kClients))
        return failed(connection, "empty the archive");
    const qint64 records = file.size() / size;
    for (qint64 first = 0; first < records; first += kLoadBatch) {
        const qint64 count = std::min<qint64>(kLoadBatch, records - first);
        const QByteArray batch = file.mid(first * size, count * size);
        if (!connection.exec("INSERT INTO records (kind, year, number, data)"
                             " SELECT $1, $2, $3::bigint + g, substring($4::bytea from g * $5::int "
                             "+ 1 for $5::int)"
                             " FROM generate_series(0, $6::int - 1) AS g",
                             QList<Param>(kClients)
                                 << Param::number(first + 1) << Param::bytes(batch)
                                 << Param::number(size) << Param::number(count)))
            return failed(connection, "load");
    }
    return connection.exec("VACUUM ANALYZE records") || failed(connection, "vacuum");
}

// The fastest of a few runs of `scan`, which gives the records it visited.
void reportBest(const char* what, const std::function<qint64()>& scan) {
    qint64 best = -1;
    qint64 visited = 0;
    for (int run = 0; run < kScanRuns; ++run) {
        QElapsedTimer t;
        t.start();
        visited = scan();
        best = best < 0 ? t.elapsed() : std::min(best, t.elapsed());
    }
    bench::report(what, best, visited,
                  u"%1 records visited, best of %2"_s.arg(visited).arg(kScanRuns));
}

qint64 scanArchive(const records::Archive& archive) {
    qint64 visited = 0;
    records::StoreError error;
    const bool scanned = archive.scan(
        [&visited](const records::RecordBlock& block) {
            visited += block.count;
            return true;
        },
        &error);
    if (!scanned) std::fprintf(stderr, "scan: %s\n", qPrintable(error.cause));
    return visited;
}

// The same rows through a binary COPY (the archive's key as fixed text: COPY takes no
// parameters).
qint64 scanCopy(ServerConnection& connection) {
    qint64 visited = 0;
    const bool copied = connection.copyOut(
        "COPY (SELECT number, data FROM records WHERE kind = 'Clienti' AND year = ''"
        " ORDER BY number) TO STDOUT (FORMAT binary)",
        [&visited](const char*, int) {
            ++visited;
            return true;
        });
    if (!copied) failed(connection, "copy");
    return visited - 1; // the last message is the trailer
}

// The same rows through a cursor, fetched in batches in binary.
qint64 scanCursor(ServerConnection& connection) {
    qint64 visited = 0;
    if (!connection.begin() ||
        !connection.exec("DECLARE records_read NO SCROLL CURSOR FOR SELECT number, data"
                         " FROM records WHERE kind = $1 AND year = $2 ORDER BY number",
                         kClients)) {
        failed(connection, "cursor");
        return visited;
    }
    for (;;) {
        const QueryResult rows =
            connection.run("FETCH 1000 FROM records_read", {}, ResultFormat::Binary);
        if (!rows.ok() || rows.rows() == 0) break;
        // Each record's bytes taken out, as a scan hands them on.
        for (int row = 0; row < rows.rows(); ++row)
            visited += !rows.value(row, 1).isEmpty();
    }
    connection.rollback();
    return visited;
}

// The same rows as one result, held whole in memory.
qint64 scanOneResult(ServerConnection& connection) {
    const QueryResult rows =
        connection.run("SELECT number, data FROM records WHERE kind = $1 AND year = $2"
                       " ORDER BY number",
                       kClients, ResultFormat::Binary);
    return rows.ok() ? rows.rows() : 0;
}

void reportGrep(const QString& path, qint64 records) {
    QProcess grep;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"LC_ALL"_s, u"C"_s);
    grep.setProcessEnvironment(environment);
    QElapsedTimer t;
    t.start();
    grep.start(u"grep"_s, {u"-c"_s, u"-i"_s, u"rossi"_s, path});
    grep.waitForFinished(-1);
    bench::report(
        "LC_ALL=C grep -c -i rossi Clienti.pro", t.elapsed(), records,
        u"%1 matching lines"_s.arg(QString::fromLatin1(grep.readAllStandardOutput()).trimmed()));
}

void reportSaves(const char* what, const std::function<bool(int)>& save) {
    qint64 total = 0;
    qint64 slowest = 0;
    for (int i = 0; i < kSaves; ++i) {
        QElapsedTimer one;
        one.start();
        if (!save(i)) {
            std::fprintf(stderr, "%s: save %d failed\n", what, i);
            return;
        }
        total += one.nsecsElapsed();
        slowest = std::max(slowest, one.nsecsElapsed());
    }
    std::printf("%-48s %10.1f us per save, slowest %10.1f us\n", what,
                double(total) / 1000.0 / kSaves, double(slowest) / 1000.0);
}

} // namespace

void runServerBench() {
    if (qEnvironmentVariableIsEmpty("PGHOST") && qEnvironmentVariableIsEmpty("PGDATABASE")) {
        std::fprintf(stderr, "No server: run as pg_virtualenv tavolex_bench server\n");
        return;
    }
    QTemporaryDir dir;
    if (!dir.isValid()) return;
    const records::RecordLayout& layout = records::clientLayout();
    const int size = layout.recordSize();
    const QString path = dir.filePath(u"Clienti.pro"_s);
    const bool written =
        bench::writeArchive(path, layout, kRecords, [](qint64 i, records::Record& r) {
            r.setText(u"Cliente",
                      bench::pick({u"Rossi Mario"_s, u"Bianchi Anna"_s, u"Verdi Luca"_s}, i, 3));
            r.setText(u"ComuneRes", bench::pick({u"Roma"_s, u"Forl\u00EC"_s, u"Torino"_s}, i, 5));
        });
    QFile file(path);
    if (!written || !file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.readAll();

    ServerConnection connection({});
    QString cause;
    if (!connection.isOpen() || !ensureSchema(connection, &cause)) {
        std::fprintf(stderr, "server: %s\n",
                     qPrintable(cause.isEmpty() ? connection.error() : cause));
        return;
    }
    const ServerStore store({});
    const auto archive = store.archive(records::archiveId(records::ArchiveKind::Clients));

    // The storage statements are fixed text: the two ways a record's bytes can be kept.
    const std::pair<const char*, const char*> storages[] = {
        {"EXTENDED (compressed)", "ALTER TABLE records ALTER COLUMN data SET STORAGE EXTENDED"},
        {"EXTERNAL (uncompressed)", "ALTER TABLE records ALTER COLUMN data SET STORAGE EXTERNAL"},
    };
    for (const auto& [storage, statement] : storages) {
        std::printf("-- record bytes stored %s\n", storage);
        QElapsedTimer t;
        t.start();
        if (!connection.exec(statement) || !load(connection, bytes, size)) return;
        const QueryResult stored =
            connection.run("SELECT pg_total_relation_size('records') / 1000000");
        bench::report("load 100,000 clients (batched INSERT)", t.elapsed(), kRecords,
                      u"table and TOAST %1 MB"_s.arg(stored.number(0, 0)));
        reportBest("full scan (ServerArchive::scan, cursor)",
                   [&] { return scanArchive(*archive); });
        reportBest("full scan (binary COPY, rows counted)", [&] { return scanCopy(connection); });
        reportBest("full scan (cursor, FETCH 1000, binary)",
                   [&] { return scanCursor(connection); });
        reportBest("full scan (one SELECT result, binary)",
                   [&] { return scanOneResult(connection); });
    }
    reportGrep(path, kRecords);

    // Saves as a card makes them: the archive opened, one record written, closed.
    const auto k = [](qint64 i) { return (i * 7919) % kRecords + 1; }; // spread over the table
    reportSaves("append (open, append, close)", [&](int i) {
        const auto open = archive->open();
        return open && open->append(bytes.mid((i % kRecords) * size, size)) > 0 && open->close();
    });
    QList<QByteArray> before;
    {
        const auto open = archive->open();
        for (int i = 0; i < kSaves; ++i) {
            QByteArray record;
            if (!open || !open->read(k(i), record)) return;
            before << record;
        }
    }
    reportSaves("overwrite (open, overwrite, close)", [&](int i) {
        QByteArray changed = before[i];
        changed[0] = changed[0] == 'X' ? 'Y' : 'X';
        const auto open = archive->open();
        return open &&
               open->overwrite(k(i), before[i], changed) == records::WriteOutcome::Written &&
               open->close();
    });
}
