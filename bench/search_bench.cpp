// Times the search over every archive ("Trova ovunque") over a folder of 100,000 clients,
// 100,000 practices, 50,000 protocol records, 100,000 deadlines and 100,000 movements
// (about 1.5 GB), beside `grep -r -c -i` over the same folder in the same run: the scan as the
// screen's worker runs it, then the real screen driven offscreen. A size in MB as second
// argument makes a smaller folder in the same proportions. Called from the bench program's
// main with runSearchBench().
#include "benchsupport.h"
#include "core/programfolder.h"
#include "records/folderstore.h"
#include "records/layouts.h"
#include "records/record.h"
#include "search/everywhere.h"
#include "ui/app/TfrmTrovaTutto.h"

#include <QAbstractItemModel>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace tavolex;
using tavolex::bench::pick;

namespace {

const QStringList kNames = {u"Rossi Mario"_s,   u"Bianchi Anna"_s,          u"Ferrari Luca"_s,
                            u"Esposito Sara"_s, u"Caff\u00E8 N\u00E9gri"_s, u"Colombo Giulia"_s,
                            u"Ricci Marco"_s,   u"Marino Elena"_s};
const QStringList kPlaces = {u"Roma"_s,       u"Milano"_s,     u"Citt\u00E0 di Castello"_s,
                             u"Forl\u00EC"_s, u"Cant\u00F9"_s, u"Napoli"_s};
const QStringList kSubjects = {u"Successione ereditaria"_s, u"Ricorso al TAR"_s,
                               u"Divisione immobiliare"_s,  u"Contratto di locazione"_s,
                               u"Pratica edilizia"_s,       u"Recupero crediti"_s};
const QString kLongNote =
    u"Telefonato per fissare l'appuntamento; portare i documenti, la visura catastale e la "
    u"copia dell'atto. Ricordare il saldo della fattura precedente."_s;

// One record in 10,000 names the person searched for, half of them with the accent (which
// grep does not fold).
QString nameOf(qint64 i) {
    if (i % 20000 == 7) return u"Persico Dario"_s;
    if (i % 20000 == 10007) return u"Persic\u00F2 Dario"_s;
    return pick(kNames, i, 1);
}

struct Kind {
    const char16_t* file;
    const records::RecordLayout& layout;
    qint64 records;
    std::function<void(qint64, records::Record&)> fill;
};

std::vector<Kind> kinds() {
    return {
        {u"Clienti.pro", records::clientLayout(), 100000,
         [](qint64 i, records::Record& r) {
             r.setText(u"Cliente", nameOf(i));
             r.setText(u"DataNasc", u"12/05/1970"_s);
             r.setText(u"ComuneNasc", pick(kPlaces, i, 2));
             r.setText(u"IndirizzoRes", u"Via Garibaldi %1"_s.arg(i % 200));
             r.setText(u"ComuneRes", pick(kPlaces, i, 3));
             r.setText(u"TelCel", u"333 %1"_s.arg(i));
             r.setText(u"Email", u"cliente%1@esempio.it"_s.arg(i));
             r.setText(u"CodFisc", u"RSSMRA70A01H501U"_s);
             r.setText(u"Note", kLongNote);
         }},
        {u"2025.prt", records::protocolLayout(), 50000,
         [](qint64 i, records::Record& r) {
             r.setText(u"Numero", u"%1/2025"_s.arg(i));
             r.setText(u"Tipo", u"In entrata"_s);
             r.setText(u"DataReg", u"10/03/2025"_s);
             r.setText(u"Oggetto", pick(kSubjects, i, 4) + u", lettera di "_s + nameOf(i));
             r.setText(u"Mittente", pick(kNames, i, 5));
             r.setText(u"Note", kLongNote);
         }},
        {u"Pratiche.pro", records::practiceLayout(), 100000,
         [](qint64 i, records::Record& r) {
             r.setText(u"Oggetto", pick(kSubjects, i, 6) + u" n. %1"_s.arg(i));
             r.setText(u"Stato", u"In lavorazione"_s);
             r.setText(u"Cliente", nameOf(i));
             r.setText(u"ComuneRes", pick(kPlaces, i, 7));
             r.setText(u"Documenti", u"Atto, visura, planimetria"_s);
             r.setText(u"Note", kLongNote);
             r.setText(u"Doc01", u"Atto di citazione"_s);
         }},
        {u"2025.sca", records::deadlineLayout(), 100000,
         [](qint64 i, records::Record& r) {
             r.setText(u"Giorno", QString::number(1 + i % 28));
             r.setText(u"Mese", u"Marzo"_s);
             r.setText(u"Anno", u"2025"_s);
             r.setText(u"Cliente", nameOf(i));
             r.setText(u"Causale", u"Udienza presso il tribunale di "_s + pick(kPlaces, i, 8));
             r.setText(u"Note", kLongNote);
         }},
        {u"2025.eur", records::movementLayout(), 100000,
         [](qint64 i, records::Record& r) {
             r.setFlag(r.layout().indexOf(u"Entrata"), i % 2 == 0);
             r.setFlag(r.layout().indexOf(u"Uscita"), i % 2 == 1);
             r.setText(u"Data", u"10/03/2025"_s);
             r.setText(u"Causale", u"Onorario pratica %1"_s.arg(i));
             r.setText(u"Importo", u"120,00"_s);
             r.setText(u"Pagatore", nameOf(i));
             r.setText(u"Note", kLongNote);
         }},
    };
}

// Under the locale of the run, or under LC_ALL=C (byte comparison, grep's fastest -i).
void timeGrep(const QString& text, const QString& folder, qint64 records, bool cLocale = false) {
    QProcess grep;
    if (cLocale) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"LC_ALL"_s, u"C"_s);
        grep.setProcessEnvironment(environment);
    }
    QElapsedTimer t;
    t.start();
    grep.start(u"grep"_s, {u"-r"_s, u"-c"_s, u"-i"_s, text, folder});
    grep.waitForFinished(-1);
    qint64 lines = 0;
    for (const QByteArray& line : grep.readAllStandardOutput().split('\n'))
        lines += line.mid(line.lastIndexOf(':') + 1).toLongLong();
    const QString what = (cLocale ? u"LC_ALL=C "_s : QString()) + u"grep -r -c -i "_s + text;
    bench::report(qPrintable(what + u" <folder>"_s), t.elapsed(), records,
                  u"%1 matching lines"_s.arg(lines));
}

} // namespace

