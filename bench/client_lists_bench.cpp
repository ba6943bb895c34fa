// Times the client search, the re-contact list, the client export and the double-click
// load over an archive of 100,000 clients, driving the real screens offscreen, with
// grep over the same file as a yardstick.
#include "benchsupport.h"
#include "core/programfolder.h"
#include "records/folderstore.h"
#include "records/layouts.h"
#include "records/record.h"
#include "records/recordfile.h"
#include "search/clientlines.h"
#include "search/filters.h"
#include "ui/clients/TfrmExpClienti.h"
#include "ui/clients/TfrmRicontatta.h"
#include "ui/clients/TfrmTrovaClienti.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace tavolex;
using tavolex::bench::pick;

namespace {

constexpr qint64 kRecords = 100000;

const QStringList kSurnames = {u"Rossi"_s,    u"Russo"_s,   u"Ferrari"_s,  u"Esposito"_s,
                               u"Bianchi"_s,  u"Romano"_s,  u"Colombo"_s,  u"Ricci"_s,
                               u"Marino"_s,   u"Greco"_s,   u"Bruno"_s,    u"Gallo"_s,
                               u"Conti"_s,    u"De Luca"_s, u"Mancini"_s,  u"Costa"_s,
                               u"Giordano"_s, u"Rizzo"_s,   u"Lombardi"_s, u"Moretti"_s};
const QStringList kNames = {u"Mario"_s,  u"Anna"_s,      u"Luca"_s,       u"Giulia"_s,
                            u"Marco"_s,  u"Sara"_s,      u"Paolo"_s,      u"Chiara"_s,
                            u"Andrea"_s, u"Francesca"_s, u"Nicol\u00F2"_s};
const QStringList kTowns = {u"Roma"_s,
                            u"Milano"_s,
                            u"Napoli"_s,
                            u"Torino"_s,
                            u"Palermo"_s,
                            u"Genova"_s,
                            u"Bologna"_s,
                            u"Firenze"_s,
                            u"Bari"_s,
                            u"Catania"_s,
                            u"Venezia"_s,
                            u"Verona"_s,
                            u"Romano di Lombardia"_s};
const QStringList kJobs = {u"Avvocato"_s, u"Commercialista"_s, u"Insegnante"_s, u"Impiegato"_s,
                           u"Medico"_s,   u"Artigiano"_s,      u"Pensionato"_s, u"Ingegnere"_s};
const QStringList kProducts = {u"Consulenza fiscale"_s, u"Dichiarazione dei redditi"_s,
                               u"Successioni"_s, u"Contratti di locazione"_s,
                               u"Pratiche edilizie"_s};

bool generateArchive(const QString& path) {
    const int ricontatta = records::clientLayout().indexOf(u"Ricontatta");
    return bench::writeArchive(
        path, records::clientLayout(), kRecords, [&](qint64 i, records::Record& r) {
            r.setText(u"Cliente", pick(kSurnames, i, 0) + u' ' + pick(kNames, i, 3));
            r.setText(u"DataNasc", u"%1/%2/%3"_s.arg(1 + i % 28, 2, 10, QChar(u'0'))
                                       .arg(1 + i % 12, 2, 10, QChar(u'0'))
                                       .arg(1940 + i % 60));
            r.setText(u"ComuneNasc", pick(kTowns, i, 5));
            r.setText(u"ProvNasc", u"RM"_s);
            r.setText(u"Sesso", i % 2 ? u"M"_s : u"F"_s);
            r.setText(u"Recapito", u"Cell. 3%1"_s.arg(i % 1000000000, 9, 10, QChar(u'0')));
            r.setText(u"IndirizzoRes", u"Via Garibaldi %1"_s.arg(i % 300));
            r.setText(u"ProvRes", u"MI"_s);
            r.setText(u"ComuneRes", pick(kTowns, i, 11));
            r.setText(u"CapRes", u"20100"_s);
            r.setText(u"Estremi", u"Bonifico bancario a 30 giorni"_s);
            r.setText(u"TelCasa", u"02 %1"_s.arg(i));
            r.setText(u"TelCel", u"333 %1"_s.arg(i));
            r.setText(u"Email", u"cliente%1@esempio.it"_s.arg(i));
            r.setText(u"CodFisc", u"RSSMRA70A01H501U"_s);
            r.setText(u"PartitaIva", u"%1"_s.arg(i, 11, 10, QChar(u'0')));
            r.setText(u"Iban", u"IT60X0542811101000000123456"_s);
            r.setText(u"Documento", u"Carta d'identit\u00E0 n. AX%1"_s.arg(i));
            r.setText(u"Occupazione", pick(kJobs, i, 13));
            r.setText(u"Civile", i % 3 ? u"Coniugato"_s : u"Celibe"_s);
            r.setText(u"Prodotti", pick(kProducts, i, 17));
            r.setText(u"Zona", i % 2 ? u"Nord"_s : u"Centro"_s);
            r.setText(u"Questioni", u"Richiamare per la scheda %1"_s.arg(i));
            r.setText(u"Note",
                      u"Scheda di prova numero %1, cliente dal %2"_s.arg(i).arg(1990 + i % 30));
            r.setFlag(ricontatta, i % 10 == 0);
        });
}

// One double-click on entry `row` of a fresh search over the whole archive, in microseconds.
// `carried`: the entries keep the record the search found behind them; otherwise they are
// given back to the list as bare lines, so the double-click scans the archive for the last
// record with that line (as every list did before lines carried their records).
qint64 doubleClickMicros(int row, bool carried, qint64* position) {
    ui::TfrmTrovaClienti screen;
    screen.setCallerTag(u"clienti"_s);
    screen.show();
    screen.findChild<QPushButton*>(u"btnCerca"_s)->click();
    if (!carried) screen.setLines(screen.lines());
    const int at = row < 0 ? screen.lineCount() + row : row;
    QElapsedTimer t;
    t.start();
    screen.activateRow(at);
    const qint64 us = t.nsecsElapsed() / 1000;
    *position = screen.chosen() ? screen.chosen()->position : 0;
    return us;
}

// "tavolex_bench doubleclick": the double-click load at 100,000 clients, by the record the
// entry carries and by a scan of the archive, beside grep over the same file. Each figure is
// the median of five runs.
void runDoubleClickBench(const QString& archive) {
    // As an archive saved long before its list: the list trusts the record it found behind an
    // entry only in an archive whose times are not those of moments ago.
    {
        QFile file(archive);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                             QFileDevice::FileModificationTime);
    }
    struct Case {
        const char* what;
        int row;
        bool carried;
    };
    for (const Case& c : {Case{"double-click, last entry, scan (before)", -1, false},
                          Case{"double-click, last entry, carried record", -1, true},
                          Case{"double-click, first entry, scan (before)", 0, false},
                          Case{"double-click, first entry, carried record", 0, true}}) {
        std::vector<qint64> runs;
        qint64 position = 0;
        for (int i = 0; i < 5; ++i)
            runs.push_back(doubleClickMicros(c.row, c.carried, &position));
        std::sort(runs.begin(), runs.end());
        std::printf("%-46s %10.3f ms  record %lld\n", c.what, runs[2] / 1000.0,
                    static_cast<long long>(position));
        std::fflush(stdout);
    }

