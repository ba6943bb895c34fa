// Times the calendar file of a year of 100,000 deadlines and of 100,000 movements, as the
// "Calendario" commands write them (libical builds every event, the safe write puts the file
// in place).
#include "benchsupport.h"
#include "calendar/icsexport.h"
#include "core/programfolder.h"
#include "deadlines/rules.h"
#include "records/layouts.h"
#include "records/record.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

using tavolex::bench::archiveAt;
using namespace Qt::Literals::StringLiterals;
using namespace tavolex;
using tavolex::bench::pick;

namespace {

constexpr qint64 kRecords = 100000;

const QStringList kClients = {u"Rossi Mario"_s, u"Bianchi Anna"_s, u"Ferrari Luca"_s,
                              u"Esposito Sara"_s, u"Caff\u00E8 N\u00E9gri"_s};
const QStringList kReasons = {
    u"Bollo auto"_s, u"Affitto, rata; saldo"_s, u"IMU saldo"_s, u"Udienza"_s,
    u"Rinnovo contratto d'affitto, registrazione; imposta di bollo, versamento F24, seconda "
    u"rata; verifica ricevuta presso l'ufficio"_s};

bool generateDeadlines(const QString& path) {
    return bench::writeArchive(path, records::deadlineLayout(), kRecords,
                               [&](qint64 i, records::Record& r) {
                                   const QDate due = QDate(2024, 1, 1).addDays(i % 366);
                                   r.setText(u"Giorno", due.toString(u"dd"_s));
                                   r.setText(u"Mese", deadlines::monthName(due.month()));
                                   r.setText(u"Anno", u"2024"_s);
                                   r.setText(u"DataSca", due.toString(u"dd/MM/yyyy"_s));
                                   // Half of them all day, the others at a time.
                                   const int hour = i % 2 ? static_cast<int>(i % 24) : 0;
                                   const int minute = i % 2 ? static_cast<int>(i % 60) : 0;
                                   r.setText(u"Ore", u"%1"_s.arg(hour, 2, 10, QChar(u'0')));
                                   r.setText(u"Minuti", u"%1"_s.arg(minute, 2, 10, QChar(u'0')));
                                   r.setText(u"Preavviso", QString::number(i % 10));
                                   r.setText(u"Cliente", pick(kClients, i, 1));
                                   r.setText(u"Oggetto", u"Pratica di prova numero %1"_s.arg(i));
                                   r.setText(u"Protocollo", u"2024/%1"_s.arg(i));
                                   r.setText(u"Causale", pick(kReasons, i, 2));
                                   r.setText(u"Importo", u"%1,50"_s.arg(i % 5000));
                                   r.setText(u"Pagamento", u"Bonifico"_s);
                                   r.setText(u"Note", u"Nota %1"_s.arg(i));
                                   r.setFlag(r.layout().indexOf(u"DaConfermare"), i % 7 == 0);
                                   r.setFlag(r.layout().indexOf(u"Effettuato"), i % 3 == 0);
                               });
}

bool generateMovements(const QString& path) {
    return bench::writeArchive(path, records::movementLayout(), kRecords,
                               [&](qint64 i, records::Record& r) {
                                   const QDate due = QDate(2024, 1, 1).addDays(i % 366);
                                   r.setFlag(r.layout().indexOf(u"Entrata"), i % 2 == 0);
                                   r.setFlag(r.layout().indexOf(u"Uscita"), i % 2 != 0);
                                   r.setText(u"Data", u"02/01/2024"_s);
                                   r.setText(u"DataSca", due.toString(u"dd/MM/yyyy"_s));
                                   r.setText(u"Preavviso", QString::number(i % 10));
                                   r.setText(u"Causale", pick(kReasons, i, 2));
                                   r.setText(u"Importo", u"%1,50"_s.arg(i % 5000));
                                   r.setText(u"Pagatore", pick(kClients, i, 1));
                                   r.setText(u"Beneficiario", pick(kClients, i, 3));
                                   r.setFlag(r.layout().indexOf(u"Saldato"), false);
                               });
}

void timeExport(const char* what, calendar::Kind kind, const QString& archive) {
    QElapsedTimer t;
    t.start();
    const QString target = programPath(calendar::fileName(kind, 2024));
    const calendar::Outcome outcome =
        calendar::exportCalendar(kind, archiveAt(archive), 2024, target);
    bench::report(what, t.elapsed(), kRecords,
                  u"%1 events, %2 passed over, %3 MB%4"_s.arg(outcome.events)
                      .arg(outcome.skipped)
                      .arg(QFileInfo(target).size() / 1e6, 0, 'f', 1)
                      .arg(outcome.ok() ? QString() : u" FAILED"_s));
}

} // namespace

void runCalendarBench() {
    QTemporaryDir dir;
    if (!dir.isValid()) return;
    setProgramFolder(dir.path() + u'/');
    const QString deadlineArchive = programPath(u"2024.sca"_s);
    const QString movementArchive = programPath(u"2024.eur"_s);
    if (!bench::generateTimed(deadlineArchive, kRecords, generateDeadlines)) return;
    if (!bench::generateTimed(movementArchive, kRecords, generateMovements)) return;
    timeExport("calendar file, deadlines (Scadenze_2024.ics)", calendar::Kind::Deadlines,
               deadlineArchive);
    timeExport("calendar file, payments due (Pagamenti_2024.ics)", calendar::Kind::Payments,
               movementArchive);
}
