// The client search, the re-contact list and the client export, driven as a user would
// over a hand-made Clienti.pro.
#include "core/programfolder.h"
#include "export/spreadsheet.h"
#include "files/safewrite.h"
#include "records/layouts.h"
#include "records/record.h"
#include "search/clientlines.h"
#include "support/recordfixtures.h"
#include "support/uitest.h"
#include "ui/clients/TfrmExpClienti.h"
#include "ui/clients/TfrmRicontatta.h"
#include "ui/clients/TfrmTrovaClienti.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"
#include "ui/common/wait.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <map>

using namespace Qt::Literals::StringLiterals;
using namespace tavolex;
using namespace tavolex::ui;
using tavolex::test::answerBoxes;
using tavolex::test::answerNextBox;
using tavolex::test::child;

namespace {

using Fields = std::map<QString, QString>;

records::Record client(const Fields& fields, bool recontact = false) {
    records::Record r(records::clientLayout());
    for (const auto& [name, value] : fields)
        r.setText(name, value);
    r.setFlag(records::clientLayout().indexOf(u"Ricontatta"), recontact);
    return r;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class ClientListsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + u'/';
        setProgramFolder(folder);
        TMisc::setOpener([this](const QString& command, const QUrl&) { opened << command; });
    }
    void TearDown() override { TMisc::setOpener({}); }

    void writeArchive(const QList<records::Record>& records) {
        ASSERT_TRUE(test::writeRecords(folder + u"Clienti.pro"_s, records));
    }

    // Fills the filters (ten texts, in panel order) and presses "Cerca".
    static void search(TfrmTrovaClienti& screen, const QStringList& texts) {
        const QList<QLineEdit*>& fields = screen.filterFields();
        for (qsizetype i = 0; i < fields.size(); ++i)
            fields[i]->setText(i < texts.size() ? texts[i] : QString());
        child<QPushButton>(&screen, u"btnCerca"_s)->click();
    }

