// Cash book and balance, unpaid payments and statistics charts inside the whole program,
// driven by objectName over hand-made movement archives, with real message boxes answered.
#include "support/program.h"
#include "support/recordfixtures.h"
#include "support/uitest.h"

#include "records/layouts.h"
#include "records/record.h"
#include "support/printers.h"
#include "ui/accounts/TfrmBilancio.h"
#include "ui/accounts/TfrmStats.h"
#include "ui/accounts/statschart.h"
#include "ui/app/application.h"
#include "ui/common/clock.h"
#include "ui/common/exportgrid.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tavolex;
using namespace tavolex::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString& g_folder = ProgramEnvironment::folder();
QStringList& g_opened = ProgramEnvironment::opened();
const QString kSi = u"S\u00EC"_s;

// A movement as the card stores it: kind flags, Importo and the signed Totale.
struct Mov {
    bool income = true;
    QString data;
    QString importo = u"0,00"_s;
    QString causale = u"Varie"_s;
    QString dataSca;
    bool saldato = false;
    QString pagatore;
    QString beneficiario;
    QString preavviso = u"0"_s;
};

records::Record record(const Mov& m) {
    records::Record r(records::movementLayout());
    r.setText(u"Entrata", m.income ? kSi : u"No"_s);
    r.setText(u"Uscita", m.income ? u"No"_s : kSi);
    r.setText(u"Data", m.data);
    r.setText(u"Causale", m.causale);
    r.setText(u"DataSca", m.dataSca);
    r.setText(u"Preavviso", m.preavviso);
    r.setText(u"Importo", m.importo);
    r.setText(u"Totale", (m.income ? u"+"_s : u"-"_s) + m.importo);
    r.setText(u"Pagatore", m.pagatore);
    r.setText(u"Beneficiario", m.beneficiario);
    r.setText(u"Saldato", m.saldato ? kSi : u"No"_s);
    return r;
}

void archive(const QString& year, const QList<Mov>& movements) {
    QList<records::Record> records;
    for (const Mov& m : movements)
        records << record(m);
    QFile::remove(g_folder + year + u".eur"_s);
    ASSERT_TRUE(writeRecords(g_folder + year + u".eur"_s, records));
}

QWidget* screen(const QString& name) {
    return topLevel(name);
}

// Opens an application from the main menu.
QWidget* openFromMainMenu(const QString& button, const QString& name) {
    QWidget* target = screen(name);
    if (!target->isVisible()) child<QAbstractButton>(topLevel(u"TfrmAvvio"_s), button)->click();
    EXPECT_TRUE(target->isVisible());
    return target;
}

// Handles the next modal dialogs that are not message boxes (those are answered by the
// messages service), one body each, in the order they open during `action`.
void withModals(const std::function<void()>& action, QList<std::function<void(QWidget*)>> bodies) {
    struct State {
        QList<std::function<void(QWidget*)>> bodies;
        QPointer<QWidget> last;
        bool alive = true;
        QElapsedTimer elapsed;
        std::function<void()> poll;
    };
    auto state = std::make_shared<State>();
    state->bodies = std::move(bodies);
    state->elapsed.start();
    state->poll = [s = state.get()] {
        if (!s->alive) return;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != s->last && !qobject_cast<QMessageBox*>(modal) &&
            !s->bodies.isEmpty()) {
            s->last = modal;
            const auto body = s->bodies.takeFirst();
            body(modal);
        }
        if (!s->bodies.isEmpty() && s->elapsed.elapsed() < 60000) QTimer::singleShot(10, s->poll);
    };
    QTimer::singleShot(10, state->poll);
    action();
    state->alive = false;
    EXPECT_TRUE(state->bodies.isEmpty()) << "a dialog did not open";
}

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(
    new ProgramEnvironment(QDateTime(QDate(2025, 3, 15), QTime(9, 0))));

// ---------------------------------------------------------------- period screen

QWidget* periodScreen() {
    return openFromMainMenu(u"btnPrimanota"_s, u"TfrmMenuBilancio"_s);
}
void choose(const QString& combo, const QString& text) {
    auto* box = child<QComboBox>(periodScreen(), combo);
    box->setCurrentIndex(box->findText(text));
}
void period(const QString& year, const QString& d1, const QString& m1, const QString& d2,
            const QString& m2, const QString& filter = {}) {
    child<QLineEdit>(periodScreen(), u"txtAnno"_s)->setText(year);
    child<QLineEdit>(periodScreen(), u"txtTipologia"_s)->setText(filter);
    choose(u"txtGiornoInizio"_s, d1);
    choose(u"txtMeseInizio"_s, m1);
    choose(u"txtGiornoFine"_s, d2);
    choose(u"txtMeseFine"_s, m2);
}
QString periodLabel(const QString& name) {
    return child<QLabel>(periodScreen(), name)->text();
}

TEST(PeriodScreen, ShowsTheYearAndEmptyDropDownsThatTakeNoTyping) {
    QWidget* menu = periodScreen();
    EXPECT_EQ(menu->windowTitle(), u" Tavolex - Primanota e Bilancio"_s);
    EXPECT_EQ(child<QLineEdit>(menu, u"txtAnno"_s)->text(), u"2025"_s);
    EXPECT_EQ(periodLabel(u"lblAnnoInizio"_s), u"2025"_s);
    EXPECT_EQ(periodLabel(u"lblAnnoFine"_s), u"2025"_s);
    EXPECT_EQ(menu->focusWidget(), child<QLineEdit>(menu, u"txtTipologia"_s));
    EXPECT_FALSE(child<QLabel>(menu, u"lblAttendere"_s)->isVisible());

    auto* day = child<QComboBox>(menu, u"txtGiornoInizio"_s);
    auto* month = child<QComboBox>(menu, u"txtMeseFine"_s);
    EXPECT_EQ(day->count(), 31);
    EXPECT_EQ(day->itemText(0), u"01"_s);
    EXPECT_EQ(month->itemText(11), u"Dicembre"_s);
    EXPECT_EQ(day->currentIndex(), -1);
    EXPECT_EQ(day->currentText(), QString());
    // Digits, letters and arrows are discarded; Enter moves on.
    day->setFocus();
    QTest::keyClicks(day, u"1"_s);
    QTest::keyClick(day, Qt::Key_Down);
    QTest::keyClick(day, Qt::Key_End);
    EXPECT_EQ(day->currentIndex(), -1);
    month->setFocus();
    QTest::keyClicks(month, u"dic"_s);
    EXPECT_EQ(month->currentIndex(), -1);
    QTest::keyClick(day, Qt::Key_Return);
    EXPECT_EQ(menu->focusWidget(), child<QComboBox>(menu, u"txtMeseInizio"_s));

    // The year is mirrored beside the months as it is typed; letters do not get in.
    auto* year = child<QLineEdit>(menu, u"txtAnno"_s);
    year->clear();
    QTest::keyClicks(year, u"20a24"_s);
    EXPECT_EQ(year->text(), u"2024"_s);
    EXPECT_EQ(periodLabel(u"lblAnnoFine"_s), u"2024"_s);

    // Showing the screen again from the main menu empties the choices.
    period(u"2024"_s, u"01"_s, u"Marzo"_s, u"31"_s, u"Marzo"_s, u"affitto"_s);
    child<QAbstractButton>(menu, u"btnEsci"_s)->click();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_TRUE(topLevel(u"TfrmAvvio"_s)->isVisible());
    menu = periodScreen();
    EXPECT_EQ(child<QLineEdit>(menu, u"txtTipologia"_s)->text(), QString());
    EXPECT_EQ(child<QComboBox>(menu, u"txtMeseInizio"_s)->currentIndex(), -1);
    EXPECT_EQ(child<QLineEdit>(menu, u"txtAnno"_s)->text(), u"2025"_s);
}

