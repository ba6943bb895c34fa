// Times the start panel's imminence check, the three due-date lists and a search over a
// yearly archive of 100,000 deadlines, driving the real screens offscreen, with grep over
// the same file as the yardstick.
#include "benchsupport.h"
#include "core/programfolder.h"
#include "deadlines/archive.h"
#include "deadlines/rules.h"
#include "records/layouts.h"
#include "records/record.h"
#include "ui/common/clock.h"
#include "ui/deadlines/confirmationlists.h"
#include "ui/deadlines/duelists.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

using tavolex::bench::archiveAt;
using namespace Qt::Literals::StringLiterals;
using namespace tavolex;
using tavolex::bench::pick;

namespace {

constexpr qint64 kRecords = 100000;

const QStringList kClients = {u"Rossi Mario"_s,   u"Bianchi Anna"_s, u"Ferrari Luca"_s,
                              u"Esposito Sara"_s, u"Romano Paolo"_s, u"Colombo Giulia"_s};
const QStringList kReasons = {u"Bollo auto"_s, u"Affitto"_s, u"IMU saldo"_s, u"Udienza"_s,
                              u"Rata mutuo"_s};

bool generateArchive(const QString& path) {
    return bench::writeArchive(
        path, records::deadlineLayout(), kRecords, [&](qint64 i, records::Record& r) {
            const QDate due = QDate(2024, 1, 1).addDays(i % 366);
            r.setText(u"Giorno", due.toString(u"dd"_s));
            r.setText(u"Mese", deadlines::monthName(due.month()));
            r.setText(u"Anno", u"2024"_s);
            r.setText(u"DataSca", due.toString(u"dd/MM/yyyy"_s));
            r.setText(u"Ore", u"%1"_s.arg(i % 24, 2, 10, QChar(u'0')));
            r.setText(u"Minuti", u"%1"_s.arg(i % 60, 2, 10, QChar(u'0')));
            r.setText(u"Ora",
                      u"%1:%2"_s.arg(i % 24, 2, 10, QChar(u'0')).arg(i % 60, 2, 10, QChar(u'0')));
            r.setText(u"Preavviso", QString::number(i % 10));
            r.setText(u"Cliente", pick(kClients, i, 1));
            r.setText(u"CodFisc", u"RSSMRA70A01H501U"_s);
            r.setText(u"Oggetto", u"Pratica di prova numero %1"_s.arg(i));
            r.setText(u"Causale", pick(kReasons, i, 2));
            r.setText(u"Importo", u"%1,50"_s.arg(i % 1000));
            r.setText(u"Note", u"Scadenza di prova %1"_s.arg(i));
            r.setText(u"DaConfermare", i % 3 ? u"No"_s : u"S\u00EC"_s);
            r.setText(u"Effettuato", i % 2 ? u"No"_s : u"S\u00EC"_s);
        });
}

template <typename Screen> void timeList(const char* what, const QDate& calendar) {
    Screen screen;
    screen.setCalendarDate(calendar);
    QElapsedTimer t;
    t.start();
    screen.show();
    QApplication::processEvents();
    bench::report(what, t.elapsed(), kRecords, u"%1 rows"_s.arg(screen.rowCount()));
}

} // namespace

void runDeadlinesBench() {
    ui::Clock::setNow([] { return QDateTime(QDate(2024, 6, 10), QTime(9, 0)); });
    const QString archive = deadlines::archivePath(2024);
    QElapsedTimer t;
    t.start();
    if (!bench::generateTimed(archive, kRecords, generateArchive)) return;

    qint64 imminent = 0;
    t.restart();
    deadlines::countImminent(archiveAt(archive), QDate(2024, 6, 10), &imminent);
    bench::report("imminence check (start panel)", t.elapsed(), kRecords,
                  u"%1 imminent"_s.arg(imminent));
    timeList<ui::TfrmExpImminenti>("imminent list (TfrmExpImminenti)", QDate(2024, 6, 10));
    timeList<ui::TfrmExpGiornaliere>("daily list (TfrmExpGiornaliere)", QDate(2024, 6, 10));
    timeList<ui::TfrmExpMensili>("monthly list (TfrmExpMensili)", QDate(2024, 6, 10));
    {
        ui::TfrmTrovaScadenzario screen;
        screen.setArchive(bench::archiveIdOf(archive));
        screen.show();
        screen.filterFields()[2]->setText(u"rossi"_s);
        screen.filterFields()[8]->setText(u"IMU"_s);
        t.restart();
        screen.findChild<QPushButton*>(u"btnCerca"_s)->click();
        bench::report("search, two filters (TfrmTrovaScadenzario)", t.elapsed(), kRecords,
                      u"%1 deadlines listed"_s.arg(screen.lineCount()));
        screen.close();
    }
    bench::reportGrep(u"rossi"_s, archive, u"2024.sca"_s, kRecords);
    ui::Clock::setNow({});
}