    static void doubleClick(ListScreen& screen, int row) {
        auto* list = child<QListView>(&screen, u"lstRecords"_s);
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        const QPoint at = list->visualRect(index).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    QTemporaryDir dir;
    QString folder;
    QStringList opened;
};

// ---------------------------------------------------------------- client search

const QList<records::Record>& searchArchive() {
    static const QList<records::Record> records = {
        client({{u"Cliente"_s, u"ROSSI Mario"_s},
                {u"ComuneRes"_s, u"Roma"_s},
                {u"Note"_s, u"cliente storico"_s}}),
        client({{u"Cliente"_s, u"Rossini Anna"_s},
                {u"ComuneRes"_s, u"Milano"_s},
                {u"PartitaIva"_s, u"01234567890"_s}}),
        client({{u"Cliente"_s, u"Bianchi Luca"_s},
                {u"ComuneRes"_s, u"Romano di Lombardia"_s},
                {u"Occupazione"_s, u"Avvocato civilista"_s}}),
        client({{u"Cliente"_s, u"Verdi Carla"_s},
                {u"Zona"_s, u"Nord"_s},
                {u"Questioni"_s, u"Rinnovo contratto"_s}}),
    };
    return records;
}

TEST_F(ClientListsTest, FiltersListMatchingClientsInFileOrderAndCountThem) {
    writeArchive(searchArchive());
    struct Case {
        const char* what;
        QStringList filters;
        QList<int> listed;
    };
    const QList<Case> cases = {
        {"no filter lists everybody", {}, {0, 1, 2, 3}},
        {"blanks only are no filter", {u"   "_s}, {0, 1, 2, 3}},
        {"case-insensitive part of a surname", {u"rossi"_s}, {0, 1}},
        {"two filters must both match", {u"ROSS"_s, u"roma"_s}, {0}},
        {"part of a municipality", {{}, u"ROMA"_s}, {0, 2}},
        {"trailing blank is part of the text", {u"rossi "_s}, {0}},
        {"blank filter next to a filled one", {u"  "_s, u"milano"_s}, {1}},
        {"vat number field", {{}, {}, u"4567"_s}, {1}},
        {"occupation and pending questions", {{}, {}, {}, {}, {}, u"avvocato"_s}, {2}},
        {"zone", {{}, {}, {}, {}, {}, {}, {}, u"nord"_s}, {3}},
        {"pending questions", {{}, {}, {}, {}, {}, {}, {}, {}, u"rinnovo"_s}, {3}},
        {"notes", {{}, {}, {}, {}, {}, {}, {}, {}, {}, u"STORICO"_s}, {0}},
        {"nothing matches", {u"rossi"_s, {}, {}, {}, {}, {}, {}, u"sud"_s}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TfrmTrovaClienti screen;
        screen.setCallerTag(u"clienti"_s);
        screen.show();
        search(screen, c.filters);
        QStringList expected;
        for (int i : c.listed)
            expected << search::clientSearchLine(searchArchive()[i]);
        EXPECT_EQ(screen.lines(), expected);
        EXPECT_EQ(child<QLabel>(&screen, u"lblTrovate"_s)->text(),
                  u"Il presente riepilogo contiene %1 schede."_s.arg(c.listed.size()));
        screen.close();
    }
}

TEST_F(ClientListsTest, SearchMovesFromFiltersToResultsAndPrintsItsList) {
    writeArchive(searchArchive());
    TfrmTrovaClienti screen;
    EXPECT_EQ(screen.objectName(), u"TfrmTrovaClienti"_s);
    EXPECT_EQ(screen.windowTitle(), u" Trova Clienti in archivio"_s);
    EXPECT_FALSE(screen.windowFlags() & Qt::WindowCloseButtonHint);
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    auto* cliente = child<QLineEdit>(&screen, u"txtCliente"_s);
    auto* results = child<QListView>(&screen, u"lstRecords"_s);
    EXPECT_TRUE(cliente->isVisible());
    EXPECT_FALSE(results->isVisible());
    EXPECT_TRUE(cliente->hasFocus());
    EXPECT_TRUE(child<QWidget>(&screen, u"effCliente"_s)->isVisible());

    // Enter walks the ten filters and comes back to the first.
    const QStringList order = {u"txtComuneRes"_s, u"txtPartitaIva"_s,  u"txtCodFisc"_s,
                               u"txtDocumento"_s, u"txtOccupazione"_s, u"txtProdotti"_s,
                               u"txtZona"_s,      u"txtQuestioni"_s,   u"txtNote"_s,
                               u"txtCliente"_s};
    for (const QString& next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), next);
    }

    // The waiting label shows while the button is held down, and goes with the search.
    auto* cerca = child<QPushButton>(&screen, u"btnCerca"_s);
    auto* waiting = child<QLabel>(&screen, u"lblAttendere"_s);
    EXPECT_FALSE(waiting->isVisible());
    QTest::mousePress(cerca, Qt::LeftButton);
    EXPECT_TRUE(waiting->isVisible());
    QTest::mouseRelease(cerca, Qt::LeftButton);
    EXPECT_FALSE(waiting->isVisible());

    EXPECT_FALSE(cliente->isVisible());
    EXPECT_TRUE(results->isVisible());
    auto* trova = child<QLineEdit>(&screen, u"txtTrova"_s);
    EXPECT_TRUE(trova->hasFocus());
    EXPECT_TRUE(trova->text().isEmpty());

    const tavolex::ui::report::ListReport report = screen.listReport();
    EXPECT_EQ(report.title, u"Riepilogo Clienti"_s);
    EXPECT_EQ(report.lines, screen.lines());
    EXPECT_EQ(report.lines.size(), 4);
    EXPECT_TRUE(child<QPushButton>(&screen, u"btnStampa"_s)->isVisible());
}

TEST_F(ClientListsTest, UnreadableArchiveKeepsTheFilterPanel) {
    ASSERT_TRUE(QDir().mkpath(folder + u"Clienti.pro"_s)); // a folder cannot be read as an archive
    TfrmTrovaClienti screen;
    screen.show();
    const auto box = answerNextBox([&] { search(screen, {u"rossi"_s}); });
    EXPECT_TRUE(box.seen);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.text, msg::archiveAccessErrorText());
    EXPECT_EQ(box.buttons, QStringList{u"OK"_s});
    EXPECT_TRUE(child<QLineEdit>(&screen, u"txtCliente"_s)->isVisible());
    EXPECT_FALSE(child<QListView>(&screen, u"lstRecords"_s)->isVisible());
    EXPECT_FALSE(child<QLabel>(&screen, u"lblAttendere"_s)->isVisible());
}

