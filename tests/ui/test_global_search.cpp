// The search over every archive inside the whole program: its main-menu button, hits of every
// archive kind and year streamed into the list, a damaged record counted, a row opening its
// card on its record (yearly and single archives) and the card's closing leading back to the
// results, a new search or the screen's closing cancelling the running one.
#include "records/layouts.h"
#include "support/program.h"
#include "support/recordfixtures.h"
#include "ui/app/TfrmTrovaTutto.h"
#include "ui/common/behaviour.h"
#include "ui/common/recordcard.h"
#include "ui/common/screens.h"
#include "ui/deadlines/TfrmScadenzario.h"
#include "ui/movements/TfrmMovimenti.h"
#include "ui/protocol/TfrmProtocollo.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tavolex;
using namespace tavolex::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString& g_folder = ProgramEnvironment::folder();
const ScreenDriver g_search(u"TfrmTrovaTutto"_s);

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(
    new ProgramEnvironment(QDateTime(QDate(2026, 12, 10), QTime(18, 30))));

ui::TfrmTrovaTutto* screen() {
    return ui::Screens::find<ui::TfrmTrovaTutto>(u"TfrmTrovaTutto"_s);
}

QTableView* results() {
    return g_search.on<QTableView>(u"lstRisultati"_s);
}

// Every row as "Archivio|Anno|N.|Campo|Testo".
QStringList rows() {
    QStringList seen;
    const QAbstractItemModel* model = results()->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->index(r, c).data().toString();
        seen << cells.join(u'|');
    }
    return seen;
}

// Types the text and presses Enter in it, then waits for the scan to end.
void searchFor(const QString& text) {
    g_search.type(u"txtCerca"_s, text);
    QTest::keyClick(g_search.on<QLineEdit>(u"txtCerca"_s), Qt::Key_Return);
    screen()->waitForSearch();
}

int rowOf(const QString& start) {
    const QStringList seen = rows();
    for (int r = 0; r < seen.size(); ++r)
        if (seen[r].startsWith(start)) return r;
    return -1;
}

// A double-click is a press and release, then the second press as a double-click.
void doubleClickRow(int row) {
    QTableView* view = results();
    const QRect cell = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QApplication::processEvents();
}

void put(const QString& name, const QList<records::Record>& records) {
    ASSERT_TRUE(writeRecords(g_folder + name, records));
}

class GlobalSearch : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        using test::makeRecord;
        const auto& clients = records::clientLayout();
        records::Record damaged = makeRecord(clients, {{u"Cliente", u"Persico Dario"_s}});
        QByteArray bytes = damaged.bytes();
        bytes[clients.field(u"CapRes").offset] = char(200); // capacity 5
        damaged.setBytes(bytes);
        put(u"Clienti.pro"_s, {makeRecord(clients, {{u"Cliente", u"Bianchi Anna"_s}}),
                               makeRecord(clients, {{u"Cliente", u"Rossi Mario"_s},
                                                    {u"IndirizzoRes", u"Via Persic\u00F2 3"_s}}),
                               damaged});
        put(u"2024.prt"_s,
            {makeRecord(records::protocolLayout(), {{u"Oggetto", u"Lettera PERSICO"_s}})});
        put(u"2025.prt"_s,
            {makeRecord(records::protocolLayout(), {{u"Oggetto", u"Altro"_s}}),
             makeRecord(records::protocolLayout(),
                        {{u"Numero", u"7/2025"_s}, {u"Oggetto", u"Ricorso sig. Persico"_s}})});
        put(u"Pratiche.pro"_s,
            {makeRecord(records::practiceLayout(),
                        {{u"Oggetto", u"Successione"_s}, {u"Cliente", u"persico giulia"_s}})});
        put(u"2026.sca"_s,
            {makeRecord(records::deadlineLayout(), {{u"Note", u"nessuna"_s}}),
             makeRecord(records::deadlineLayout(), {{u"Giorno", u"12"_s},
                                                    {u"Mese", u"Marzo"_s},
                                                    {u"Anno", u"2026"_s},
                                                    {u"Note", u"Chiamare Persic\u00F2"_s}})});
        put(u"2023.eur"_s,
            {makeRecord(records::movementLayout(), {{u"Entrata", u"S\u00EC"_s},
                                                    {u"Uscita", u"No"_s},
                                                    {u"Causale", u"Onorario"_s},
                                                    {u"Pagatore", u"Studio Persico"_s}})});
    }

    void SetUp() override {
        // As the main menu opens it: the menu hidden.
        topLevel(u"TfrmAvvio"_s)->hide();
        ui::Screens::show(u"TfrmTrovaTutto"_s);
        QApplication::processEvents();
    }
    void TearDown() override {
        for (const QString& name : {u"TfrmProtocollo"_s, u"TfrmClienti"_s, u"TfrmScadenzario"_s})
            if (QWidget* card = ui::Screens::get(name); card && card->isVisible()) card->close();
        if (screen()->isVisible()) g_search.click(u"cmdEsci"_s);
        QApplication::processEvents();
    }
};

