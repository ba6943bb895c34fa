// Cost of one save (open, write, close, as the card does it) on a 100,000-record client
// archive: overwrites through the journal and appends, each with its writes forced to the
// disk (as the program saves) and without (what a kill alone needs), the same overwrite
// written straight in place as a reference; then a full scan of the archive beside grep
// over the same file.
// Called from the bench program's main with runRecordFileBench().
#include "benchsupport.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/recordfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

using namespace tavolex;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint64 kRecords = 100'000;
constexpr int kSaves = 2'000;
constexpr int kSyncedSaves = 300; // each waits for the disk

struct SaveTimes {
    double mean = -1; // microseconds
    double slowest = -1;
};

// Microseconds per save over `saves` saves, and the slowest one.
SaveTimes timeSaves(const QString& path, const std::function<bool(qint64 i)>& save,
                    int saves = kSaves) {
    SaveTimes times;
    QElapsedTimer total;
    total.start();
    qint64 slowest = 0;
    for (int i = 0; i < saves; ++i) {
        QElapsedTimer one;
        one.start();
        if (!save(i)) {
            std::fprintf(stderr, "save %d failed on %s\n", i, qPrintable(path));
            return times;
        }
        slowest = std::max(slowest, one.nsecsElapsed());
    }
    times.mean = double(total.nsecsElapsed()) / 1000.0 / saves;
    times.slowest = double(slowest) / 1000.0;
    return times;
}

void reportSave(const char* what, SaveTimes times) {
    std::printf("%-48s %10.1f us per save, slowest %10.1f us\n", what, times.mean, times.slowest);
}

} // namespace

void runRecordFileBench() {
    QTemporaryDir dir;
    if (!dir.isValid()) return;
    const records::RecordLayout& layout = records::clientLayout();
    const int size = layout.recordSize();
    const QString archive = dir.filePath(u"Clienti.pro"_s);
    QElapsedTimer t;
    t.start();
    const bool written =
        bench::writeArchive(archive, layout, kRecords, [](qint64 i, records::Record& r) {
            r.setText(u"Cliente",
                      bench::pick({u"Rossi Mario"_s, u"Bianchi Anna"_s, u"Verdi Luca"_s}, i, 3));
            r.setText(u"ComuneRes", bench::pick({u"Roma"_s, u"Forl\u00EC"_s, u"Torino"_s}, i, 5));
        });
    if (!written) return;
    bench::report("generate Clienti.pro (record file)", t.elapsed(), kRecords);

    // The generated archive reaches the disk first, so that the first synced save does not
    // pay for writing the whole new file.
    {
        QFile generated(archive);
        if (generated.open(QIODevice::ReadOnly)) ::fsync(generated.handle());
    }
    const QByteArray record = records::Record(layout).bytes();
    const auto k = [](qint64 i) { return (i * 7919) % kRecords + 1; }; // spread over the file
    const auto overwrite = [&](qint64 i) {
        records::RecordFile file(archive, size);
        return file.open() && file.write(k(i), record) && file.close();
    };
    const auto append = [&](qint64) {
        records::RecordFile file(archive, size);
        return file.open() && file.append(record) > 0 && file.close();
    };
    reportSave("overwrite, journalled, synced (as saved)",
               timeSaves(archive, overwrite, kSyncedSaves));
    reportSave("append, synced (as saved)", timeSaves(archive, append, kSyncedSaves));
    records::RecordFile::setSyncing(false);
    reportSave("overwrite, journalled, not synced", timeSaves(archive, overwrite));
    reportSave("append, not synced", timeSaves(archive, append));
    records::RecordFile::setSyncing(true);
    reportSave("overwrite in place, no journal (reference)", timeSaves(archive, [&](qint64 i) {
                   QFile file(archive);
                   return file.open(QIODevice::ReadWrite) && file.seek((k(i) - 1) * size) &&
                          file.write(record) == size && file.flush();
               }));

    const qint64 all = QFile(archive).size() / size;
    qint64 visited = 0;
    t.restart();
    records::RecordFile::scan(archive, size, [&visited](qint64, const char* r) {
        visited += r != nullptr;
        return true;
    });
    bench::report("full scan (RecordFile::scan)", t.elapsed(), all,
                  u"%1 records visited"_s.arg(visited));
    bench::reportGrep(u"rossi"_s, archive, u"Clienti.pro"_s, all);
}