TEST_F(ClientListsTest, TrovaWrapsAroundAndKeepsSelectionWhenNothingMatches) {
    writeArchive({client({{u"Cliente"_s, u"ROSSI Mario"_s}}),
                  client({{u"Cliente"_s, u"Bianchi Luca"_s}}),
                  client({{u"Cliente"_s, u"Verdi"_s}, {u"Note"_s, u"cugino di ROSSI"_s}})});
    TfrmTrovaClienti screen;
    screen.show();
    search(screen, {});
    auto* find = child<QLineEdit>(&screen, u"txtTrova"_s);
    auto* trova = child<QPushButton>(&screen, u"btnTrova"_s);

    find->setText(u"rossi"_s);
    for (int expected : {0, 2, 0, 2}) {
        trova->click();
        EXPECT_EQ(screen.selectedRow(), expected);
    }
    screen.selectRow(1);
    find->setText(u"nessuno"_s);
    trova->click();
    EXPECT_EQ(screen.selectedRow(), 1);
    // A new text starts again from the first entry.
    find->setText(u"verdi"_s);
    trova->click();
    EXPECT_EQ(screen.selectedRow(), 2);
}

TEST_F(ClientListsTest, TrovaOnAnEmptyListSaysSo) {
    writeArchive({client({{u"Cliente"_s, u"Rossi"_s}})});
    TfrmTrovaClienti screen;
    screen.show();
    search(screen, {u"bianchi"_s});
    ASSERT_EQ(screen.lineCount(), 0);
    const auto box = answerNextBox([&] { child<QPushButton>(&screen, u"btnTrova"_s)->click(); });
    EXPECT_EQ(box.text, u"Ricerca non applicabile: la lista non contiene nessuna voce."_s);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
}

TEST_F(ClientListsTest, DoubleClickHandsBackTheLastRecordWithTheSameLine) {
    // Records 2 and 4 give the same line (they differ only in fields the line leaves out).
    const records::Record twinA = client({{u"Cliente"_s, u"Neri Paolo"_s},
                                          {u"Recapito"_s, u"333 1234567"_s},
                                          {u"CodFisc"_s, u"AAA"_s}});
    const records::Record twinB = client({{u"Cliente"_s, u"Neri Paolo"_s},
                                          {u"Recapito"_s, u"333 1234567"_s},
                                          {u"CodFisc"_s, u"BBB"_s}});
    writeArchive({client({{u"Cliente"_s, u"Gialli"_s}}), twinA,
                  client({{u"Cliente"_s, u"Neri Paola"_s}}), twinB});
    ASSERT_EQ(search::clientSearchLine(twinA), search::clientSearchLine(twinB));

    struct Case {
        QString tag;
        bool loads;
    };
    for (const Case& c :
         {Case{u"clienti"_s, true}, Case{u"pratica"_s, true}, Case{u"movimenti_pagatore"_s, true},
          Case{u"movimenti_beneficiario"_s, true}, Case{u"scadenzario"_s, false},
          Case{QString(), false}}) {
        SCOPED_TRACE(c.tag.toStdString());
        TfrmTrovaClienti screen;
        screen.setCallerTag(c.tag);
        screen.show();
        search(screen, {u"neri"_s});
        ASSERT_EQ(screen.lineCount(), 3);
        EXPECT_EQ(child<QLabel>(&screen, u"lblMemory"_s)->text(), c.tag);
        doubleClick(screen, 0); // the entry of record 2
        EXPECT_FALSE(screen.isVisible());
        EXPECT_EQ(screen.result(), QDialog::Accepted);
        EXPECT_EQ(screen.lineCount(), 0); // closing empties the list
        ASSERT_EQ(screen.chosen().has_value(), c.loads);
        if (c.loads) {
            EXPECT_EQ(screen.chosen()->position, 4);
            EXPECT_EQ(screen.chosen()->bytes, twinB.bytes());
        }
    }

    // The middle entry belongs to one record only.
    TfrmTrovaClienti screen;
    screen.setCallerTag(u"pratica"_s);
    screen.show();
    search(screen, {u"neri"_s});
    screen.activateRow(1);
    ASSERT_TRUE(screen.chosen().has_value());
    EXPECT_EQ(screen.chosen()->position, 3);
}