void runSearchBench(qint64 megabytes) {
    QTemporaryDir dir;
    if (!dir.isValid()) return;
    setProgramFolder(dir.path() + u'/');
    std::vector<Kind> all = kinds();
    // The full folder is about 1,490 MB; a smaller one keeps the proportions.
    const double scale = megabytes > 0 ? std::min(1.0, megabytes / 1490.0) : 1.0;
    qint64 total = 0;
    for (Kind& kind : all) {
        const qint64 count = std::max<qint64>(1, qint64(kind.records * scale));
        if (!bench::generateTimed(
                programPath(QString::fromUtf16(kind.file)), count, [&](const QString& path) {
                    return bench::writeArchive(path, kind.layout, count, kind.fill);
                }))
            return;
        total += count;
    }
    qint64 bytes = 0;
    for (QDirIterator it(dir.path(), QDir::Files); it.hasNext();) {
        it.next();
        bytes += it.fileInfo().size();
    }
    std::printf("folder: %lld records, %.1f MB\n\n", static_cast<long long>(total), bytes / 1e6);

    const QString text = u"persico"_s;
    // grep first, so that both read the folder from the page cache, and again at the end.
    timeGrep(text, dir.path(), total);

    QElapsedTimer t;
    t.start();
    const search::FoldedText folded(text);
    qint64 hits = 0;
    qint64 damaged = 0;
    const records::FolderStore store(dir.path());
    for (const records::ArchiveId& archive : search::archivesIn(store)) {
        const search::ArchiveScan scan =
            search::scanArchive(store, archive, folded, nullptr, [&](search::Hit&&) { ++hits; });
        damaged += scan.damaged;
    }
    bench::report("scan of every archive (core)", t.elapsed(), total,
                  u"%1 records found, %2 damaged"_s.arg(hits).arg(damaged));

    {
        ui::TfrmTrovaTutto screen;
        screen.show();
        screen.findChild<QLineEdit*>(u"txtCerca"_s)->setText(text);
        t.restart();
        screen.findChild<QToolButton*>(u"cmdTrova"_s)->click();
        screen.waitForSearch();
        bench::report("Trova ovunque (TfrmTrovaTutto, worker)", t.elapsed(), total,
                      screen.findChild<QLabel*>(u"lblConteggio"_s)->text());
    }

    timeGrep(text, dir.path(), total);
    timeGrep(text, dir.path(), total, true);
}