TEST(PeriodScreen, ChecksRunInOrderWithTheirMessageKindAndFocus) {
    const QString valid = u"Per poter visualizzare il riepilogo \u00E8 necessario indicare una "
                          u"data valida."_s;
    struct Case {
        QString year, d1, m1, d2, m2;
        QMessageBox::Icon icon;
        QString message;
        QString focus; // empty: the focus stays on the button
        QString start, end;
    };
    const QString cascade = u" intervallo selezionandolo dall'elenco a cascata."_s;
    const QList<Case> cases = {
        {u"25"_s,
         {},
         {},
         {},
         {},
         QMessageBox::Warning,
         u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s,
         u"txtAnno"_s},
        {u"2025"_s,
         {},
         u"Marzo"_s,
         u"31"_s,
         u"Marzo"_s,
         QMessageBox::Warning,
         u"Attenzione: indicare il giorno di inizio"_s + cascade,
         u"txtGiornoInizio"_s},
        {u"2025"_s,
         u"01"_s,
         {},
         u"31"_s,
         u"Marzo"_s,
         QMessageBox::Warning,
         u"Attenzione: indicare il mese di inizio"_s + cascade,
         u"txtMeseInizio"_s},
        {u"2025"_s,
         u"01"_s,
         u"Marzo"_s,
         {},
         u"Marzo"_s,
         QMessageBox::Warning,
         u"Attenzione: indicare il giorno di fine"_s + cascade,
         u"txtGiornoFine"_s},
        {u"2025"_s,
         u"01"_s,
         u"Marzo"_s,
         u"31"_s,
         {},
         QMessageBox::Warning,
         u"Attenzione: indicare il mese di fine"_s + cascade,
         u"txtMeseFine"_s},
        {u"2025"_s,
         u"31"_s,
         u"Aprile"_s,
         u"01"_s,
         u"Marzo"_s,
         QMessageBox::NoIcon,
         u"Attenzione: la data 31/04/2025 di inizio intervallo non esiste.\n\r\n\r"_s + valid,
         u"txtGiornoInizio"_s,
         u"31/04/2025"_s,
         {}},
        {u"2025"_s, u"01"_s, u"Febbraio"_s, u"29"_s, u"Febbraio"_s, QMessageBox::NoIcon,
         u"Attenzione: la data 29/02/2025 di fine intervallo non esiste.\n\r\n\r"_s + valid,
         u"txtGiornoFine"_s, u"01/02/2025"_s, u"29/02/2025"_s},
        {u"2025"_s,
         u"02"_s,
         u"Marzo"_s,
         u"01"_s,
         u"Marzo"_s,
         QMessageBox::NoIcon,
         u"Attenzione: la data di fine intervallo (01/03/2025) non pu\u00F2 essere anteriore a "
         u"quella di inizio intervallo (02/03/2025).\n\r\n\rPer poter visualizzare il "
         u"riepilogo \u00E8 necessario indicare un intervallo di tempo valido."_s,
         {},
         u"02/03/2025"_s,
         u"01/03/2025"_s},
    };
    QWidget* menu = periodScreen();
    auto* button = child<QAbstractButton>(menu, u"btnVisualizza"_s);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        period(c.year, c.d1, c.m1, c.d2, c.m2);
        button->setFocus();
        const SeenBox box = answerNextBox([&] { QTest::mouseClick(button, Qt::LeftButton); });
        EXPECT_EQ(box.text, c.message);
        EXPECT_EQ(box.icon, c.icon);
        EXPECT_EQ(menu->focusWidget(), c.focus.isEmpty() ? static_cast<QWidget*>(button)
                                                         : child<QWidget>(menu, c.focus));
        EXPECT_EQ(periodLabel(u"lblDataInizio"_s), c.start);
        EXPECT_EQ(periodLabel(u"lblDataFine"_s), c.end);
        EXPECT_FALSE(child<QLabel>(menu, u"lblAttendere"_s)->isVisible());
    }
}

// ---------------------------------------------------------------- cash book

struct ShownBook {
    bool opened = false;
    QString title, interval, income, expenses, balance;
    QStringList lines;
    ui::report::ListReport printed;
};

// Presses "Visualizza riepilogo" and reads the cash book screen it opens.
ShownBook showBook(const std::function<void(ui::TfrmBilancio*)>& more = {}) {
    ShownBook book;
    withNextModal([] { child<QAbstractButton>(periodScreen(), u"btnVisualizza"_s)->click(); },
                  [&](QWidget* modal) {
                      auto* screen = qobject_cast<ui::TfrmBilancio*>(modal);
                      if (!screen) {
                          modal->close();
                          return;
                      }
                      book.opened = true;
                      EXPECT_TRUE(screen->windowState() & Qt::WindowMaximized);
                      book.title = child<QLabel>(screen, u"titTipologia"_s)->text();
                      book.interval = child<QLabel>(screen, u"lblIntervallo"_s)->text();
                      book.income = child<QLabel>(screen, u"lblTotEntrate"_s)->text();
                      book.expenses = child<QLabel>(screen, u"lblTotUscite"_s)->text();
                      book.balance = child<QLabel>(screen, u"lblBilancio"_s)->text();
                      book.lines = screen->lines();
                      book.printed = screen->cashBookReport();
                      EXPECT_EQ(screen->focusWidget(), child<QWidget>(screen, u"txtTrova"_s));
                      if (more) more(screen);
                      child<QAbstractButton>(screen, u"btnEsci"_s)->click();
                  });
    return book;
}

QStringList reasons(const QStringList& lines) {
    QStringList out;
    for (const QString& line : lines)
        out << line.mid(9, 40).trimmed();
    return out;
}