// Each entry carries the record behind it from the search's own scan; a double-click reads
// that record alone, and scans again only when the archive changed underneath.
TEST_F(ClientListsTest, EntriesCarryTheirRecordAndSurviveAChangedArchive) {
    const records::Record twinA =
        client({{u"Cliente"_s, u"Neri Paolo"_s}, {u"CodFisc"_s, u"AAA"_s}});
    const records::Record twinB =
        client({{u"Cliente"_s, u"Neri Paolo"_s}, {u"CodFisc"_s, u"BBB"_s}});
    const records::Record other = client({{u"Cliente"_s, u"Gialli"_s}});
    ASSERT_EQ(search::clientSearchLine(twinA), search::clientSearchLine(twinB));
    struct Case {
        const char* what;
        QList<records::Record> changedTo; // written between the search and the double-click
        qint64 expected;                  // 0: nothing handed back
        QByteArray bytes;
    };
    const QList<Case> cases = {
        {"unchanged: the later twin, though the filter left it out", {}, 3, twinB.bytes()},
        {"a third twin appended: the scan finds it",
         {twinA, other, twinB, twinA},
         4,
         twinA.bytes()},
        {"the carried record now another client: the last remaining twin",
         {twinA, other, other},
         1,
         twinA.bytes()},
        {"the archive cut short: the last remaining twin", {twinA}, 1, twinA.bytes()},
        {"no twin left", {other}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeArchive({twinA, other, twinB});
        ASSERT_TRUE(test::ageFile(folder + u"Clienti.pro"_s)); // saved long before the search
        TfrmTrovaClienti screen;
        screen.setCallerTag(u"clienti"_s);
        screen.show();
        search(screen, {{}, {}, {}, u"aaa"_s}); // the tax code: record 1 only
        ASSERT_EQ(screen.lineCount(), 1);
        EXPECT_EQ(screen.positionAt(0), 3);
        if (!c.changedTo.isEmpty()) writeArchive(c.changedTo);
        doubleClick(screen, 0);
        EXPECT_FALSE(screen.isVisible());
        ASSERT_EQ(screen.chosen().has_value(), c.expected != 0);
        if (!screen.chosen()) continue;
        EXPECT_EQ(screen.chosen()->position, c.expected);
        EXPECT_EQ(screen.chosen()->bytes, c.bytes);
    }
}

// A caller gets the double-clicked client straight from pick(); nothing when it closes.
TEST_F(ClientListsTest, PickHandsTheChosenClientBack) {
    writeArchive(searchArchive());
    std::optional<ChosenRecord> picked;
    test::withNextModal([&] { picked = TfrmTrovaClienti::pick(nullptr, u"pratica"_s); },
                        [](QWidget* modal) {
                            auto* screen = qobject_cast<TfrmTrovaClienti*>(modal);
                            ASSERT_NE(screen, nullptr);
                            search(*screen, {u"rossi"_s});
                            screen->activateRow(1);
                        });
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(picked->position, 2);
    EXPECT_EQ(picked->bytes, searchArchive()[1].bytes());

    test::withNextModal([&] { picked = TfrmTrovaClienti::pick(nullptr, u"clienti"_s); },
                        [](QWidget* modal) { modal->close(); });
    EXPECT_FALSE(picked.has_value());
}

TEST_F(ClientListsTest, ClosingOrFailingLoadsNothing) {
    writeArchive({client({{u"Cliente"_s, u"Rossi"_s}})});
    {
        TfrmTrovaClienti screen;
        screen.setCallerTag(u"clienti"_s);
        screen.show();
        child<QPushButton>(&screen, u"btnAnnulla"_s)->click();
        EXPECT_FALSE(screen.isVisible());
        EXPECT_FALSE(screen.chosen().has_value());
    }
    {
        // The archive went away between the search and the double-click.
        TfrmTrovaClienti screen;
        screen.setCallerTag(u"clienti"_s);
        screen.show();
        search(screen, {});
        ASSERT_TRUE(QFile::remove(folder + u"Clienti.pro"_s));
        screen.activateRow(0);
        EXPECT_FALSE(screen.isVisible());
        EXPECT_FALSE(screen.chosen().has_value());
    }
    {
        // A double-click with nothing selected just closes.
        TfrmTrovaClienti screen;
        screen.setCallerTag(u"clienti"_s);
        screen.show();
        search(screen, {u"nobody"_s});
        screen.activateRow(-1);
        EXPECT_FALSE(screen.isVisible());
        EXPECT_FALSE(screen.chosen().has_value());
    }
}

// ---------------------------------------------------------------- re-contact list

TEST_F(ClientListsTest, RecontactListShowsOnlyTickedClientsWithTheirQuestions) {
    const QList<records::Record> archive = {
        client({{u"Cliente"_s, u"Rossi"_s},
                {u"Questioni"_s, u"Richiamare per il rinnovo"_s},
                {u"Note"_s, u"n1"_s}},
               true),
        client({{u"Cliente"_s, u"Bianchi"_s}, {u"Questioni"_s, u"In attesa di documenti"_s}},
               false),
        client({{u"Cliente"_s, u"Verdi"_s}, {u"Recapito"_s, u"Ufficio"_s}}, true),
    };
    writeArchive(archive);
    TfrmRicontatta screen;
    EXPECT_EQ(screen.objectName(), u"TfrmRicontatta"_s);
    EXPECT_EQ(screen.windowTitle(), u" Riepilogo Clienti da ricontattare"_s);
    child<QLineEdit>(&screen, u"txtTrova"_s)->setText(u"vecchio testo"_s);
    screen.show();
    EXPECT_EQ(screen.lines(), QStringList({search::clientRecontactLine(archive[0]),
                                           search::clientRecontactLine(archive[2])}));
    EXPECT_TRUE(screen.lines().first().endsWith(u"  Richiamare per il rinnovo"_s));
    EXPECT_TRUE(child<QLineEdit>(&screen, u"txtTrova"_s)->text().isEmpty());
    EXPECT_EQ(screen.listReport().title, u"Riepilogo Clienti da ricontattare"_s);
    EXPECT_EQ(screen.listReport().lines, screen.lines());
}

TEST_F(ClientListsTest, RecontactDoubleClickLoadsTheLastTickedRecordWithThatLine) {
    const records::Record a =
        client({{u"Cliente"_s, u"Neri"_s}, {u"Questioni"_s, u"q"_s}, {u"Note"_s, u"A"_s}}, true);
    const records::Record b =
        client({{u"Cliente"_s, u"Neri"_s}, {u"Questioni"_s, u"q"_s}, {u"Note"_s, u"B"_s}}, true);
    // Same line, stored last, but not on the list: it is not behind any entry.
    const records::Record c =
        client({{u"Cliente"_s, u"Neri"_s}, {u"Questioni"_s, u"q"_s}, {u"Note"_s, u"C"_s}}, false);
    writeArchive({a, b, c});
    TfrmRicontatta screen;
    screen.show();
    ASSERT_EQ(screen.lineCount(), 2);
    doubleClick(screen, 0);
    EXPECT_FALSE(screen.isVisible());
    ASSERT_TRUE(screen.chosen().has_value());
    EXPECT_EQ(screen.chosen()->position, 2);
    EXPECT_EQ(screen.chosen()->bytes, b.bytes());
}

// ---------------------------------------------------------------- export

const QList<records::Record>& exportArchive() {
    static const QList<records::Record> records = {
        client({{u"Cliente"_s, u"Rossi Mario"_s},
                {u"DataNasc"_s, u"01/02/1970"_s},
                {u"ComuneNasc"_s, u"Roma"_s},
                {u"Recapito"_s, u"Casa"_s},
                {u"IndirizzoRes"_s, u"Via Po 1"_s},
                {u"ComuneRes"_s, u"Milano"_s},
                {u"ProvRes"_s, u"MI"_s},
                {u"CapRes"_s, u"20100"_s},
                {u"Estremi"_s, u"Bonifico"_s},
                {u"TelCasa"_s, u"02 1"_s},
                {u"TelUff"_s, u"02 2"_s},
                {u"TelCel"_s, u"333"_s},
                {u"Fax"_s, u"02 3"_s},
                {u"Email"_s, u"m@r.it"_s},
                {u"CodFisc"_s, u"RSSMRA70B01H501X"_s},
                {u"PartitaIva"_s, u"01234567890"_s},
                {u"Carta"_s, u"4111"_s},
                {u"ScadeCarta"_s, u"12/30"_s},
                {u"Iban"_s, u"IT60X"_s},
                {u"Documento"_s, u"CI AB123"_s},
                {u"Occupazione"_s, u"Avvocato"_s},
                {u"Civile"_s, u"Coniugato"_s},
                {u"Titoli"_s, u"Dott."_s},
                {u"Prodotti"_s, u"Consulenza"_s},
                {u"Zona"_s, u"Nord"_s},
                {u"Questioni"_s, u"Nessuna"_s},
                {u"Note"_s, u"Citt\u00E0 & co."_s},
                {u"Sesso"_s, u"M"_s}},
               true),
        client({{u"Cliente"_s, u"Bianchi"_s}, {u"ProvNasc"_s, u"TO"_s}}),
    };
    return records;
}

TEST_F(ClientListsTest, ExportGridShowsEveryRecordInItsColumns) {
    writeArchive(exportArchive());
    TfrmExpClienti screen;
    EXPECT_EQ(screen.objectName(), u"TfrmExpClienti"_s);
    EXPECT_EQ(screen.windowTitle(), u" Esporta archivio Clienti in Microsoft Excel"_s);
    EXPECT_EQ(child<QLabel>(&screen, u"panInfo"_s)->text(),
              u"Esportazione archivio in Microsoft Excel."_s);
    screen.show();
    auto* grid = child<QTableView>(&screen, u"grdRecords"_s);
    ASSERT_EQ(grid->model()->rowCount(), 2);
    ASSERT_EQ(grid->model()->columnCount(), 26);
    EXPECT_EQ(grid->model()->headerData(3, Qt::Horizontal).toString(),
              u"Comune / Stato estero di nascita"_s);
    EXPECT_EQ(grid->model()->headerData(25, Qt::Horizontal).toString(), u"Note"_s);
    EXPECT_EQ(grid->columnWidth(0), 60);
    EXPECT_EQ(grid->columnWidth(25), 350);
    EXPECT_EQ(grid->rowHeight(1), 21);

    const QStringList first = {u"1"_s,           u"Rossi Mario"_s,
                               u"01/02/1970"_s,  u"Roma "_s,
                               u"Casa"_s,        u"Via Po 1"_s,
                               u"Milano MI"_s,   u"Bonifico"_s,
                               u"02 1"_s,        u"02 2"_s,
                               u"333"_s,         u"02 3"_s,
                               u"m@r.it"_s,      u"RSSMRA70B01H501X"_s,
                               u"01234567890"_s, u"4111"_s,
                               u"12/30"_s,       u"IT60X"_s,
                               u"CI AB123"_s,    u"Avvocato"_s,
                               u"Coniugato"_s,   u"Dott."_s,
                               u"Consulenza"_s,  u"Nord"_s,
                               u"Nessuna"_s,     u"Citt\u00E0 & co."_s};
    for (int c = 0; c < 26; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(grid->model()->index(0, c).data().toString(), first[c]);
    }
    EXPECT_EQ(screen.cellText(1, 0), u"2"_s);
    EXPECT_EQ(screen.cellText(1, 3), u" TO"_s);
    EXPECT_EQ(screen.cellText(1, 6), u" "_s);
}

TEST_F(ClientListsTest, ExportWritesClientiXlsAfterAskingAndOffersToOpenIt) {
    writeArchive(exportArchive());
    TfrmExpClienti screen;
    screen.show();
    auto* esporta = child<QToolButton>(&screen, u"cmdEsporta"_s);
    const QString path = folder + u"Clienti.xls"_s;

    // No to the first question writes nothing.
    auto box = answerNextBox([&] { esporta->click(); }, u"No"_s);
    EXPECT_EQ(box.icon, QMessageBox::Question);
    EXPECT_EQ(box.text, QString::fromUtf16(exporting::kAskExport));
    EXPECT_FALSE(QFile::exists(path));

    // Yes, then No: written, not opened.
    auto boxes = answerBoxes([&] { esporta->click(); }, {u"S\u00EC"_s, u"No"_s});
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1].icon, QMessageBox::Question);
    EXPECT_EQ(boxes[1].text, QString::fromUtf16(exporting::kAskOpenExport));
    EXPECT_TRUE(opened.isEmpty());

    auto cells = [](const QStringList& row) {
        QByteArray out;
        // The VAT number is a text cell, so that spreadsheet programs keep its leading zero.
        for (const QString& v : row)
            out += (v == u"01234567890"_s ? QByteArray("<td sdnum=\"1040;0;@\" style=\"text-align: "
                                                       "left; mso-number-format:\\@;\">")
                                          : QByteArray("<td style=\"text-align: left;\">")) +
                   v.toLatin1() + "</td>";
        return out;
    };
    const QByteArray bytes = contents(path);
    const QByteArray firstRow = "<tr>" +
                                cells({u"Rossi Mario"_s,
                                       u"01/02/1970"_s,
                                       u"Roma"_s,
                                       u"Casa"_s,
                                       u"Via Po 1"_s,
                                       u"Milano MI"_s,
                                       u"Bonifico"_s,
                                       u"02 1"_s,
                                       u"02 2"_s,
                                       u"333"_s,
                                       u"02 3"_s,
                                       u"m@r.it"_s,
                                       u"RSSMRA70B01H501X"_s,
                                       u"01234567890"_s,
                                       u"4111"_s,
                                       u"12/30"_s,
                                       u"IT60X"_s,
                                       u"CI AB123"_s,
                                       u"Avvocato"_s,
                                       u"Coniugato"_s,
                                       u"Dott."_s,
                                       u"Consulenza"_s,
                                       u"Nord"_s,
                                       u"Nessuna"_s}) +
                                "<td style=\"text-align: left;\">Citt\xE0 &amp; co.</td></tr>";
    QStringList second(25);
    second[0] = u"Bianchi"_s;
    second[2] = u"TO"_s;
    const QByteArray secondRow = "<tr>" + cells(second) + "</tr>";
    const QByteArray table = "<table x:str>";
    ASSERT_TRUE(bytes.contains(table));
    const QByteArray body = bytes.mid(bytes.indexOf(table) + table.size());
    const qsizetype headingEnd = body.indexOf("</tr>") + 5;
    EXPECT_TRUE(body.startsWith("<tr><td style=\"text-align: left; font-weight: bold;\" width=250>"
                                "Cognome e nome Cliente</td>"));
    EXPECT_EQ(body.mid(headingEnd), firstRow + secondRow + "</table></body></html>");
    EXPECT_TRUE(bytes.contains("<x:Name>Riepilogo Clienti</x:Name>"));
    EXPECT_FALSE(bytes.contains('\n') || bytes.contains('\r'));

    // Yes, Yes: written again, identical, and handed to the desktop.
    QFile::remove(path);
    boxes = answerBoxes([&] { esporta->click(); }, {u"S\u00EC"_s, u"S\u00EC"_s});
    EXPECT_EQ(boxes.size(), 2);
    EXPECT_EQ(contents(path), bytes);
    EXPECT_EQ(opened, QStringList{u"\""_s + folder + u"Clienti.xls\""_s});
}