TEST_F(GlobalSearch, MainMenuButtonOpensTheScreen) {
    g_search.click(u"cmdEsci"_s);
    ASSERT_TRUE(topLevel(u"TfrmAvvio"_s)->isVisible());
    const ScreenDriver menu(u"TfrmAvvio"_s);
    auto* button = menu.on<QToolButton>(u"btnTrovaTutto"_s);
    EXPECT_EQ(button->text(), u"Trova ovunque"_s);
    EXPECT_FALSE(button->toolTip().isEmpty());
    menu.click(u"btnTrovaTutto"_s);
    QApplication::processEvents();
    EXPECT_TRUE(screen()->isVisible());
    EXPECT_FALSE(topLevel(u"TfrmAvvio"_s)->isVisible());
    EXPECT_EQ(screen()->windowTitle(), u" Tavolex - Trova ovunque"_s);
    EXPECT_EQ(g_search.on<QToolButton>(u"cmdTrova"_s)->text(), u"Trova"_s);
    EXPECT_NE(g_search.on(u"cmdEsci"_s), nullptr);
    // Leaving goes back to the main menu.
    g_search.click(u"cmdEsci"_s);
    EXPECT_TRUE(topLevel(u"TfrmAvvio"_s)->isVisible());
}

TEST_F(GlobalSearch, HitsOfEveryArchiveAndYearInOrderWithTheDamagedRecordCounted) {
    searchFor(u"persico"_s);
    EXPECT_EQ(rows(),
              (QStringList{
                  u"Clienti||2|Residente in Via / Piazza e numero civico:|Via Persic\u00F2 3"_s,
                  u"Protocollo|2024|1|Oggetto:|Lettera PERSICO"_s,
                  u"Protocollo|2025|2|Oggetto:|Ricorso sig. Persico"_s,
                  u"Pratiche||1|Cognome e nome o ragione sociale Cliente:|persico giulia"_s,
                  u"Scadenze|2026|2|Note:|Chiamare Persic\u00F2"_s,
                  u"Movimenti|2023|1|Pagatore:|Studio Persico"_s,
              }));
    EXPECT_EQ(g_search.shown(u"lblConteggio"_s),
              u"Trovate 6 schede in 6 archivi. Schede danneggiate non esaminate: 1."_s);
    const QStringList headings = [] {
        QStringList h;
        for (int c = 0; c < results()->model()->columnCount(); ++c)
            h << results()->model()->headerData(c, Qt::Horizontal).toString();
        return h;
    }();
    EXPECT_EQ(headings, (QStringList{u"Archivio"_s, u"Anno"_s, u"N."_s, u"Campo"_s, u"Testo"_s}));

    searchFor(u"nessuno lo contiene"_s);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(g_search.shown(u"lblConteggio"_s).startsWith(u"Trovate 0 schede in 0 archivi."_s));
}