TEST(CashBook, ListsTheIntervalWithBothEndsAndTheFilterInFileOrder) {
    archive(u"2025"_s, {{.data = u"28/02/2025"_s, .importo = u"5,00"_s, .causale = u"Prima"_s},
                        {.data = u"01/03/2025"_s,
                         .importo = u"1000,00"_s,
                         .causale = u"Affitto ufficio"_s,
                         .saldato = true,
                         .pagatore = u"Rossi Mario"_s,
                         .beneficiario = u"Studio"_s},
                        {.income = false,
                         .data = u"31/03/2025"_s,
                         .importo = u"250,50"_s,
                         .causale = u"Cancelleria"_s},
                        {.income = false,
                         .data = u"15/03/2025"_s,
                         .importo = u"10,00"_s,
                         .causale = u"AFFITTO box"_s},
                        {.data = u"01/04/2025"_s, .importo = u"7,00"_s, .causale = u"Dopo"_s}});
    struct Case {
        QString filter;
        QString title;
        QStringList reasons;
        QString income, expenses, balance;
    };
    const QList<Case> cases = {
        {{},
         u"- - -"_s,
         {u"Affitto ufficio"_s, u"Cancelleria"_s, u"AFFITTO box"_s},
         u"1000,00 \u20AC"_s,
         u"-260,50 \u20AC"_s,
         u"739,50 \u20AC"_s},
        {u"   "_s,
         u"- - -"_s,
         {u"Affitto ufficio"_s, u"Cancelleria"_s, u"AFFITTO box"_s},
         u"1000,00 \u20AC"_s,
         u"-260,50 \u20AC"_s,
         u"739,50 \u20AC"_s},
        {u"aff"_s,
         u"aff"_s,
         {u"Affitto ufficio"_s, u"AFFITTO box"_s},
         u"1000,00 \u20AC"_s,
         u"-10,00 \u20AC"_s,
         u"990,00 \u20AC"_s},
        {u"nessuna"_s, u"nessuna"_s, {}, u"0,00 \u20AC"_s, u"0,00 \u20AC"_s, u"0,00 \u20AC"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter.toStdString());
        period(u"2025"_s, u"01"_s, u"Marzo"_s, u"31"_s, u"Marzo"_s, c.filter);
        const ShownBook book = showBook();
        ASSERT_TRUE(book.opened);
        EXPECT_EQ(book.title, c.title);
        EXPECT_EQ(book.interval, u"Dal   01/03/2025   al   31/03/2025"_s);
        EXPECT_EQ(reasons(book.lines), c.reasons);
        EXPECT_EQ(book.income, c.income);
        EXPECT_EQ(book.expenses, c.expenses);
        EXPECT_EQ(book.balance, c.balance);
    }
    period(u"2025"_s, u"01"_s, u"Marzo"_s, u"31"_s, u"Marzo"_s);
    const ShownBook book = showBook();
    EXPECT_EQ(book.lines.value(0), u"ENTRATA  "_s + u"Affitto ufficio"_s.leftJustified(40) +
                                       u"  Data: 01/03/2025  Da: "_s +
                                       u"Rossi Mario"_s.leftJustified(28) + u"  A: "_s +
                                       u"Studio"_s.leftJustified(28) + u"  Importo: +1000,00"_s);
    EXPECT_TRUE(book.lines.value(1).startsWith(u"USCITA   Cancelleria "_s));
    EXPECT_TRUE(book.lines.value(1).endsWith(u"  Importo: -250,50"_s));

    // A single day is an interval too.
    period(u"2025"_s, u"15"_s, u"Marzo"_s, u"15"_s, u"Marzo"_s);
    EXPECT_EQ(reasons(showBook().lines), QStringList{u"AFFITTO box"_s});
}

TEST(CashBook, TotalsAreExactToTheCent) {
    archive(u"2024"_s, {{.data = u"10/01/2024"_s, .importo = u"0,10"_s},
                        {.data = u"11/01/2024"_s, .importo = u"0,20"_s},
                        {.income = false, .data = u"12/01/2024"_s, .importo = u"0,30"_s},
                        {.data = u"29/02/2024"_s, .importo = u"99999999999,99"_s},
                        {.income = false, .data = u"29/02/2024"_s, .importo = u"0,01"_s}});
    period(u"2024"_s, u"01"_s, u"Gennaio"_s, u"31"_s, u"Gennaio"_s);
    ShownBook book = showBook();
    EXPECT_EQ(book.income, u"0,30 \u20AC"_s);
    EXPECT_EQ(book.expenses, u"-0,30 \u20AC"_s);
    EXPECT_EQ(book.balance, u"0,00 \u20AC"_s);
    // 29 February exists in 2024; large sums keep every cent.
    period(u"2024"_s, u"29"_s, u"Febbraio"_s, u"29"_s, u"Febbraio"_s);
    book = showBook();
    EXPECT_EQ(book.balance, u"99999999999,98 \u20AC"_s);
}

TEST(CashBook, PrintsLinesIntervalAndTotalsOnlyWhenThereIsSomethingToPrint) {
    archive(u"2025"_s, {{.data = u"01/03/2025"_s, .importo = u"1000,00"_s, .causale = u"Affitto"_s},
                        {.income = false, .data = u"02/03/2025"_s, .importo = u"250,50"_s}});
    period(u"2025"_s, u"01"_s, u"Marzo"_s, u"31"_s, u"Marzo"_s, u"aff"_s);
    const ShownBook book = showBook([](ui::TfrmBilancio* screen) {
        // No: nothing is printed, no print dialog opens.
        SeenBox box = answerNextBox(
            [&] { child<QAbstractButton>(screen, u"btnStampa"_s)->click(); }, u"No"_s);
        EXPECT_EQ(box.text, u"Si vuole stampare la presente primanota?"_s);
        EXPECT_EQ(box.icon, QMessageBox::Question);
        // Yes: the print dialog of the report.
        bool sawPrintDialog = false;
        withNextModal(
            [&] {
                answerNextBox([&] { child<QAbstractButton>(screen, u"btnStampa"_s)->click(); },
                              kSi);
            },
            [&](QWidget* modal) {
                sawPrintDialog = qobject_cast<QPrintDialog*>(modal) != nullptr;
                modal->close();
            });
        EXPECT_TRUE(sawPrintDialog);
    });
    EXPECT_EQ(book.printed.name, u"Primanota"_s);
    EXPECT_EQ(book.printed.title, u"PRIMANOTA E BILANCIO - Causale :  aff"_s);
    ASSERT_EQ(book.printed.lines.size(), 6);
    EXPECT_EQ(book.printed.lines[0], book.lines.value(0));
    EXPECT_EQ(book.printed.lines.mid(1),
              (QStringList{u"- - - - - - - - - - - - - - - -"_s,
                           u"INTERVALLO SELEZIONATO :      Dal   01/03/2025   al   31/03/2025"_s,
                           u"TOTALE ENTRATE :              1000,00 \u20AC"_s,
                           u"TOTALE USCITE :               0,00 \u20AC"_s,
                           u"BILANCIO ENTRATE E USCITE :   1000,00 \u20AC"_s}));

    // An empty cash book: a warning and no question.
    period(u"2025"_s, u"01"_s, u"Gennaio"_s, u"31"_s, u"Gennaio"_s);
    showBook([](ui::TfrmBilancio* screen) {
        const QList<SeenBox> boxes = answerBoxes(
            [&] { child<QAbstractButton>(screen, u"btnStampa"_s)->click(); }, {u"OK"_s});
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
        EXPECT_EQ(boxes[0].text,
                  u"Operazione di stampa non applicabile: la primanota non contiene nessun "
                  u"movimento in entrata o in uscita."_s);
        // "Trova" on an empty list says so.
        const SeenBox trova =
            answerNextBox([&] { child<QAbstractButton>(screen, u"btnTrova"_s)->click(); });
        EXPECT_EQ(trova.text, u"Ricerca non applicabile: la lista non contiene nessuna voce."_s);
    });
}