TEST_F(ClientListsTest, ExportOfAnEmptyArchiveHasTheHeadingRowOnly) {
    TfrmExpClienti screen;
    screen.show();
    EXPECT_EQ(child<QTableView>(&screen, u"grdRecords"_s)->model()->rowCount(), 0);
    ASSERT_TRUE(screen.writeExport(folder + u"Clienti.xls"_s));
    const QByteArray bytes = contents(folder + u"Clienti.xls"_s);
    EXPECT_EQ(bytes.count("<tr>"), 1);
    EXPECT_EQ(bytes.count("<td "), 25);
}

TEST_F(ClientListsTest, ExportThatCannotWriteSaysSoAndKeepsNoFile) {
    writeArchive(exportArchive());
    ASSERT_TRUE(
        QDir().mkpath(folder + u"Clienti.xls"_s)); // stands in for a file held open elsewhere
    TfrmExpClienti screen;
    screen.show();
    const auto boxes = answerBoxes([&] { child<QToolButton>(&screen, u"cmdEsporta"_s)->click(); },
                                   {u"S\u00EC"_s, u"OK"_s});
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1].text, QString::fromUtf16(exporting::kExportFailed));
    EXPECT_EQ(boxes[1].icon, QMessageBox::NoIcon);
    EXPECT_EQ(boxes[1].buttons, QStringList{u"OK"_s});
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(ClientListsTest, ExportScreenHintsAndExit) {
    TfrmExpClienti screen;
    screen.show();
    auto* bar = child<QLabel>(&screen, u"panInfo"_s);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(child<QToolButton>(&screen, u"cmdGuida"_s), &enter);
    EXPECT_EQ(bar->text(), u"Visualizza la pagina della guida sensibile al contesto."_s);
    QApplication::sendEvent(child<QToolButton>(&screen, u"cmdEsporta"_s), &enter);
    EXPECT_EQ(bar->text(), u"Esporta l'archivio in formato Microsoft Excel."_s);
    QApplication::sendEvent(child<QToolButton>(&screen, u"cmdEsci"_s), &enter);
    EXPECT_EQ(bar->text(), u"Esci da questo ambiente di lavoro."_s);
    child<QToolButton>(&screen, u"cmdEsci"_s)->click();
    EXPECT_FALSE(screen.isVisible());
}

} // namespace