    // What carrying the records costs the search's own pass: the same filter and lines,
    // once collecting the lines alone and once with the record behind each.
    const int size = records::clientLayout().recordSize();
    const auto lineOf = [](const char* record) { return search::clientSearchLine(record); };
    for (const QStringList& filters : {QStringList{u"ross"_s, u"ROMA"_s}, QStringList{}}) {
        const search::RecordFilter filter = search::clientSearchFilter(filters);
        const char* shown = filters.isEmpty() ? "no filter" : "two filters";
        std::vector<qint64> bare;
        std::vector<qint64> carried;
        qsizetype listed = 0;
        for (int i = 0; i < 5; ++i) {
            // Each result is dropped before the next pass, so neither pays for the other's
            // memory.
            QElapsedTimer t;
            {
                t.start();
                QStringList lines;
                records::RecordFile::scan(archive, size, [&](qint64, const char* record) {
                    if (filter.matches(record)) lines << lineOf(record);
                    return true;
                });
                bare.push_back(t.nsecsElapsed() / 1000);
            }
            t.restart();
            lists::ListedLines withRecords;
            search::listMatching(records::FileArchive(archive, size), filter, lineOf, &withRecords,
                                 [](const char* record) { return search::clientLineHead(record); });
            carried.push_back(t.nsecsElapsed() / 1000);
            listed = withRecords.size();
        }
        std::sort(bare.begin(), bare.end());
        std::sort(carried.begin(), carried.end());
        std::printf("search pass, %-11s lines only (before)    %10.3f ms  %lld listed\n", shown,
                    bare[2] / 1000.0, static_cast<long long>(listed));
        std::printf("search pass, %-11s lines with records     %10.3f ms  %lld listed\n", shown,
                    carried[2] / 1000.0, static_cast<long long>(listed));
        std::fflush(stdout);
    }
    bench::reportGrep(u"rossi"_s, archive, u"Clienti.pro"_s, kRecords);
}

} // namespace