TEST_F(GlobalSearch, DoubleClickOpensTheYearlyCardOnItsRecordAndClosingReturns) {
    searchFor(u"PERSICO"_s);
    const QStringList before = rows();
    const int row = rowOf(u"Protocollo|2025|2|"_s);
    ASSERT_GE(row, 0);
    doubleClickRow(row);

    auto* card = ui::Screens::find<ui::RecordCard>(u"TfrmProtocollo"_s);
    ASSERT_TRUE(card->isVisible());
    EXPECT_FALSE(screen()->isVisible());
    EXPECT_EQ(card->windowTitle(), u" Tavolex - Protocollo Posta anno 2025"_s);
    EXPECT_EQ(card->archive()->name(), g_folder + u"2025.prt"_s);
    EXPECT_EQ(card->text(u"lblFile"_s), g_folder + u"2025.prt"_s);
    EXPECT_EQ(card->position(), 2);
    EXPECT_EQ(card->text(u"txtNumero"_s), u"7/2025"_s);
    EXPECT_EQ(card->text(u"txtOggetto"_s), u"Ricorso sig. Persico"_s);

    ScreenDriver(u"TfrmProtocollo"_s).click(u"cmdEsci"_s);
    QApplication::processEvents();
    EXPECT_TRUE(screen()->isVisible());
    EXPECT_FALSE(topLevel(u"TfrmAvvio"_s)->isVisible());
    EXPECT_EQ(rows(), before);

    // The deadline card opens on its year's panel, the record shown.
    const int deadline = rowOf(u"Scadenze|2026|2|"_s);
    ASSERT_GE(deadline, 0);
    screen()->openRow(deadline);
    QApplication::processEvents();
    auto* deadlines = ui::Screens::find<ui::RecordCard>(u"TfrmScadenzario"_s);
    ASSERT_TRUE(deadlines->isVisible());
    EXPECT_EQ(deadlines->archive()->name(), g_folder + u"2026.sca"_s);
    EXPECT_EQ(deadlines->position(), 2);
    EXPECT_EQ(deadlines->text(u"txtNote"_s), u"Chiamare Persic\u00F2"_s);
    EXPECT_TRUE(deadlines->findChild<QWidget*>(u"panContainer"_s)->isVisible());
    deadlines->close();
    QApplication::processEvents();
    EXPECT_TRUE(screen()->isVisible());

    // A card opened from its own menu still returns to the main menu.
    ui::Screens::show(u"TfrmProtocollo"_s);
    ScreenDriver(u"TfrmProtocollo"_s).click(u"cmdEsci"_s);
    QApplication::processEvents();
    EXPECT_TRUE(topLevel(u"TfrmAvvio"_s)->isVisible());
}