TEST(CashBook, MissingYearIsCreatedEmptyAndAnUnreadableMovementEndsWithTheAccessMessage) {
    QFile::remove(g_folder + u"2019.eur"_s);
    period(u"2019"_s, u"01"_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s);
    const ShownBook empty = showBook();
    EXPECT_TRUE(empty.opened);
    EXPECT_TRUE(empty.lines.isEmpty());
    EXPECT_EQ(empty.balance, u"0,00 \u20AC"_s);
    EXPECT_TRUE(QFile::exists(g_folder + u"2019.eur"_s));
    EXPECT_EQ(periodLabel(u"lblFile"_s), g_folder + u"2019.eur"_s);

    // A listed movement whose amount is not a number: the totals would be wrong, so the
    // cash book is not shown at all.
    archive(u"2018"_s, {{.data = u"01/03/2018"_s, .importo = u"10,00"_s},
                        {.data = u"02/03/2018"_s, .importo = u"dieci"_s}});
    period(u"2018"_s, u"01"_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s);
    bool opened = false;
    SeenBox box;
    withNextModal(
        [&] {
            box = answerNextBox(
                [] { child<QAbstractButton>(periodScreen(), u"btnVisualizza"_s)->click(); });
        },
        [&](QWidget* modal) {
            opened = qobject_cast<ui::TfrmBilancio*>(modal) != nullptr;
            if (opened) modal->close();
        });
    EXPECT_FALSE(opened);
    EXPECT_EQ(box.text, u"Attenzione: il file di archivio non risulta accessibile."_s);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_FALSE(child<QLabel>(periodScreen(), u"lblAttendere"_s)->isVisible());
}

// ---------------------------------------------------------------- unpaid payments

QWidget* unpaidMenu() {
    return openFromMainMenu(u"btnInsoluti"_s, u"TfrmMenuInsoluti"_s);
}

struct ShownList {
    QString name, caption;
    QList<QStringList> rows;
};

ShownList showUnpaid(int box, const QString& year,
                     const std::function<void(ui::GridScreen*)>& more = {}) {
    const QString fields[] = {u"txtAnnoPreventivi"_s, u"txtAnnoNDC"_s, u"txtAnnoDDT"_s};
    const QString buttons[] = {u"btnApriPreventivi"_s, u"btnApriNDC"_s, u"btnApriDDT"_s};
    child<QLineEdit>(unpaidMenu(), fields[box])->setText(year);
    ShownList shown;
    withNextModal([&] { child<QAbstractButton>(unpaidMenu(), buttons[box])->click(); },
                  [&](QWidget* modal) {
                      auto* grid = qobject_cast<ui::GridScreen*>(modal);
                      if (!grid) {
                          modal->close();
                          return;
                      }
                      shown.name = grid->objectName();
                      shown.caption = grid->windowTitle();
                      for (int r = 0; r < grid->rowCount(); ++r) {
                          QStringList row;
                          for (int c = 0; c < 21; ++c)
                              row << grid->cellText(r, c);
                          shown.rows << row;
                      }
                      if (more) more(grid);
                      child<QAbstractButton>(grid, u"cmdEsci"_s)->click();
                  });
    return shown;
}

void writeUnpaidYear() {
    archive(u"2025"_s, {{.data = u"01/03/2025"_s,
                         .importo = u"100,00"_s,
                         .causale = u"Oggi"_s,
                         .dataSca = u"15/03/2025"_s,
                         .pagatore = u"Rossi"_s},
                        {.data = u"01/03/2025"_s,
                         .importo = u"50,00"_s,
                         .causale = u"Domani"_s,
                         .dataSca = u"16/03/2025"_s,
                         .preavviso = u"30"_s},
                        {.income = false,
                         .data = u"01/02/2025"_s,
                         .importo = u"250,00"_s,
                         .causale = u"Fornitore"_s,
                         .dataSca = u"10/02/2025"_s,
                         .beneficiario = u"Bianchi"_s},
                        {.data = u"01/01/2025"_s,
                         .importo = u"70,00"_s,
                         .causale = u"Saldato"_s,
                         .dataSca = u"10/01/2025"_s,
                         .saldato = true},
                        {.data = u"01/01/2025"_s,
                         .importo = u"9,00"_s,
                         .causale = u"Senza data"_s,
                         .dataSca = u"31/02/2025"_s},
                        {.data = u"01/01/2025"_s,
                         .importo = u"20,00"_s,
                         .causale = u"Vecchio"_s,
                         .dataSca = u"02/01/2024"_s}});
}

