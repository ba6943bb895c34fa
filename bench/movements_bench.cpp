// Times the movement search, the payments-due list, the export grid and "Movimenti.xls" over a
// yearly archive of 100,000 movements, driving the real screens offscreen, with grep over the
// same file as the yardstick. Called from the bench program's main with runMovementsBench().
#include "benchsupport.h"
#include "core/programfolder.h"
#include "records/layouts.h"
#include "records/record.h"
#include "ui/common/clock.h"
#include "ui/movements/TfrmExpMovimenti.h"
#include "ui/movements/TfrmSospesiMov.h"
#include "ui/movements/TfrmTrovaMovimenti.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace tavolex;
using tavolex::bench::pick;

namespace {

constexpr qint64 kRecords = 100000;

const QStringList kReasons = {u"Affitto ufficio"_s,       u"Parcella consulenza"_s,
                              u"Fornitura cancelleria"_s, u"Utenze luce e gas"_s,
                              u"Assicurazione"_s,         u"Rimborso spese"_s};
const QStringList kPeople = {u"Rossi Mario"_s,   u"Bianchi Anna"_s, u"Ferrari Luca"_s,
                             u"Esposito Sara"_s, u"Romano Paolo"_s, u"Colombo Giulia"_s,
                             u"Ricci Marco"_s};

QString day(qint64 i, qint64 salt) {
    return u"%1/%2/2025"_s.arg(1 + (i + salt) % 28, 2, 10, QChar(u'0'))
        .arg(1 + (i / 28 + salt) % 12, 2, 10, QChar(u'0'));
}

bool generateArchive(const QString& path) {
    const records::RecordLayout& layout = records::movementLayout();
    const int entrata = layout.indexOf(u"Entrata");
    const int uscita = layout.indexOf(u"Uscita");
    const int saldato = layout.indexOf(u"Saldato");
    return bench::writeArchive(path, layout, kRecords, [&](qint64 i, records::Record& r) {
        const bool income = i % 3 != 0;
        const QString amount = u"%1,%2"_s.arg(10 + i % 5000).arg(i % 100, 2, 10, QChar(u'0'));
        r.setFlag(entrata, income);
        r.setFlag(uscita, !income);
        r.setText(u"Data", day(i, 0));
        r.setText(u"Causale", pick(kReasons, i, 0) + u" n. %1"_s.arg(i));
        r.setText(u"Promemoria", u"Movimento di prova numero %1"_s.arg(i));
        r.setText(u"DataSca", day(i, 7));
        r.setText(u"Preavviso", QString::number(i % 15));
        r.setText(u"Importo", amount);
        r.setText(u"Totale", (income ? u"+"_s : u"-"_s) + amount);
        r.setText(u"Pagatore", pick(kPeople, i, 3));
        r.setText(u"RecapitoPag", u"333 %1"_s.arg(i));
        r.setText(u"CodFisc", u"RSSMRA70A01H501U"_s);
        r.setText(u"Categoria", i % 2 ? u"Studio"_s : u"Casa"_s);
        r.setText(u"Pagamento", u"Bonifico bancario"_s);
        r.setText(u"Beneficiario", pick(kPeople, i, 5));
        r.setText(u"Ricevuta", u"CRO %1"_s.arg(900000 + i));
        r.setText(u"Note", u"Nota %1"_s.arg(i));
        r.setText(u"Tariffa", u"Ordinaria"_s);
        r.setFlag(saldato, i % 4 == 0);
    });
}

} // namespace

void runMovementsBench() {
    const QString archive = programPath(u"2025.eur"_s);
    QElapsedTimer t;
    t.start();
    if (!bench::generateTimed(archive, kRecords, generateArchive)) return;

    {
        ui::TfrmTrovaMovimenti screen;
        screen.setCallerTag(u"movimenti"_s);
        screen.setArchive(bench::archiveIdOf(archive));
        screen.show();
        screen.filterFields()[2]->setText(u"affitto"_s); // Causale
        screen.filterFields()[4]->setText(u"ROSSI"_s);   // Pagatore
        t.restart();
        screen.findChild<QPushButton*>(u"btnCerca"_s)->click();
        bench::report("search, two filters (TfrmTrovaMovimenti)", t.elapsed(), kRecords,
                      u"%1 movements listed"_s.arg(screen.lineCount()));
        const int listed = screen.lineCount();
        t.restart();
        if (listed > 0) screen.activateRow(listed - 1);
        const auto chosen = screen.chosen();
        bench::report("double-click load of the last entry", t.elapsed(), kRecords,
                      chosen ? u"record %1"_s.arg(chosen->position) : u"nothing loaded"_s);
    }
    {
        ui::Clock::setNow([] { return QDateTime(QDate(2025, 6, 15), QTime(9, 0)); });
        ui::TfrmSospesiMov screen;
        screen.setArchive(bench::archiveIdOf(archive));
        t.restart();
        screen.show();
        bench::report("payments-due list (TfrmSospesiMov)", t.elapsed(), kRecords,
                      u"%1 movements listed"_s.arg(screen.lineCount()));
        ui::Clock::setNow({});
    }
    {
        ui::TfrmExpMovimenti screen;
        screen.setArchive(bench::archiveIdOf(archive));
        t.restart();
        screen.show();
        QApplication::processEvents();
        bench::report("export grid fill (TfrmExpMovimenti)", t.elapsed(), kRecords,
                      u"%1 rows"_s.arg(screen.rowCount()));
        const QString xls = programPath(u"Movimenti.xls"_s);
        t.restart();
        const bool written = bool(screen.writeExport(xls));
        bench::report("export to Movimenti.xls", t.elapsed(), kRecords,
                      written ? u"%1 MB written"_s.arg(QFileInfo(xls).size() / 1e6, 0, 'f', 1)
                              : u"FAILED"_s);
    }
    bench::reportGrep(u"affitto"_s, archive, u"2025.eur"_s, kRecords);
}
