// Makes the README's pictures: a program folder with a few generated records of every
// archive, the program started as main() starts it, and each application's main screen
// grabbed to OUTPUT/<screen>.png. Run by scripts/screenshots.sh (under Xvfb when present).
#include "core/programfolder.h"
#include "records/layouts.h"
#include "records/record.h"
#include "records/store.h"
#include "ui/app/TfrmTrovaTutto.h"
#include "ui/app/application.h"
#include "ui/common/clock.h"
#include "ui/common/screens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

using namespace Qt::Literals::StringLiterals;
using namespace tavolex;

namespace {

QString g_output;

bool append(
    records::ArchiveKind kind, int year,
    std::initializer_list<std::initializer_list<std::pair<const char16_t*, QString>>> rows) {
    const std::unique_ptr<records::OpenArchive> archive =
        records::programArchive(kind, year)->open();
    if (!archive) return false;
    const records::RecordLayout& layout = records::archiveEntry(kind).layout();
    for (const auto& row : rows) {
        records::Record r(layout);
        for (const auto& [field, value] : row)
            r.setText(QStringView(field), value);
        if (archive->append(r.bytes()) == 0) return false;
    }
    return archive->close();
}

bool makeArchives() {
    const QString yes = u"S\u00EC"_s, no = u"No"_s;
    return append(records::ArchiveKind::Clients, 0,
                  {{{u"Cliente", u"Rossi Mario"_s},
                    {u"ComuneRes", u"Roma"_s},
                    {u"ProvRes", u"RM"_s},
                    {u"TelCel", u"333 1234567"_s},
                    {u"Email", u"mario.rossi@esempio.it"_s},
                    {u"CodFisc", u"RSSMRA80A01H501U"_s},
                    {u"Occupazione", u"Commercialista"_s},
                    {u"Ricontatta", no}}}) &&
           append(records::ArchiveKind::Protocol, 2026,
                  {{{u"Numero", u"1"_s},
                    {u"DataReg", u"02/03/2026"_s},
                    {u"Ufficio", u"Segreteria"_s},
                    {u"Operatore", u"Luca"_s},
                    {u"Categoria", u"Fatture"_s},
                    {u"Oggetto", u"Fattura n. 12 fornitore"_s},
                    {u"Mittente", u"Cartoleria Bianchi"_s},
                    {u"Tipo", u"In entrata"_s}}}) &&
           append(records::ArchiveKind::Practices, 0,
                  {{{u"Oggetto", u"Successione ereditaria"_s},
                    {u"Tipologia", u"Civile"_s},
                    {u"Protocollo", u"2026/118"_s},
                    {u"Apertura", u"12/01/2026"_s},
                    {u"Stato", u"In lavorazione"_s},
                    {u"Cliente", u"Rossi Mario"_s},
                    {u"Urgente", yes}}}) &&
           append(records::ArchiveKind::Deadlines, 2026,
                  {{{u"Giorno", u"12"_s},
                    {u"Mese", u"Dicembre"_s},
                    {u"Anno", u"2026"_s},
                    {u"DataSca", u"12/12/2026"_s},
                    {u"Ore", u"10"_s},
                    {u"Minuti", u"30"_s},
                    {u"Ora", u"10:30"_s},
                    {u"Preavviso", u"5"_s},
                    {u"Cliente", u"Rossi Mario"_s},
                    {u"Oggetto", u"Successione ereditaria"_s},
                    {u"Causale", u"Udienza"_s},
                    {u"Importo", u"0,00"_s},
                    {u"DaConfermare", yes},
                    {u"Effettuato", no}}}) &&
           append(records::ArchiveKind::Movements, 2026,
                  {{{u"Entrata", yes},
                    {u"Uscita", no},
                    {u"Data", u"15/03/2026"_s},
                    {u"Causale", u"Parcella"_s},
                    {u"Importo", u"1200,00"_s},
                    {u"Totale", u"+1200,00"_s},
                    {u"Saldato", yes}},
                   {{u"Entrata", no},
                    {u"Uscita", yes},
                    {u"Data", u"20/03/2026"_s},
                    {u"Causale", u"Affitto studio"_s},
                    {u"Importo", u"650,00"_s},
                    {u"Totale", u"-650,00"_s},
                    {u"Saldato", yes}},
                   {{u"Entrata", yes},
                    {u"Uscita", no},
                    {u"Data", u"10/06/2026"_s},
                    {u"Causale", u"Consulenza"_s},
                    {u"Importo", u"800,00"_s},
                    {u"Totale", u"+800,00"_s},
                    {u"Saldato", yes}}});
}

QWidget* screen(const QString& name) {
    return ui::Screens::get(name);
}

void grab(QWidget* w, const QString& name) {
    w->resize(1280, 800);
    QApplication::processEvents();
    w->grab().save(g_output + u'/' + name + u".png"_s);
}

void click(QWidget* w, const QString& control) {
    if (auto* b = w->findChild<QAbstractButton*>(control)) b->click();
}

// Grabs the modal screen that `open` shows, then closes it.
void grabModal(const std::function<void()>& open, const QString& name) {
    QTimer::singleShot(200, [name] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            grab(modal, name);
            modal->close();
        }
    });
    open();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tavolex_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    g_output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_output);
    QTemporaryDir folder;
    setProgramFolder(folder.path() + u'/');
    QFile::copy(QCoreApplication::applicationDirPath() + u"/../Tavolex/unins000.dll"_s,
                programPath(u"unins000.dll"_s));
    ui::Clock::setNow([] { return QDateTime(QDate(2026, 12, 10), QTime(9, 30)); });
    if (!makeArchives()) return 1;
    if (!startApplication()) return 1;
    // Any message box would wait for a click: a picture run answers it at once.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    answer.start(100);

    grab(screen(u"TfrmAvvio"_s), u"menu"_s);
    QWidget* clients = screen(u"TfrmClienti"_s);
    clients->show();
    click(clients, u"cmdPrimo"_s);
    grab(clients, u"clienti"_s);
    clients->hide();
    QWidget* practices = screen(u"TfrmPratica"_s);
    practices->show();
    click(practices, u"cmdPrimo"_s);
    grab(practices, u"pratiche"_s);
    practices->hide();
    QWidget* deadlines = screen(u"TfrmScadenzario"_s);
    deadlines->show();
    grab(deadlines, u"scadenze"_s);
    deadlines->hide();
    for (const auto& [menu, card, file] :
         {std::tuple{u"TfrmMenuProtocollo"_s, u"TfrmProtocollo"_s, u"protocollo"_s},
          std::tuple{u"TfrmMenuMovimenti"_s, u"TfrmMovimenti"_s, u"movimenti"_s}}) {
        QWidget* m = screen(menu);
        m->show();
        m->findChild<QLineEdit*>(u"txtAnnoPreventivi"_s)->setText(u"2026"_s);
        click(m, u"btnApriPreventivi"_s);
        QWidget* c = screen(card);
        click(c, u"cmdPrimo"_s);
        grab(c, file);
        c->hide();
    }
    auto* finder = ui::Screens::find<ui::TfrmTrovaTutto>(u"TfrmTrovaTutto"_s);
    finder->show();
    finder->findChild<QLineEdit*>(u"txtCerca"_s)->setText(u"rossi"_s);
    finder->cmdTrovaClick();
    finder->waitForSearch();
    grab(finder, u"trova"_s);
    finder->hide();
    QWidget* stats = screen(u"TfrmMenuStats"_s);
    stats->show();
    stats->findChild<QLineEdit*>(u"txtAnnoDDT"_s)->setText(u"2026"_s);
    grabModal([stats] { click(stats, u"btnApriDDT"_s); }, u"grafici"_s);
    stats->findChild<QLineEdit*>(u"txtAnnoPreventivi"_s)->setText(u"2026"_s);
    grabModal([stats] { click(stats, u"btnApriPreventivi"_s); }, u"grafici_entrate"_s);
    stats->hide();
    stopApplication();
    return 0;
}