TEST(UnpaidPayments, EachListTakesItsKindOfDueUnsettledMovements) {
    writeUnpaidYear();
    EXPECT_EQ(unpaidMenu()->windowTitle(), u" Tavolex - Pagamenti Insoluti"_s);
    struct Case {
        int box;
        QString name, caption;
        QStringList reasons;
    };
    const QList<Case> cases = {
        {0, u"TfrmInsolutiEnt"_s, u" Pagamenti insoluti in entrata"_s, {u"Oggi"_s, u"Vecchio"_s}},
        {1, u"TfrmInsolutiUsc"_s, u" Pagamenti insoluti in uscita"_s, {u"Fornitore"_s}},
        {2,
         u"TfrmInsolutiAll"_s,
         u" Pagamenti insoluti in entrata e in uscita"_s,
         {u"Oggi"_s, u"Fornitore"_s, u"Vecchio"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const ShownList list = showUnpaid(c.box, u"2025"_s);
        EXPECT_EQ(list.name, c.name);
        EXPECT_EQ(list.caption, c.caption);
        QStringList reasons;
        for (int r = 0; r < list.rows.size(); ++r) {
            reasons << list.rows[r][3];
            EXPECT_EQ(list.rows[r][0], QString::number(r + 1)); // running number
            EXPECT_EQ(list.rows[r][20], u"No"_s);
        }
        EXPECT_EQ(reasons, c.reasons);
        EXPECT_TRUE(unpaidMenu()->isVisible()); // the menu stays for the next list
    }
    const ShownList both = showUnpaid(2, u"2025"_s);
    ASSERT_EQ(both.rows.size(), 3);
    EXPECT_EQ(both.rows[1].mid(1, 8),
              (QStringList{u"Uscita"_s, u"01/02/2025"_s, u"Fornitore"_s, QString(), u"10/02/2025"_s,
                           u"0"_s, u"-250,00"_s, QString()}));
    EXPECT_EQ(both.rows[0][1], u"Entrata"_s);
    EXPECT_EQ(both.rows[0][7], u"+100,00"_s);
    EXPECT_EQ(both.rows[0][8], u"Rossi"_s);

    // A year without an archive: the empty file is created and nothing is listed.
    QFile::remove(g_folder + u"2023.eur"_s);
    EXPECT_TRUE(showUnpaid(0, u"2023"_s).rows.isEmpty());
    EXPECT_TRUE(QFile::exists(g_folder + u"2023.eur"_s));
    EXPECT_EQ(QFileInfo(g_folder + u"2023.eur"_s).size(), 0);
    EXPECT_EQ(child<QLabel>(unpaidMenu(), u"lblFile"_s)->text(), g_folder + u"2023.eur"_s);

    // The year is checked first.
    child<QLineEdit>(unpaidMenu(), u"txtAnnoNDC"_s)->setText(u"202"_s);
    const SeenBox box =
        answerNextBox([] { child<QAbstractButton>(unpaidMenu(), u"btnApriNDC"_s)->click(); });
    EXPECT_EQ(box.text, u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s);
    EXPECT_EQ(unpaidMenu()->focusWidget(), child<QWidget>(unpaidMenu(), u"txtAnnoNDC"_s));
}

TEST(UnpaidPayments, ExportWritesTheListsOwnFileAndAsksItsOwnQuestion) {
    writeUnpaidYear();
    const QString file = g_folder + u"Pagamenti_in_Uscita_Insoluti.xls"_s;
    QFile::remove(file);
    g_opened.clear();
    QList<SeenBox> boxes;
    showUnpaid(1, u"2025"_s, [&](ui::GridScreen* grid) {
        boxes = answerBoxes([&] { child<QAbstractButton>(grid, u"cmdEsporta"_s)->click(); },
                            {kSi, kSi});
    });
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[0].text, u"L'esportazione dei dati in Excel pu\u00F2 richiedere diversi "
                             u"minuti a seconda del numero di schede presenti in archivio."
                             u"\r\n\r\nSi vuole esportare i dati adesso?"_s);
    EXPECT_EQ(boxes[1].text,
              u"Esportazione in Excel effettuata con successo.\r\n\r\nSi vuole aprire il file "
              u".XLS?"_s);
    EXPECT_EQ(g_opened, QStringList{u'"' + file + u'"'});
    QFile xls(file);
    ASSERT_TRUE(xls.open(QIODevice::ReadOnly));
    const QByteArray sheet = xls.readAll();
    EXPECT_TRUE(sheet.contains("<x:Name>Pagamenti in uscita insoluti</x:Name>"));
    const QByteArray bold = "<td style=\"text-align: left; font-weight: bold;\" width=";
    EXPECT_TRUE(sheet.contains(
        QByteArray("<tr>" + bold + "150>Tipo movimento</td>" + bold + "180>Data operazione</td>")));
    EXPECT_TRUE(sheet.contains(QByteArray(bold + "120>Saldato</td></tr>")));
    EXPECT_EQ(sheet.count(bold), 20); // the row number is not exported
    const QByteArray cell = "<td style=\"text-align: left;\">";
    EXPECT_TRUE(sheet.contains(QByteArray("<tr>" + cell + "Uscita</td>" + cell + "01/02/2025</td>" +
                                          cell + "Fornitore</td>")));
    EXPECT_TRUE(sheet.contains(QByteArray(cell + "-250,00</td>")));
    EXPECT_EQ(sheet.count("<tr>"), 2);
    EXPECT_FALSE(sheet.contains('\n'));

    // A list without rows exports the header row alone; No to the last question leaves the
    // file unopened.
    archive(u"2025"_s, {});
    g_opened.clear();
    showUnpaid(1, u"2025"_s, [&](ui::GridScreen* grid) {
        answerBoxes([&] { child<QAbstractButton>(grid, u"cmdEsporta"_s)->click(); },
                    {kSi, u"No"_s});
    });
    xls.close();
    ASSERT_TRUE(xls.open(QIODevice::ReadOnly));
    EXPECT_EQ(xls.readAll().count("<tr>"), 1);
    EXPECT_TRUE(g_opened.isEmpty());
}

// A folder in place of the archive: it exists but cannot be read as records. The list says
// so when it opens, and its export names the archive as the cause, leaving the earlier file.
TEST(UnpaidPayments, AnArchiveThatCannotBeReadIsNotExportedAsAnEmptyList) {
    QFile::remove(g_folder + u"2017.eur"_s);
    ASSERT_TRUE(QDir().mkpath(g_folder + u"2017.eur"_s));
    const QString file = g_folder + u"Pagamenti_Insoluti.xls"_s;
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
    old.write("earlier export");
    old.close();
    child<QLineEdit>(unpaidMenu(), u"txtAnnoDDT"_s)->setText(u"2017"_s);
    ui::msg::answerNextBoxes({u"OK"_s, kSi, u"OK"_s});
    int rows = -1;
    QElapsedTimer elapsed;
    elapsed.start();
    std::function<void()> poll = [&] {
        auto* grid = qobject_cast<ui::GridScreen*>(QApplication::activeModalWidget());
        if (!grid) {
            if (elapsed.elapsed() < 5000) QTimer::singleShot(10, poll);
            return;
        }
        rows = grid->rowCount();
        child<QAbstractButton>(grid, u"cmdEsporta"_s)->click();
        child<QAbstractButton>(grid, u"cmdEsci"_s)->click();
    };
    QTimer::singleShot(10, poll);
    child<QAbstractButton>(unpaidMenu(), u"btnApriDDT"_s)->click();
    const QList<ui::msg::ShownBox> boxes = ui::msg::takeShownBoxes();
    EXPECT_EQ(rows, 0);
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[0].text, ui::msg::archiveAccessErrorText());
    EXPECT_EQ(boxes[2].text, ui::msg::archiveAccessErrorText());
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("earlier export"));
    QDir(g_folder + u"2017.eur"_s).removeRecursively();
}

// ---------------------------------------------------------------- statistics

QWidget* statsMenu() {
    return openFromMainMenu(u"btnGrafici"_s, u"TfrmMenuStats"_s);
}

