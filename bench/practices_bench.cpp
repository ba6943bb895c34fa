// Times the practice search, the urgent list, the export grid and "Pratiche.xls" over an
// archive of 100,000 practices, driving the real screens offscreen, with grep over the
// same file as the yardstick.
#include "benchsupport.h"
#include "core/programfolder.h"
#include "records/layouts.h"
#include "records/record.h"
#include "ui/practices/TfrmExpPratiche.h"
#include "ui/practices/TfrmTrovaPratica.h"
#include "ui/practices/TfrmUrgenti.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace tavolex;
using tavolex::bench::pick;

namespace {

constexpr qint64 kRecords = 100000;

const QStringList kSubjects = {u"Successione ereditaria"_s, u"Ricorso al TAR"_s,
                               u"Divisione immobiliare"_s,  u"Contratto di locazione"_s,
                               u"Pratica edilizia"_s,       u"Recupero crediti"_s};
const QStringList kStates = {u"Aperta"_s, u"In lavorazione"_s, u"Sospesa"_s, u"Non saldata"_s,
                             u"Chiusa e saldata"_s};
const QStringList kClients = {u"Rossi Mario"_s,   u"Bianchi Anna"_s, u"Ferrari Luca"_s,
                              u"Esposito Sara"_s, u"Romano Paolo"_s, u"Colombo Giulia"_s,
                              u"Ricci Marco"_s};

bool generateArchive(const QString& path) {
    const int urgente = records::practiceLayout().indexOf(u"Urgente");
    return bench::writeArchive(
        path, records::practiceLayout(), kRecords, [&](qint64 i, records::Record& r) {
            r.setText(u"Oggetto", pick(kSubjects, i, 0) + u" n. %1"_s.arg(i));
            r.setText(u"Tipologia", i % 2 ? u"Civile"_s : u"Amministrativa"_s);
            r.setText(u"Protocollo", u"%1/%2"_s.arg(2000 + i % 25).arg(i));
            r.setText(u"Apertura", u"%1/%2/%3"_s.arg(1 + i % 28, 2, 10, QChar(u'0'))
                                       .arg(1 + i % 12, 2, 10, QChar(u'0'))
                                       .arg(2000 + i % 25));
            r.setText(u"Stato", pick(kStates, i, 3));
            r.setText(u"Documenti", u"Atto, visura, planimetria"_s);
            r.setText(u"Uffici", u"Tribunale, Catasto"_s);
            r.setText(u"Consulente", u"Studio Verdi"_s);
            r.setText(u"Cliente", pick(kClients, i, 5));
            r.setText(u"Recapito", u"333 %1"_s.arg(i));
            r.setText(u"ComuneRes", u"Roma"_s);
            r.setText(u"ProvRes", u"RM"_s);
            r.setText(u"CodFisc", u"RSSMRA70A01H501U"_s);
            r.setText(u"Saldati", u"Acconto di 500 euro"_s);
            r.setText(u"Sospesi", u"Saldo alla chiusura"_s);
            r.setText(u"Note", u"Pratica di prova numero %1"_s.arg(i));
            r.setFlag(urgente, i % 20 == 0);
            r.setText(u"Doc01", u"Atto di citazione"_s);
        });
}

} // namespace

void runPracticesBench() {
    const QString archive = programPath(u"Pratiche.pro"_s);
    QElapsedTimer t;
    t.start();
    if (!bench::generateTimed(archive, kRecords, generateArchive)) return;

    {
        ui::TfrmTrovaPratica screen;
        screen.setCallerTag(u"pratica"_s);
        screen.show();
        screen.filterFields()[0]->setText(u"successione"_s);
        screen.filterFields()[6]->setText(u"ROSSI"_s);
        t.restart();
        screen.findChild<QPushButton*>(u"btnCerca"_s)->click();
        bench::report("search, two filters (TfrmTrovaPratica)", t.elapsed(), kRecords,
                      u"%1 practices listed"_s.arg(screen.lineCount()));
        screen.close();
    }
    {
        ui::TfrmUrgenti screen;
        t.restart();
        screen.show();
        bench::report("urgent list (TfrmUrgenti)", t.elapsed(), kRecords,
                      u"%1 practices listed"_s.arg(screen.lineCount()));
    }
    {
        ui::TfrmExpPratiche screen;
        t.restart();
        screen.show();
        QApplication::processEvents();
        bench::report("export grid fill (TfrmExpPratiche)", t.elapsed(), kRecords,
                      u"%1 rows"_s.arg(screen.rowCount()));
        const QString xls = programPath(u"Pratiche.xls"_s);
        t.restart();
        const bool written = bool(screen.writeExport(xls));
        bench::report("export to Pratiche.xls", t.elapsed(), kRecords,
                      written ? u"%1 MB written"_s.arg(QFileInfo(xls).size() / 1e6, 0, 'f', 1)
                              : u"FAILED"_s);
        bench::reportCopy(xls, u"Pratiche.xls"_s, kRecords);
        // The same on a memory file system, where the safe write's flush to disk costs
        // nothing: what is left is building the worksheet.
        QTemporaryDir memory(u"/dev/shm/tavolex-bench-XXXXXX"_s);
        if (memory.isValid()) {
            const QString inMemory = memory.filePath(u"Pratiche.xls"_s);
            t.restart();
            const bool done = bool(screen.writeExport(inMemory));
            bench::report("export to Pratiche.xls on tmpfs", t.elapsed(), kRecords,
                          done ? u"%1 MB written"_s.arg(QFileInfo(inMemory).size() / 1e6, 0, 'f', 1)
                               : u"FAILED"_s);
            bench::reportCopy(inMemory, u"Pratiche.xls on tmpfs"_s, kRecords);
        }
    }
    bench::reportGrep(u"rossi"_s, archive, u"Pratiche.pro"_s, kRecords);
}
