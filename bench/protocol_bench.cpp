// Times the protocol search with two filters and the period summary over a yearly
// archive of 50,000 documents: the read-only passes alone, then the real screens
// offscreen. Called from the bench program's main with runProtocolBench().
#include "benchsupport.h"
#include "core/programfolder.h"
#include "protocol/archive.h"
#include "records/layouts.h"
#include "records/record.h"
#include "records/recordfile.h"
#include "ui/protocol/TfrmRiepProtocollo.h"
#include "ui/protocol/TfrmTrovaProtocollo.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstdio>

using tavolex::bench::archiveAt;
using namespace Qt::Literals::StringLiterals;
using namespace tavolex;
using tavolex::bench::pick;

namespace {

constexpr qint64 kDocuments = 50000;

const QStringList kTypes = {u"In entrata"_s, u"In uscita"_s, u"Interna"_s};
const QStringList kSenders = {u"Comune di Bologna"_s,     u"Studio Rossi"_s,
                              u"Agenzia delle Entrate"_s, u"INPS sede di Roma"_s,
                              u"Bianchi Costruzioni"_s,   u"Tribunale di Milano"_s,
                              u"Condominio Aurora"_s,     u"Rossini Anna"_s};
const QStringList kSubjects = {u"Avviso di pagamento"_s,
                               u"Richiesta documentazione"_s,
                               u"Convocazione assemblea"_s,
                               u"Fattura"_s,
                               u"Sollecito"_s,
                               u"Comunicazione di servizio"_s};

bool generateArchive(const QString& path) {
    const QDate first(2025, 1, 1);
    return bench::writeArchive(
        path, records::protocolLayout(), kDocuments, [&](qint64 i, records::Record& r) {
            r.setText(u"Numero", QString::number(i) + u"/2025"_s);
            r.setText(u"Tipo", pick(kTypes, i, 1));
            // Spread over the year, in registration order as a real register fills up.
            r.setText(u"DataReg", first.addDays(i * 365 / kDocuments).toString(u"dd/MM/yyyy"_s));
            r.setText(u"Ufficio", u"Segreteria"_s);
            r.setText(u"Operatore", u"Operatore %1"_s.arg(i % 5));
            r.setText(u"Categoria", u"Categoria %1"_s.arg(i % 12));
            r.setText(u"Oggetto", pick(kSubjects, i, 3) + u" n. "_s + QString::number(i));
            r.setText(u"Mittente", pick(kSenders, i, 5));
            r.setText(u"Destinatario", pick(kSenders, i, 7));
            r.setText(u"Note", u"Pratica %1"_s.arg(i % 977));
        });
}

} // namespace

void runProtocolBench() {
    const QString previousFolder = programFolder();
    QTemporaryDir dir;
    if (!dir.isValid()) return;
    setProgramFolder(dir.path() + u'/');
    const QString archive = programPath(u"2025.prt"_s);

    QElapsedTimer t;
    t.start();
    if (!generateArchive(archive)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(archive));
        setProgramFolder(previousFolder);
        return;
    }
    const qint64 bytes = QFileInfo(archive).size();
    bench::report("generate 2025.prt", t.elapsed(), kDocuments,
                  u"%1 documents, %2 MB"_s.arg(kDocuments).arg(bytes / 1e6, 0, 'f', 1));

    // The read-only passes on their own.
    {
        lists::ListedLines lines;
        t.restart();
        protocol::searchArchive(
            archiveAt(archive),
            {QString(), u"in uscita"_s, QString(), QString(), QString(), QString(), u"rossi"_s},
            &lines);
        bench::report("protocol search pass, two filters", t.elapsed(), kDocuments,
                      u"%1 documents listed"_s.arg(lines.size()));
        qint64 listed = 0;
        t.restart();
        records::RecordFile::scan(
            archive, records::protocolLayout().recordSize(), [&listed](qint64, const char* record) {
                listed +=
                    protocol::isRegisteredWithin(record, QDate(2025, 3, 1), QDate(2025, 5, 31));
                return true;
            });
        bench::report("protocol summary pass, March to May", t.elapsed(), kDocuments,
                      u"%1 documents"_s.arg(listed));
    }

    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // The search screen: mail type and sender filters.
        {
            ui::TfrmTrovaProtocollo screen;
            screen.setArchive(bench::archiveIdOf(archive));
            screen.setCallerTag(u"protocollo"_s);
            screen.show();
            screen.findChild<QLineEdit*>(u"txtTipologia"_s)->setText(u"in uscita"_s);
            screen.findChild<QLineEdit*>(u"txtMittente"_s)->setText(u"rossi"_s);
            t.restart();
            screen.findChild<QPushButton*>(u"btnCerca"_s)->click();
            bench::report("search, two filters (TfrmTrovaProtocollo)", t.elapsed(), kDocuments,
                          screen.findChild<QLabel*>(u"lblTrovate"_s)->text());
            screen.close();
        }
        // The period summary screen over a quarter of the year.
        {
            ui::TfrmRiepProtocollo screen;
            screen.setArchive(bench::archiveIdOf(archive));
            screen.show();
            screen.findChild<QLineEdit*>(u"txtDataInizio"_s)->setText(u"01/03/2025"_s);
            screen.findChild<QLineEdit*>(u"txtDataFine"_s)->setText(u"31/05/2025"_s);
            t.restart();
            screen.findChild<QToolButton*>(u"cmdTrova"_s)->click();
            QApplication::processEvents();
            bench::report("period summary (TfrmRiepProtocollo)", t.elapsed(), kDocuments,
                          u"%1 rows in the grid"_s.arg(
                              screen.findChild<QTableView*>(u"grdRecords"_s)->model()->rowCount()));
            screen.close();
        }
    }
    // Yardstick: grep over the same file.
    bench::reportGrep(u"rossi"_s, archive, u"2025.prt"_s, kDocuments);
    setProgramFolder(previousFolder);
}