struct Point {
    QString label;
    qlonglong value;
    quint32 argb;
    bool operator==(const Point&) const = default;
};

QList<Point> pointsOf(QWidget* screen) {
    QList<Point> points;
    QObject* series = child<QWidget>(screen, u"ChartStats"_s)->findChild<QObject*>(u"Series1"_s);
    if (!series) return points;
    for (QObject* point : series->children())
        points << Point{point->property("label").toString(), point->property("value").toLongLong(),
                        point->property("color").value<QColor>().rgba()};
    return points;
}

struct ShownChart {
    QString name, caption, heading;
    QList<Point> points;
    QHash<QString, QString> memos; // the hidden labels mem…: the exact running sums
};

ShownChart showChart(int box, const QString& year,
                     const std::function<void(ui::StatsScreen*)>& more = {}) {
    const QString fields[] = {u"txtAnnoPreventivi"_s, u"txtAnnoNDC"_s, u"txtAnnoDDT"_s};
    const QString buttons[] = {u"btnApriPreventivi"_s, u"btnApriNDC"_s, u"btnApriDDT"_s};
    child<QLineEdit>(statsMenu(), fields[box])->setText(year);
    ShownChart shown;
    withNextModal([&] { child<QAbstractButton>(statsMenu(), buttons[box])->click(); },
                  [&](QWidget* modal) {
                      auto* screen = qobject_cast<ui::StatsScreen*>(modal);
                      if (!screen) {
                          modal->close();
                          return;
                      }
                      shown.name = screen->objectName();
                      shown.caption = screen->windowTitle();
                      shown.heading = child<QLabel>(screen, u"lblTitolo"_s)->text();
                      shown.points = pointsOf(screen);
                      for (const QLabel* label : screen->findChildren<QLabel*>())
                          if (label->objectName().startsWith(u"mem"_s)) {
                              EXPECT_TRUE(label->isHidden());
                              shown.memos.insert(label->objectName(), label->text());
                          }
                      if (more) more(screen);
                      child<QAbstractButton>(screen, u"btnEsci"_s)->click();
                  });
    return shown;
}

const quint32 kMonthColours[12] = {0xFFFF0000, 0xFF0000FF, 0xFFFFE4C4, 0xFFFF00FF,
                                   0xFFC0DCC0, 0xFFFFFF00, 0xFF00FF00, 0xFFC0C0C0,
                                   0xFFF0FBFF, 0xFF87CEEB, 0xFF800000, 0xFF008000};
const char16_t* const kMonths[12] = {u"Gennaio",   u"Febbraio", u"Marzo",    u"Aprile",
                                     u"Maggio",    u"Giugno",   u"Luglio",   u"Agosto",
                                     u"Settembre", u"Ottobre",  u"Novembre", u"Dicembre"};

QList<Point> months(std::array<qlonglong, 12> values) {
    QList<Point> points;
    for (int m = 0; m < 12; ++m)
        points << Point{QString::fromUtf16(kMonths[m]), values[size_t(m)], kMonthColours[m]};
    return points;
}

void writeStatsYear() {
    archive(u"2024"_s, {{.data = u"05/03/2024"_s, .importo = u"100,40"_s, .saldato = true},
                        {.data = u"20/03/2024"_s, .importo = u"0,40"_s},
                        {.data = u"10/01/2024"_s, .importo = u"0,49"_s},
                        {.data = u"10/02/2024"_s, .importo = u"0,50"_s},
                        {.data = u"31/12/2023"_s, .importo = u"1000,00"_s}, // previous year
                        {.income = false, .data = u"15/03/2024"_s, .importo = u"0,10"_s},
                        {.income = false, .data = u"16/03/2024"_s, .importo = u"0,20"_s},
                        {.income = false, .data = u"17/03/2024"_s, .importo = u"0,20"_s},
                        {.income = false, .data = u"01/12/2024"_s, .importo = u"40,00"_s},
                        {.data = u"1/7/2024"_s, .importo = u"3,00"_s}}); // not stored as dd/mm/yyyy
}

