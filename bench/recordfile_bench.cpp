// Cost of one save (open, write, close, as the card does it) on a 100,000-record client
// archive: overwrites through the journal, the same overwrite written straight in place as
// a reference, and appends; then a full scan of the archive beside grep over the same file.
// Called from the bench program's main with runRecordFileBench().
#include "benchsupport.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/recordfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

using namespace tavolex;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint64 kRecords = 100'000;
constexpr int kSaves = 2'000;

// Microseconds per save over kSaves saves.
double timeSaves(const QString& path, int size, const std::function<bool(qint64 i)>& save) {
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kSaves; ++i)
        if (!save(i)) {
            std::fprintf(stderr, "save %d failed on %s\n", i, qPrintable(path));
            return -1;
        }
    Q_UNUSED(size);
    return double(t.nsecsElapsed()) / 1000.0 / kSaves;
}

void reportSave(const char* what, double micros) {
    std::printf("%-44s %10.1f us per save\n", what, micros);
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

    const QByteArray record = records::Record(layout).bytes();
    const auto k = [](qint64 i) { return (i * 7919) % kRecords + 1; }; // spread over the file
    reportSave("overwrite, journalled (RecordFile::write)", timeSaves(archive, size, [&](qint64 i) {
                   records::RecordFile file(archive, size);
                   return file.open() && file.write(k(i), record) && file.close();
               }));
    reportSave("overwrite in place, no journal (reference)",
               timeSaves(archive, size, [&](qint64 i) {
                   QFile file(archive);
                   return file.open(QIODevice::ReadWrite) && file.seek((k(i) - 1) * size) &&
                          file.write(record) == size && file.flush();
               }));
    reportSave("append (RecordFile::append)", timeSaves(archive, size, [&](qint64) {
                   records::RecordFile file(archive, size);
                   return file.open() && file.append(record) > 0 && file.close();
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