TEST_F(GlobalSearch, EnterOrDoubleClickOpensASingleArchiveCardOnItsRecord) {
    searchFor(u"persico"_s);
    const int row = rowOf(u"Clienti||2|"_s);
    ASSERT_GE(row, 0);
    QTableView* view = results();
    view->setFocus();
    view->setCurrentIndex(view->model()->index(row, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QApplication::processEvents();

    auto* card = ui::Screens::find<ui::RecordCard>(u"TfrmClienti"_s);
    ASSERT_TRUE(card->isVisible());
    EXPECT_EQ(card->position(), 2);
    EXPECT_EQ(card->text(u"txtCliente"_s), u"Rossi Mario"_s);
    EXPECT_EQ(card->text(u"txtIndirizzoRes"_s), u"Via Persic\u00F2 3"_s);
    card->close();
    QApplication::processEvents();
    EXPECT_TRUE(screen()->isVisible());
    EXPECT_EQ(rows().size(), 6);

    // The practice, a single archive too, by double-click.
    const int practice = rowOf(u"Pratiche||1|"_s);
    ASSERT_GE(practice, 0);
    doubleClickRow(practice);
    auto* practices = ui::Screens::find<ui::RecordCard>(u"TfrmPratica"_s);
    ASSERT_TRUE(practices->isVisible());
    EXPECT_EQ(practices->position(), 1);
    EXPECT_EQ(practices->text(u"txtOggetto"_s), u"Successione"_s);
    practices->close();
    QApplication::processEvents();
    EXPECT_TRUE(screen()->isVisible());
}

TEST_F(GlobalSearch, FieldLabelsAreTheOnesTheCardsShow) {
    // Each card is loaded with a record whose every text field holds its own marker; the
    // caption above the control showing marker i must be the label the search gives field i.
    using search::ArchiveKind;
    const std::pair<ArchiveKind, QString> cards[] = {
        {ArchiveKind::Clients, u"TfrmClienti"_s},
        {ArchiveKind::Protocol, u"TfrmProtocollo"_s},
        {ArchiveKind::Practices, u"TfrmPratica"_s},
        {ArchiveKind::Deadlines, u"TfrmScadenzario"_s},
        {ArchiveKind::Movements, u"TfrmMovimenti"_s},
    };
    for (const auto& [kind, name] : cards) {
        auto* card = ui::Screens::find<ui::RecordCard>(name);
        ui::Screens::show(name);
        if (auto* c = qobject_cast<ui::TfrmProtocollo*>(card)) c->openYear(u"2026"_s);
        if (auto* c = qobject_cast<ui::TfrmScadenzario*>(card)) c->openYear(u"2026"_s);
        if (auto* c = qobject_cast<ui::TfrmMovimenti*>(card)) c->openYear(u"2026"_s);
        const records::RecordLayout& layout = search::layoutOf(kind);
        records::Record record(layout);
        for (int i = 0; i < layout.fieldCount(); ++i)
            if (layout.field(i).kind == records::FieldKind::Text && layout.field(i).capacity >= 4)
                record.setText(i, u"Q%1"_s.arg(i));
        card->loadFrom(record);
        int compared = 0;
        for (const QLabel* caption : card->findChildren<QLabel*>()) {
            if (!caption->buddy()) continue;
            const QString shown = ui::controlText(caption->buddy());
            bool number = false;
            const int i = shown.startsWith(u'Q') ? shown.mid(1).toInt(&number) : -1;
            if (!number) continue;
            EXPECT_EQ(caption->text(), search::fieldLabel(kind, i))
                << name.toStdString() << " " << layout.field(i).name.toStdString();
            ++compared;
        }
        EXPECT_GE(compared, 10) << name.toStdString();
        card->close();
        QApplication::processEvents();
    }
}

TEST_F(GlobalSearch, ANewSearchOrClosingCancelsTheRunningOne) {
    // Enough movements that the first scan is still running when the second starts.
    const QString big = g_folder + u"2019.eur"_s;
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const records::Record alfa =
            makeRecord(records::movementLayout(), {{u"Causale", u"Alfa comune"_s}});
        const records::Record beta =
            makeRecord(records::movementLayout(), {{u"Causale", u"Alfa e Beta"_s}});
        for (int k = 1; k <= 20000; ++k)
            ASSERT_EQ(file.write((k % 1000 == 0 ? beta : alfa).bytes()), alfa.bytes().size());
    }
    g_search.type(u"txtCerca"_s, u"alfa"_s);
    g_search.click(u"cmdTrova"_s);
    EXPECT_TRUE(screen()->isSearching());
    // The first scan has posted what it found so far, not yet shown (no event was handled):
    // the new search must drop it.
    QThread::msleep(100);
    searchFor(u"beta"_s);
    EXPECT_FALSE(screen()->isSearching());
    // Only the second search's hits, once each.
    const QStringList seen = rows();
    EXPECT_EQ(seen.size(), 20);
    for (const QString& line : seen)
        EXPECT_TRUE(line.startsWith(u"Movimenti|2019|"_s) && line.endsWith(u"Alfa e Beta"_s))
            << line.toStdString();
    EXPECT_TRUE(g_search.shown(u"lblConteggio"_s).startsWith(u"Trovate 20 schede in 1 archivi."_s));

    // Closing stops the scan and leaves nothing behind for the next showing.
    g_search.type(u"txtCerca"_s, u"alfa"_s);
    g_search.click(u"cmdTrova"_s);
    g_search.click(u"cmdEsci"_s);
    EXPECT_FALSE(screen()->isSearching());
    QApplication::processEvents();
    ui::Screens::show(u"TfrmTrovaTutto"_s);
    QApplication::processEvents();
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(g_search.shown(u"txtCerca"_s).isEmpty());
    EXPECT_TRUE(g_search.shown(u"lblConteggio"_s).isEmpty());
    ASSERT_TRUE(QFile::remove(big));
}

} // namespace