void runProtocolBench();               // protocol_bench.cpp
void runRecordFileBench();             // recordfile_bench.cpp
void runPracticesBench();              // practices_bench.cpp
void runDeadlinesBench();              // deadlines_bench.cpp
void runAccountsBench();               // accounts_bench.cpp
void runMovementsBench();              // movements_bench.cpp
void runBackupBench();                 // backup_bench.cpp
void runCalendarBench();               // calendar_bench.cpp
void runSearchBench(qint64 megabytes); // search_bench.cpp
void runServerBench();                 // server_bench.cpp

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // "tavolex_bench recordfile": the record-file figures alone.
    if (argc > 1 && QByteArray(argv[1]) == "recordfile") {
        runRecordFileBench();
        return 0;
    }
    // "tavolex_bench backup": a backup copy of a large folder and its verification alone.
    if (argc > 1 && QByteArray(argv[1]) == "backup") {
        runBackupBench();
        return 0;
    }
    // "tavolex_bench search [MB]": the search over every archive beside grep -r, alone.
    if (argc > 1 && QByteArray(argv[1]) == "search") {
        runSearchBench(argc > 2 ? QByteArray(argv[2]).toLongLong() : 0);
        return 0;
    }
    // "tavolex_bench server": the archives on a PostgreSQL server (run under pg_virtualenv).
    if (argc > 1 && QByteArray(argv[1]) == "server") {
        runServerBench();
        return 0;
    }
    // "tavolex_bench calendar": the calendar-file figures alone.
    if (argc > 1 && QByteArray(argv[1]) == "calendar") {
        runCalendarBench();
        return 0;
    }
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    setProgramFolder(dir.path() + u'/');
    // "tavolex_bench practices": the practices' figures alone (search, urgent list, export).
    if (argc > 1 && QByteArray(argv[1]) == "practices") {
        runPracticesBench();
        return 0;
    }
    const QString archive = programPath(u"Clienti.pro"_s);

    QElapsedTimer t;
    t.start();
    if (!bench::generateTimed(archive, kRecords, generateArchive)) return 1;

    // "tavolex_bench doubleclick": the double-click figures alone.
    if (argc > 1 && QByteArray(argv[1]) == "doubleclick") {
        runDoubleClickBench(archive);
        return 0;
    }

    // Search with two filters: part of a surname and part of a municipality.
    {
        ui::TfrmTrovaClienti screen;
        screen.setCallerTag(u"clienti"_s);
        screen.show();
        screen.filterFields()[0]->setText(u"ross"_s);
        screen.filterFields()[1]->setText(u"ROMA"_s);
        t.restart();
        screen.findChild<QPushButton*>(u"btnCerca"_s)->click();
        bench::report("search, two filters (TfrmTrovaClienti)", t.elapsed(), kRecords,
                      u"%1 clients listed"_s.arg(screen.lineCount()));
        screen.close();
    }

    // Search with no filter, then "Trova" and the double-click load of the last entry.
    {
        ui::TfrmTrovaClienti screen;
        screen.setCallerTag(u"clienti"_s);
        screen.show();
        t.restart();
        screen.findChild<QPushButton*>(u"btnCerca"_s)->click();
        const int listed = screen.lineCount();
        bench::report("search, no filter (every client listed)", t.elapsed(), kRecords,
                      u"%1 clients listed"_s.arg(listed));

        screen.findChild<QLineEdit*>(u"txtTrova"_s)->setText(u"nessuna voce contiene questo"_s);
        t.restart();
        screen.btnTrovaClick();
        bench::report("Trova over the whole list, no match", t.elapsed(), listed);

        t.restart();
        screen.activateRow(listed - 1);
        const auto chosen = screen.chosen();
        bench::report("double-click load of the last record", t.elapsed(), kRecords,
                      chosen ? u"loaded record %1"_s.arg(chosen->position) : u"nothing loaded"_s);
    }

    // Re-contact list.
    {
        ui::TfrmRicontatta screen;
        t.restart();
        screen.show();
        bench::report("re-contact list (TfrmRicontatta)", t.elapsed(), kRecords,
                      u"%1 clients listed"_s.arg(screen.lineCount()));
    }

    // Export grid fill and export to Clienti.xls.
    {
        ui::TfrmExpClienti screen;
        t.restart();
        screen.show();
        QApplication::processEvents();
        bench::report(
            "export grid fill (TfrmExpClienti)", t.elapsed(), kRecords,
            u"%1 rows x %2 columns"_s.arg(screen.rowCount()).arg(ui::TfrmExpClienti::kColumnCount));
        const QString xls = programPath(u"Clienti.xls"_s);
        t.restart();
        const bool written = bool(screen.writeExport(xls));
        bench::report("export to Clienti.xls", t.elapsed(), kRecords,
                      written ? u"%1 MB written"_s.arg(QFileInfo(xls).size() / 1e6, 0, 'f', 1)
                              : u"FAILED"_s);
    }

    // Yardstick: grep over the same file.
    bench::reportGrep(u"rossi"_s, archive, u"Clienti.pro"_s, kRecords);

    std::printf("\n");
    runProtocolBench();
    std::printf("\n");
    runRecordFileBench();
    std::printf("\n");
    runPracticesBench();
    std::printf("\n");
    runDeadlinesBench();
    std::printf("\n");
    runAccountsBench();
    std::printf("\n");
    runMovementsBench();
    std::printf("\n");
    runCalendarBench();
    return 0;
}
