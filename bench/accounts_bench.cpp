// Times the cash book of a whole year, the three unpaid lists with their exports and the sums
// of the three statistics charts over a yearly archive of 100,000 movements, driving the real
// screens offscreen, with grep over the same file as the yardstick.
#include "accounts/cashbook.h"
#include "benchsupport.h"
#include "core/programfolder.h"
#include "dates/clock.h"
#include "records/layouts.h"
#include "records/record.h"
#include "ui/accounts/TfrmBilancio.h"
#include "ui/accounts/TfrmInsoluti.h"
#include "ui/accounts/TfrmStats.h"
#include "ui/accounts/statschart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

using tavolex::bench::archiveAt;
using namespace Qt::Literals::StringLiterals;
using namespace tavolex;
using tavolex::bench::pick;

namespace {

constexpr qint64 kRecords = 100000;

const QStringList kReasons = {u"Affitto ufficio"_s,  u"Consulenza fiscale"_s, u"Cancelleria"_s,
                              u"Parcella pratica"_s, u"Utenze luce e gas"_s,  u"Rimborso spese"_s};
const QStringList kNames = {u"Rossi Mario"_s,   u"Bianchi Anna"_s, u"Ferrari Luca"_s,
                            u"Esposito Sara"_s, u"Romano Paolo"_s, u"Colombo Giulia"_s};

bool generateArchive(const QString& path) {
    const QString si = u"S\u00EC"_s;
    return bench::writeArchive(
        path, records::movementLayout(), kRecords, [&](qint64 i, records::Record& r) {
            const bool income = i % 3 != 0;
            const QString day = u"%1/%2/2025"_s.arg(1 + i % 28, 2, 10, QChar(u'0'))
                                    .arg(1 + i % 12, 2, 10, QChar(u'0'));
            const QString importo = u"%1,%2"_s.arg(i % 5000).arg(i % 100, 2, 10, QChar(u'0'));
            r.setText(u"Entrata", income ? si : u"No"_s);
            r.setText(u"Uscita", income ? u"No"_s : si);
            r.setText(u"Data", day);
            r.setText(u"Causale", pick(kReasons, i, 0) + u" n. %1"_s.arg(i));
            r.setText(u"Promemoria", u"Movimento di prova"_s);
            r.setText(u"DataSca", day);
            r.setText(u"Preavviso", u"5"_s);
            r.setText(u"Importo", importo);
            r.setText(u"Totale", (income ? u"+"_s : u"-"_s) + importo);
            r.setText(u"Pagatore", pick(kNames, i, 1));
            r.setText(u"Beneficiario", pick(kNames, i, 4));
            r.setText(u"Pagamento", u"Bonifico bancario"_s);
            r.setText(u"Saldato", i % 4 == 0 ? u"No"_s : si);
        });
}

template <typename Screen>
void unpaidList(const char* what, const char* exportWhat, const QString& archive) {
    QElapsedTimer t;
    Screen screen;
    screen.setArchive(bench::archiveIdOf(archive));
    t.start();
    screen.show();
    QApplication::processEvents();
    bench::report(what, t.elapsed(), kRecords, u"%1 rows"_s.arg(screen.rowCount()));
    const QString xls = programPath(u"bench_insoluti.xls"_s);
    t.restart();
    const bool written = bool(screen.writeExport(xls));
    bench::report(exportWhat, t.elapsed(), kRecords,
                  written ? u"%1 MB written"_s.arg(QFileInfo(xls).size() / 1e6, 0, 'f', 1)
                          : u"FAILED"_s);
    screen.close();
}

template <typename Screen> void chart(const char* what, const QString& archive) {
    QElapsedTimer t;
    Screen screen;
    screen.setSource(bench::archiveIdOf(archive), u"2025"_s);
    t.start();
    screen.show();
    QApplication::processEvents();
    qlonglong total = 0;
    for (const ui::StatsPoint* point : screen.chart()->series()->points())
        total += point->value();
    bench::report(what, t.elapsed(), kRecords, u"%1 euro in all"_s.arg(total));
    screen.close();
}

} // namespace

void runAccountsBench() {
    // Every movement is due by the end of the year.
    dates::Clock::setNow([] { return QDateTime(QDate(2025, 12, 31), QTime(12, 0)); });
    const QString archive = programPath(u"2025.eur"_s);
    QElapsedTimer t;
    t.start();
    if (!bench::generateTimed(archive, kRecords, generateArchive)) return;

    {
        t.restart();
        const accounts::CashBook book =
            accounts::readCashBook(archiveAt(archive), QDate(2025, 1, 1), QDate(2025, 12, 31), {});
        ui::TfrmBilancio screen;
        screen.setCashBook({}, u"01/01/2025"_s, u"31/12/2025"_s, book);
        screen.show();
        QApplication::processEvents();
        bench::report("cash book, whole year (TfrmBilancio)", t.elapsed(), kRecords,
                      u"%1 lines, balance %2"_s.arg(screen.lineCount())
                          .arg(accounts::totalLabel(book.totals.balance())));
        t.restart();
        const accounts::CashBook filtered = accounts::readCashBook(
            archiveAt(archive), QDate(2025, 1, 1), QDate(2025, 12, 31), u"affitto"_s);
        bench::report("cash book, reason filter", t.elapsed(), kRecords,
                      u"%1 lines"_s.arg(filtered.lines.size()));
        screen.close();
    }
    unpaidList<ui::TfrmInsolutiEnt>("unpaid income (TfrmInsolutiEnt)", "  its export", archive);
    unpaidList<ui::TfrmInsolutiUsc>("unpaid expenses (TfrmInsolutiUsc)", "  its export", archive);
    unpaidList<ui::TfrmInsolutiAll>("unpaid, both (TfrmInsolutiAll)", "  its export", archive);
    chart<ui::TfrmStatsEntrate>("monthly income sums (TfrmStatsEntrate)", archive);
    chart<ui::TfrmStatsUscite>("monthly expense sums (TfrmStatsUscite)", archive);
    chart<ui::TfrmStatsBilancio>("yearly balance sums (TfrmStatsBilancio)", archive);
    bench::reportGrep(u"affitto"_s, archive, u"2025.eur"_s, kRecords);
    dates::Clock::setNow({});
}