TEST(Statistics, MonthlyChartsSumEachMonthOfTheYearToWholeEuro) {
    writeStatsYear();
    EXPECT_EQ(statsMenu()->windowTitle(), u" Tavolex - Grafici statistici"_s);
    const ShownChart income = showChart(0, u"2024"_s);
    EXPECT_EQ(income.name, u"TfrmStatsEntrate"_s);
    EXPECT_EQ(income.caption, u" Tavolex - Statistiche entrate mensili"_s);
    EXPECT_EQ(income.heading, u"Rappresentazione grafica delle entrate mensili dell'anno 2024."_s);
    // 100,40 + 0,40 = 100,80 → 101; 0,49 → 0; 0,50 → 1; December 2023 left out.
    EXPECT_EQ(income.points, months({0, 1, 101, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // Beside the points, the exact sums as text, "0" for a month with nothing.
    const QStringList memoNames = {u"memGennaio"_s, u"memFebbraio"_s, u"memMarzo"_s,
                                   u"memAprile"_s,  u"memMaggio"_s,   u"memGiugno"_s,
                                   u"memLuglio"_s,  u"memAgosto"_s,   u"memSettembre"_s,
                                   u"memOttobre"_s, u"memNovembre"_s, u"memDicembre"_s};
    ASSERT_EQ(income.memos.size(), 12);
    const QStringList incomeSums = {u"0,49"_s, u"0,5"_s, u"100,8"_s, u"0"_s, u"0"_s, u"0"_s,
                                    u"0"_s,    u"0"_s,   u"0"_s,     u"0"_s, u"0"_s, u"0"_s};
    for (int m = 0; m < 12; ++m)
        EXPECT_EQ(income.memos.value(memoNames[m]), incomeSums[m]) << m;

    const ShownChart expenses = showChart(1, u"2024"_s);
    EXPECT_EQ(expenses.caption, u" Tavolex - Statistiche uscite mensili"_s);
    EXPECT_EQ(expenses.heading, u"Rappresentazione grafica delle uscite mensili dell'anno 2024."_s);
    // 0,10 + 0,20 + 0,20 = 0,50 exactly → 1 (in binary floating point it is 0,49999…).
    EXPECT_EQ(expenses.points, months({0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 40}));
    EXPECT_EQ(expenses.memos.value(u"memMarzo"_s), u"0,5"_s);
    EXPECT_EQ(expenses.memos.value(u"memDicembre"_s), u"40"_s);

    // The year typed in the box is the one counted, in that year's archive.
    archive(u"2023"_s, {{.data = u"31/12/2023"_s, .importo = u"12,00"_s},
                        {.data = u"01/01/2024"_s, .importo = u"99,00"_s}});
    EXPECT_EQ(showChart(0, u"2023"_s).points, months({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12}));

    // A year without an archive: twelve zero points, and the file is created.
    QFile::remove(g_folder + u"2016.eur"_s);
    EXPECT_EQ(showChart(1, u"2016"_s).points, months({}));
    EXPECT_TRUE(QFile::exists(g_folder + u"2016.eur"_s));
}

TEST(Statistics, BalanceChartCountsEveryRecordOfTheFile) {
    writeStatsYear();
    const ShownChart balance = showChart(2, u"2024"_s);
    EXPECT_EQ(balance.name, u"TfrmStatsBilancio"_s);
    EXPECT_EQ(balance.caption, u" Tavolex - Statistiche bilancio annuale"_s);
    EXPECT_EQ(balance.heading, u"Rappresentazione grafica del bilancio entrate e uscite "
                               u"dell'anno 2024."_s);
    // Income 100,40 + 0,40 + 0,49 + 0,50 + 1000,00 + 3,00 = 1104,79 → 1105 (the movement of
    // December 2023 counts here); expenses 40,50 → 41.
    EXPECT_EQ(balance.points,
              (QList<Point>{{u"Entrate"_s, 1105, 0xFF008000}, {u"Uscite"_s, 41, 0xFFFF0000}}));
    EXPECT_EQ(balance.memos, (QHash<QString, QString>{{u"memGuadagni"_s, u"1104,79"_s},
                                                      {u"memSpese"_s, u"40,5"_s}}));
}

money::Amount amount(const QString& text) {
    const std::optional<money::Amount> read = money::parseAmount(text);
    EXPECT_TRUE(read.has_value()) << text.toStdString();
    return read.value_or(money::Amount());
}

// The screens keep the sums as values; the labels mem… and the points are drawn from them.
TEST(Statistics, ChartScreensKeepTheSumsTheirLabelsAndPointsShow) {
    writeStatsYear();
    const struct {
        int box;
        QStringList sums; // January first
    } monthly[] = {
        {0,
         {u"0,49"_s, u"0,5"_s, u"100,8"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s,
          u"0"_s, u"0"_s}},
        {1,
         {u"0"_s, u"0"_s, u"0,5"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s,
          u"40"_s}},
    };
    const QStringList memoNames = {u"memGennaio"_s, u"memFebbraio"_s, u"memMarzo"_s,
                                   u"memAprile"_s,  u"memMaggio"_s,   u"memGiugno"_s,
                                   u"memLuglio"_s,  u"memAgosto"_s,   u"memSettembre"_s,
                                   u"memOttobre"_s, u"memNovembre"_s, u"memDicembre"_s};
    for (const auto& c : monthly) {
        accounts::MonthSums kept;
        const ShownChart shown = showChart(c.box, u"2024"_s, [&](ui::StatsScreen* screen) {
            auto* months = qobject_cast<ui::MonthlyStatsScreen*>(screen);
            ASSERT_NE(months, nullptr);
            kept = months->sums();
        });
        ASSERT_EQ(shown.points.size(), 12) << c.box;
        for (size_t m = 0; m < 12; ++m) {
            const auto i = qsizetype(m);
            EXPECT_EQ(kept[m], amount(c.sums[i])) << c.box << " " << m;
            EXPECT_EQ(shown.memos.value(memoNames[i]), kept[m].toText()) << c.box << " " << m;
            EXPECT_EQ(shown.points[i].value, qlonglong(accounts::wholeEuro(kept[m]).units()))
                << c.box << " " << m;
        }
    }

    accounts::YearBalance kept;
    const ShownChart balance = showChart(2, u"2024"_s, [&](ui::StatsScreen* screen) {
        auto* yearly = qobject_cast<ui::TfrmStatsBilancio*>(screen);
        ASSERT_NE(yearly, nullptr);
        kept = yearly->balance();
    });
    EXPECT_EQ(kept.income, amount(u"1104,79"_s));
    EXPECT_EQ(kept.expenses, amount(u"40,5"_s));
    EXPECT_EQ(balance.memos.value(u"memGuadagni"_s), kept.income.toText());
    EXPECT_EQ(balance.memos.value(u"memSpese"_s), kept.expenses.toText());
    ASSERT_EQ(balance.points.size(), 2);
    EXPECT_EQ(balance.points[0].value, qlonglong(accounts::wholeEuro(kept.income).units()));
    EXPECT_EQ(balance.points[1].value, qlonglong(accounts::wholeEuro(kept.expenses).units()));

    // Before the screen is first shown nothing is summed: zero values, labels "0".
    ui::TfrmStatsBilancio unshown;
    EXPECT_EQ(unshown.balance().income, money::Amount());
    EXPECT_EQ(unshown.balance().expenses, money::Amount());
    EXPECT_EQ(child<QLabel>(&unshown, u"memGuadagni"_s)->text(), u"0"_s);
}

TEST(Statistics, BarsAndPieSwitchBothWaysKeepingThePointsAndDrawTheSameOnPaper) {
    writeStatsYear();
    showChart(0, u"2024"_s, [](ui::StatsScreen* screen) {
        auto* chart = child<ui::StatsChart>(screen, u"ChartStats"_s);
        QObject* series = chart->findChild<QObject*>(u"Series1"_s);
        ASSERT_NE(series, nullptr);
        EXPECT_EQ(series->property("kind").toString(), u"bar"_s); // opens with bars
        const QList<Point> before = pointsOf(screen);
        const QSize size(900, 560);
        chart->resize(size);
        const QImage bars = chart->grab().toImage().convertToFormat(QImage::Format_ARGB32);

        child<QAbstractButton>(screen, u"btnTorta"_s)->click();
        EXPECT_EQ(series->property("kind").toString(), u"pie"_s);
        EXPECT_TRUE(chart->property("view3D").toBool());
        EXPECT_TRUE(chart->property("orthogonal").toBool());
        EXPECT_EQ(pointsOf(screen), before);
        const QImage pie = chart->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_NE(pie, bars);
        // The printed page is drawn from the same points as the screen: a page of the chart's
        // size shows what the screen shows.
        const QSize pageSize(1000, 622);
        QImage printed(pageSize, QImage::Format_ARGB32_Premultiplied);
        printed.fill(Qt::transparent);
        {
            QPainter painter(&printed);
            screen->paintPage(painter, QRectF(QPointF(0, 0), QSizeF(pageSize)));
        }
        chart->resize(pageSize);
        EXPECT_EQ(printed.convertToFormat(QImage::Format_ARGB32),
                  chart->grab().toImage().convertToFormat(QImage::Format_ARGB32));
        chart->resize(size);
        EXPECT_EQ(chart->renderImage(size).convertToFormat(QImage::Format_ARGB32), pie);

        child<QAbstractButton>(screen, u"btnBarre"_s)->click();
        EXPECT_EQ(series->property("kind").toString(), u"bar"_s);
        EXPECT_EQ(pointsOf(screen), before);
        EXPECT_EQ(chart->grab().toImage().convertToFormat(QImage::Format_ARGB32), bars);
    });
}

TEST(Statistics, PrintAsksCopiesAndPrintsOneLandscapePagePerCopy) {
    const struct {
        QString answer;
        int copies;
    } answers[] = {{u"1"_s, 1},    {u" 3 "_s, 3}, {u"abc"_s, 1},
                   {QString(), 1}, {u"0"_s, 1},   {u"99999999999999999999"_s, 999}};
    for (const auto& a : answers)
        EXPECT_EQ(ui::StatsScreen::copiesFrom(a.answer), a.copies) << a.answer.toStdString();

    archive(u"2024"_s, {{.data = u"05/03/2024"_s, .importo = u"100,40"_s}});
    showChart(0, u"2024"_s, [](ui::StatsScreen* screen) {
        auto* print = child<QAbstractButton>(screen, u"btnStampa"_s);
        // No to the question: nothing more.
        SeenBox box = answerNextBox([&] { print->click(); }, u"No"_s);
        EXPECT_EQ(box.text, u"Si vuole stampare il presente grafico statistico?"_s);
        EXPECT_EQ(box.icon, QMessageBox::Question);

        // Letters as the number of copies: one copy proposed in the print dialog.
        QString title, prompt, proposed;
        int dialogCopies = 0;
        withModals([&] { answerNextBox([&] { print->click(); }, kSi); },
                   {[&](QWidget* modal) {
                        auto* input = qobject_cast<QInputDialog*>(modal);
                        ASSERT_NE(input, nullptr);
                        title = input->windowTitle();
                        prompt = input->labelText();
                        proposed = input->textValue();
                        input->setTextValue(u"tre"_s);
                        input->accept();
                    },
                    [&](QWidget* modal) {
                        auto* dialog = qobject_cast<QPrintDialog*>(modal);
                        ASSERT_NE(dialog, nullptr);
                        dialogCopies = dialog->printer()->copyCount();
                        dialog->reject();
                    }});
        EXPECT_EQ(title, u"Numero copie da stampare"_s);
        EXPECT_EQ(prompt, u"Copie:"_s);
        EXPECT_EQ(proposed, u"1"_s);
        EXPECT_EQ(dialogCopies, 1);

        // Cancelling the copies box prints nothing.
        bool printDialog = false;
        withModals([&] { answerNextBox([&] { print->click(); }, kSi); }, {[&](QWidget* modal) {
                       static_cast<QDialog*>(modal)->reject();
                       QTimer::singleShot(300, [&] {
                           printDialog = qobject_cast<QPrintDialog*>(
                                             QApplication::activeModalWidget()) != nullptr;
                           if (printDialog) QApplication::activeModalWidget()->close();
                       });
                   }});
        QTest::qWait(400);
        EXPECT_FALSE(printDialog);

        // Three copies: three landscape pages.
        const QString pdf = g_folder + u"grafico.pdf"_s;
        QFile::remove(pdf);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        bool printed = false;
        withModals([&] { printed = screen->printCopies(printer, 3); }, {[&](QWidget* modal) {
                       auto* dialog = qobject_cast<QPrintDialog*>(modal);
                       ASSERT_NE(dialog, nullptr);
                       EXPECT_EQ(dialog->printer()->copyCount(), 3);
                       dialog->accept();
                   }});
        EXPECT_TRUE(printed);
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
        ASSERT_TRUE(QFile::exists(pdf));
        if (!QStandardPaths::findExecutable(u"pdfinfo"_s).isEmpty()) {
            QProcess info;
            info.start(u"pdfinfo"_s, {pdf});
            ASSERT_TRUE(info.waitForFinished());
            const QString out = QString::fromUtf8(info.readAllStandardOutput());
            EXPECT_TRUE(out.contains(QRegularExpression(u"Pages:\\s+3\\n"_s))) << out.toStdString();
            EXPECT_TRUE(out.contains(QRegularExpression(u"Page size:\\s+84\\d(\\.\\d+)? x 595"_s)))
                << out.toStdString();
        }
    });
}

} // namespace

// Pie marks never cover one another and every value that is not zero has one, however thin its
// slice; a negative bar hangs from the axis inside the plot, with its mark, above the month names.
TEST(Statistics, EveryValueHasAMarkNoneOverlapsAndNegativeBarsStayInThePlot) {
    const std::array<qlonglong, 12> cases[] = {
        {101, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {10, 333, 1500, 80, 5000000, 0, 0, 0, 0, 0, 0, 0},
        {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 100000},
        {400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 387},
    };
    for (const auto& values : cases) {
        ui::StatsChart chart({u"Titolo"_s, u"Legenda"_s, u"Piede"_s}, nullptr);
        int nonZero = 0;
        for (int m = 0; m < 12; ++m) {
            chart.series()->addPoint(QString::fromUtf16(kMonths[m]), values[size_t(m)],
                                     QColor::fromRgba(kMonthColours[m]));
            nonZero += values[size_t(m)] != 0;
        }
        chart.setKind(ui::StatsSeries::Kind::Pie);
        for (const QSize size : {QSize(1100, 700), QSize(800, 500)}) {
            chart.renderImage(size);
            const auto& marks = chart.lastDrawn().marks;
            EXPECT_EQ(marks.size(), nonZero);
            for (int i = 0; i < marks.size(); ++i)
                for (int j = i + 1; j < marks.size(); ++j)
                    EXPECT_FALSE(marks[i].second.intersects(marks[j].second))
                        << marks[i].first.toStdString() << " / " << marks[j].first.toStdString();
        }
    }

    ui::StatsChart chart({u"Titolo"_s, u"Legenda"_s, u"Piede"_s}, nullptr);
    for (int m = 0; m < 12; ++m)
        chart.series()->addPoint(QString::fromUtf16(kMonths[m]), m == 11 ? -13 : 400,
                                 QColor::fromRgba(kMonthColours[m]));
    chart.setKind(ui::StatsSeries::Kind::Bar);
    chart.renderImage(QSize(1100, 700));
    const ui::StatsChart::Drawn& drawn = chart.lastDrawn();
    ASSERT_EQ(drawn.bars.size(), 12);
    const QRectF negative = drawn.bars[11];
    EXPECT_NEAR(negative.top(), drawn.bars[0].bottom(), 0.01); // both start at the axis
    EXPECT_LE(negative.bottom(), drawn.floor);
    EXPECT_GT(negative.height(), 0);
    ASSERT_EQ(drawn.marks.size(), 12);
    EXPECT_EQ(drawn.marks[11].first, u"-13"_s);
    EXPECT_LE(drawn.marks[11].second.bottom(), drawn.floor);
    EXPECT_GE(drawn.marks[11].second.top(), negative.bottom());
}