// An export stopped part-way ("Annulla") leaves the file of an earlier export byte for byte
// as it was, wherever it stops.
TEST_F(ClientListsTest, StoppedExportLeavesTheEarlierFileAsItWas) {
    writeArchive(exportArchive());
    TfrmExpClienti screen;
    screen.show();
    const QString path = folder + u"Clienti.xls"_s;
    const QByteArray earlier = "<html>an earlier export</html>";
    for (const qsizetype stopAt : {qsizetype(0), qsizetype(2)}) {
        SCOPED_TRACE(stopAt);
        ASSERT_TRUE(files::replaceFile(path, earlier));
        QList<qsizetype> told;
        EXPECT_FALSE(screen
                         .writeExport(path,
                                      [&told, stopAt](qsizetype rows) {
                                          told << rows;
                                          return rows < stopAt;
                                      })
                         .has_value());
        EXPECT_EQ(contents(path), earlier);
        EXPECT_EQ(told.last(), stopAt);
    }
    const auto whole = screen.writeExport(path, [](qsizetype) { return true; });
    ASSERT_TRUE(whole.has_value() && whole->ok());
    EXPECT_NE(contents(path), earlier);
}

// Long work shows the progress window once it has taken a moment; "Annulla" there stops the
// work, and the work's answer when stopped comes back.
TEST_F(ClientListsTest, ProgressWindowStopsTheWorkOnAnnulla) {
    TfrmExpClienti screen;
    screen.show();
    QProgressDialog* seen = nullptr;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* window = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible()) return;
        seen = window;
        EXPECT_EQ(window->objectName(), u"dlgAvanzamento"_s);
        EXPECT_EQ(window->labelText(), u"Esportazione in corso\u2026"_s);
        auto* annulla = window->findChild<QPushButton*>();
        ASSERT_NE(annulla, nullptr);
        EXPECT_EQ(annulla->text(), u"Annulla"_s);
        poll.stop();
        annulla->click();
    });
    poll.start(20);
    const int steps = runWithProgress<int>(&screen, u"Esportazione in corso\u2026"_s, 1000,
                                           [](const Progress& progress) {
                                               int step = 0;
                                               // Gives up after 10 s should nothing stop it.
                                               while (step < 1000 && progress(step)) {
                                                   QThread::msleep(10);
                                                   ++step;
                                               }
                                               return step;
                                           });
    EXPECT_NE(seen, nullptr);
    EXPECT_LT(steps, 1000);
}
