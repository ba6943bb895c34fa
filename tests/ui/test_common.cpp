// The shared screen conventions: date import, hint bar, list screen search, the print-this-
// record screen.
#include "accounts/cashbook.h"
#include "support/uitest.h"

#include "ui/common/behaviour.h"
#include "ui/common/calendario.h"
#include "ui/common/clock.h"
#include "ui/common/listscreen.h"
#include "ui/common/periodbox.h"
#include "ui/common/screens.h"
#include "ui/common/wait.h"
#include "ui/common/yearmenu.h"
#include "ui/movements/TfrmStampaMovimento.h"
#include "ui/protocol/TfrmStampaProtocollo.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace tavolex;
using namespace tavolex::test;
using namespace tavolex::ui;
using namespace Qt::Literals::StringLiterals;

namespace {

// A screen of its own with a date field: the calendar hands the date back to the field
// that asked, whatever screen it is on (no registry involved).
struct FakeCard {
    QWidget screen;
    QLineEdit* date = new QLineEdit(&screen);
    FakeCard() {
        screen.setObjectName(u"UnaSchedaQualsiasi"_s);
        date->setObjectName(u"txtDataReg"_s);
        date->setText(u"01/01/2020"_s);
        installDateField(date, u"datareg"_s);
        screen.show();
    }
};

void sendEnter(QWidget* w) {
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(w, &event);
}

} // namespace

TEST(DateField, CalendarWritesTheChosenDate) {
    FakeCard card;
    withNextModal([&] { QTest::keyClick(card.date, Qt::Key_A); },
                  [](QWidget* dialog) {
                      EXPECT_EQ(dialog->objectName(), u"TfrmCalendario"_s);
                      EXPECT_EQ(dialog->windowTitle(), u" Importazione data"_s);
                      EXPECT_EQ(child<QLabel>(dialog, u"lblMemory"_s)->text(), u"datareg"_s);
                      child<QCalendarWidget>(dialog, u"calAppuntamenti"_s)
                          ->setSelectedDate(QDate(2024, 3, 5));
                      child<QPushButton>(dialog, u"btnImportaData"_s)->click();
                  });
    EXPECT_EQ(card.date->text(), u"05/03/2024"_s);
    EXPECT_TRUE(card.date->isReadOnly());
}

TEST(DateField, AnnullaKeepsTheFieldAndBackspaceEmptiesIt) {
    FakeCard card;
    withNextModal([&] { QTest::keyClick(card.date, Qt::Key_1); },
                  [](QWidget* dialog) { child<QPushButton>(dialog, u"btnAnnulla"_s)->click(); });
    EXPECT_EQ(card.date->text(), u"01/01/2020"_s);
    QTest::keyClick(card.date, Qt::Key_Backspace);
    EXPECT_TRUE(card.date->text().isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(DateField, PickHandsTheDateBackOrNothing) {
    std::optional<QDate> picked;
    withNextModal([&] { picked = TfrmCalendario::pick(nullptr, u"movimenti_scadenza"_s); },
                  [](QWidget* dialog) {
                      child<QCalendarWidget>(dialog, u"calAppuntamenti"_s)
                          ->setSelectedDate(QDate(2026, 2, 28));
                      child<QPushButton>(dialog, u"btnImportaData"_s)->click();
                  });
    EXPECT_EQ(picked, QDate(2026, 2, 28));
    withNextModal([&] { picked = TfrmCalendario::pick(nullptr, u"movimenti_data"_s); },
                  [](QWidget* dialog) { child<QPushButton>(dialog, u"btnAnnulla"_s)->click(); });
    EXPECT_FALSE(picked.has_value());
}

// The calendar knows none of its callers: whatever tag the caller gives is shown in
// lblMemory, and the date goes back to that caller.
TEST(DateField, PickHandsTheDateToAnyCaller) {
    std::optional<QDate> picked;
    withNextModal([&] { picked = TfrmCalendario::pick(nullptr, u"un_altro_campo"_s); },
                  [](QWidget* dialog) {
                      EXPECT_EQ(child<QLabel>(dialog, u"lblMemory"_s)->text(), u"un_altro_campo"_s);
                      child<QCalendarWidget>(dialog, u"calAppuntamenti"_s)
                          ->setSelectedDate(QDate(2025, 7, 1));
                      child<QPushButton>(dialog, u"btnImportaData"_s)->click();
                  });
    EXPECT_EQ(picked, QDate(2025, 7, 1));
}

TEST(DateField, UnknownTagLeavesTheScreenOpen) {
    TfrmCalendario calendar;
    calendar.setTag(u"sconosciuto"_s);
    calendar.show();
    child<QPushButton>(&calendar, u"btnImportaData"_s)->click();
    EXPECT_TRUE(calendar.isVisible());
    EXPECT_EQ(child<QCalendarWidget>(&calendar, u"calAppuntamenti"_s)->selectedDate(),
              Clock::today());
}

TEST(HintBar, HintsShowAndBackgroundClears) {
    QWidget screen;
    auto* layout = new QVBoxLayout(&screen);
    auto* button = new QPushButton(u"Salva"_s, &screen);
    auto* field = new QLineEdit(&screen);
    auto* bar = new QLabel(u"Pronto"_s, &screen);
    layout->addWidget(button);
    layout->addWidget(field);
    layout->addWidget(bar);
    ScreenBehaviour behaviour(&screen);
    behaviour.setHintBar(bar);
    behaviour.setHint(button, u"Salva la scheda corrente in archivio."_s);
    behaviour.addHintClearingArea(&screen);
    sendEnter(button);
    EXPECT_EQ(bar->text(), u"Salva la scheda corrente in archivio."_s);
    sendEnter(field); // other controls leave the bar as it was
    EXPECT_EQ(bar->text(), u"Salva la scheda corrente in archivio."_s);
    QTest::mouseMove(&screen, QPoint(1, 1));
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&screen, &move);
    EXPECT_TRUE(bar->text().isEmpty());
}

// Moves the pointer (no button held) to `at` in `screen`'s coordinates, as the window system
// reports it: to the widget under the pointer, or up to the first ancestor that follows it.
void movePointer(QWidget* screen, QPoint at) {
    QWidget* target = screen->childAt(at);
    if (!target) target = screen;
    while (target != screen && !target->hasMouseTracking())
        target = target->parentWidget();
    const QPointF local = target->mapFrom(screen, QPointF(at));
    QMouseEvent move(QEvent::MouseMove, local, screen->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

QPoint centreOf(QWidget* screen, QWidget* w) {
    return w->mapTo(screen, w->rect().center());
}

TEST(HintBar, FieldsLeaveTheBarAndCheckBoxesShowTheirHint) {
    QWidget screen;
    screen.resize(300, 200);
    auto* layout = new QVBoxLayout(&screen);
    auto* field = new QLineEdit(&screen);
    auto* check = new QCheckBox(u"Da ricontattare"_s, &screen);
    auto* bar = new QLabel(u"Pronto per archiviare una nuova scheda..."_s, &screen);
    layout->addWidget(field);
    layout->addWidget(check);
    layout->addStretch();
    layout->addWidget(bar);
    ScreenBehaviour behaviour(&screen);
    behaviour.setHintBar(bar);
    behaviour.setHint(check, u"Annota che il Cliente \u00E8 da ricontattare."_s);
    behaviour.addHintClearingArea(&screen);
    screen.show();

    // Opening under a still pointer: the first hint stays.
    sendEnter(&screen);
    EXPECT_EQ(bar->text(), u"Pronto per archiviare una nuova scheda..."_s);
    movePointer(&screen, centreOf(&screen, field));
    EXPECT_EQ(bar->text(), u"Pronto per archiviare una nuova scheda..."_s);
    movePointer(&screen, centreOf(&screen, check));
    EXPECT_EQ(bar->text(), u"Annota che il Cliente \u00E8 da ricontattare."_s);
    movePointer(&screen, centreOf(&screen, field));
    EXPECT_EQ(bar->text(), u"Annota che il Cliente \u00E8 da ricontattare."_s);
    movePointer(&screen, QPoint(150, 150)); // the background
    EXPECT_TRUE(bar->text().isEmpty());
}

TEST(ScreenKeys, EnterPressesTheFocusedButton) {
    QWidget screen;
    auto* layout = new QVBoxLayout(&screen);
    auto* field = new QLineEdit(&screen);
    auto* push = new QPushButton(u"Apri"_s, &screen);
    auto* tool = new QToolButton(&screen);
    layout->addWidget(field);
    layout->addWidget(push);
    layout->addWidget(tool);
    ScreenBehaviour behaviour(&screen);
    behaviour.setEnterNext(field, push);
    int pushed = 0;
    int tooled = 0;
    QObject::connect(push, &QPushButton::clicked, [&] { ++pushed; });
    QObject::connect(tool, &QToolButton::clicked, [&] { ++tooled; });
    screen.show();
    QApplication::setActiveWindow(&screen);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return); // moves to the button, does not press it
    EXPECT_EQ(QApplication::focusWidget(), push);
    EXPECT_EQ(pushed, 0);
    QTest::keyClick(push, Qt::Key_Return);
    EXPECT_EQ(pushed, 1);
    tool->setFocus();
    QTest::keyClick(tool, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(tooled, 1);
    tool->setEnabled(false);
    QTest::keyClick(&screen, Qt::Key_Return);
    EXPECT_EQ(tooled, 1);
}

// A period box alone on a screen with a field before it and a button after it, in the
// screen's declared order.
struct PeriodScreen {
    QWidget screen;
    ScreenBehaviour behaviour{&screen};
    QLineEdit* before = new QLineEdit(&screen);
    PeriodBox* box = new PeriodBox({u" Data inizio intervallo: "_s, u"txtGiornoInizio"_s,
                                    u"txtMeseInizio"_s, u"lblAnnoInizio"_s, accounts::monthNames()},
                                   &behaviour, &screen);
    QPushButton* after = new QPushButton(u"Visualizza riepilogo"_s, &screen);
    int pressed = 0;

    PeriodScreen() {
        auto* layout = new QVBoxLayout(&screen);
        layout->addWidget(before);
        layout->addWidget(box);
        layout->addWidget(after);
        behaviour.setFieldOrder({before, box->dayField(), box->monthField(), after});
        QObject::connect(after, &QPushButton::clicked, [this] { ++pressed; });
        screen.show();
        QApplication::setActiveWindow(&screen);
    }
};

TEST(PeriodBox, DayAndMonthArePickedFromTheListOnlyWithTheYearBeside) {
    PeriodScreen s;
    QComboBox* day = s.box->dayField();
    QComboBox* month = s.box->monthField();
    EXPECT_EQ(day->objectName(), u"txtGiornoInizio"_s);
    EXPECT_EQ(s.box->title(), u" Data inizio intervallo: "_s);
    EXPECT_EQ(day->count(), 31);
    EXPECT_EQ(day->itemText(30), u"31"_s);
    EXPECT_EQ(month->itemText(0), u"Gennaio"_s);
    EXPECT_EQ(s.box->dayText(), QString());

    s.box->setYear(u"2024"_s);
    EXPECT_EQ(s.screen.findChild<QLabel*>(u"lblAnnoInizio"_s)->text(), u"2024"_s);

    // A chosen value stays whatever is typed: digits, letters, arrows, Home/End, Backspace.
    day->setCurrentIndex(day->findText(u"15"_s));
    day->setFocus();
    for (Qt::Key key : {Qt::Key_1, Qt::Key_A, Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Home,
                        Qt::Key_PageDown, Qt::Key_Backspace, Qt::Key_Delete})
        QTest::keyClick(day, key);
    EXPECT_EQ(s.box->dayText(), u"15"_s);
    month->setFocus();
    QTest::keyClicks(month, u"dic"_s);
    EXPECT_EQ(s.box->monthText(), QString());

    // F4 opens the list, from which the value is picked.
    QTest::keyClick(month, Qt::Key_F4);
    EXPECT_TRUE(month->view()->isVisible());
    month->hidePopup();

    s.box->clearChoice();
    EXPECT_EQ(s.box->dayText(), QString());
    EXPECT_EQ(day->currentIndex(), -1);
}

TEST(PeriodBox, EnterAndTabFollowTheDeclaredOrderAndEnterPressesTheButton) {
    PeriodScreen s;
    s.before->setFocus();
    const QList<QWidget*> order = {s.box->dayField(), s.box->monthField(), s.after};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
    EXPECT_EQ(s.pressed, 0);
    QTest::keyClick(s.after, Qt::Key_Return);
    EXPECT_EQ(s.pressed, 1);

    s.before->setFocus();
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

TEST(ScreenText, LoadedLongValueShowsFromItsFirstCharacter) {
    QLineEdit edit;
    edit.resize(60, 24);
    edit.show();
    setControlText(&edit, u"Via dei Mille, 1234 - scala B - interno 56 - Roma"_s);
    EXPECT_EQ(edit.cursorPosition(), 0);
}

TEST(ListScreen, TrovaWrapsAndReportsAnEmptyList) {
    ListScreen list(u"TfrmRicontatta"_s, u" Prova"_s);
    SeenBox box = answerNextBox([&] { child<QPushButton>(&list, u"btnTrova"_s)->click(); });
    EXPECT_EQ(box.text, u"Ricerca non applicabile: la lista non contiene nessuna voce."_s);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);

    list.setLines(
        {u"ROSSI Mario   Tel. 06"_s, u"Bianchi Anna  Tel. 02"_s, u"Rossi Luca    Tel. 011"_s});
    auto* find = child<QLineEdit>(&list, u"txtTrova"_s);
    auto* trova = child<QPushButton>(&list, u"btnTrova"_s);
    find->setText(u"rossi"_s);
    trova->click();
    EXPECT_EQ(list.selectedRow(), 0);
    trova->click();
    EXPECT_EQ(list.selectedRow(), 2);
    trova->click();
    EXPECT_EQ(list.selectedRow(), 0);
    find->setText(u"verdi"_s);
    trova->click();
    EXPECT_EQ(list.selectedRow(), 0);
    EXPECT_EQ(child<QListView>(&list, u"lstRecords"_s)->font().family(), u"Courier New"_s);
}

// As on every screen: the first Enter in "txtTrova" moves the focus to "Trova", Enter on the
// focused "Trova" presses it.
TEST(ListScreen, EnterMovesToTrovaAndEnterOnTrovaSearches) {
    ListScreen list(u"TfrmDaConfermare"_s, u" Prova"_s);
    list.setLines({u"Rossi"_s, u"Bianchi"_s, u"Rossi Luca"_s});
    list.show();
    auto* find = child<QLineEdit>(&list, u"txtTrova"_s);
    auto* trova = child<QPushButton>(&list, u"btnTrova"_s);
    find->setText(u"rossi"_s);
    find->setFocus();
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(list.focusWidget(), trova);
    EXPECT_EQ(list.selectedRow(), -1);
    QTest::keyClick(trova, Qt::Key_Return);
    EXPECT_EQ(list.selectedRow(), 0);
    QTest::keyClick(trova, Qt::Key_Enter);
    EXPECT_EQ(list.selectedRow(), 2);
    list.hide();
}

// Every test here works in a fresh program folder.
class ProgramFolder : public ::testing::Environment {
public:
    void SetUp() override { makeProgramFolder(); }
};
const auto* const g_folderEnvironment = ::testing::AddGlobalTestEnvironment(new ProgramFolder);

namespace {
// A menu of three boxes whose buttons open lists over it, as the unpaid-payments and the
// statistics menus do.
class ThreeBoxMenu : public YearMenu {
public:
    ThreeBoxMenu() : YearMenu(declaration(), nullptr) {}
    static YearMenuDecl declaration() {
        YearMenuDecl decl;
        decl.objectName = u"TfrmProvaMenu"_s;
        decl.boxes = {
            {u"Entrate"_s, u"txtAnnoPreventivi"_s, u"btnApriPreventivi"_s, u"Visualizza"_s},
            {u"Uscite"_s, u"txtAnnoNDC"_s, u"btnApriNDC"_s, u"Visualizza"_s},
            {u"Tutti"_s, u"txtAnnoDDT"_s, u"btnApriDDT"_s, u"Visualizza"_s}};
        return decl;
    }
};
} // namespace

// One print screen, declared twice: names, texts, the order of the buttons (also the order
// of Tab), "Stampa" the default button, "Annulla" closing without printing.
TEST(PrintRecordScreen, BothDeclarationsKeepTheirNamesTextsAndButtonOrder) {
    TfrmStampaMovimento movement;
    TfrmStampaProtocollo protocol;
    struct Case {
        PrintRecordScreen* screen;
        QString name, caption, text;
        QStringList order;
    };
    for (const Case& c : {Case{&movement,
                               u"TfrmStampaMovimento"_s,
                               u" Stampa scheda corrente"_s,
                               u"Stampa della scheda del movimento visualizzato."_s,
                               {u"btnAnnulla"_s, u"btnStampa"_s}},
                          Case{&protocol,
                               u"TfrmStampaProtocollo"_s,
                               u" Stampa scheda"_s,
                               u"Stampa della scheda di protocollo visualizzata."_s,
                               {u"btnStampa"_s, u"btnAnnulla"_s}}}) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(c.screen->objectName(), c.name);
        EXPECT_EQ(c.screen->windowTitle(), c.caption);
        const QList<QLabel*> labels = c.screen->findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), 1);
        EXPECT_EQ(labels[0]->text(), c.text);
        c.screen->show();
        auto* first = child<QPushButton>(c.screen, c.order[0]);
        auto* second = child<QPushButton>(c.screen, c.order[1]);
        EXPECT_LT(first->x(), second->x());
        EXPECT_EQ(first->nextInFocusChain(), second);
        EXPECT_TRUE(child<QPushButton>(c.screen, u"btnStampa"_s)->isDefault());
        child<QPushButton>(c.screen, u"btnAnnulla"_s)->click();
        EXPECT_FALSE(c.screen->isVisible());
        EXPECT_EQ(c.screen->result(), QDialog::Rejected);
    }
}

TEST(YearMenu, SeveralBoxesEachHandTheirYearAndTheMenuStays) {
    Clock::setNow([] { return QDateTime(QDate(2025, 6, 1), QTime(8, 0)); });
    ThreeBoxMenu menu;
    QList<std::pair<int, QString>> chosen;
    QObject::connect(&menu, &YearMenu::yearChosen, [&](int box, const QString& year) {
        chosen.append({box, year});
    });
    bool finished = false;
    QObject::connect(&menu, &YearMenu::finished, [&] { finished = true; });
    menu.show();
    for (const QString& name : {u"txtAnnoPreventivi"_s, u"txtAnnoNDC"_s, u"txtAnnoDDT"_s})
        EXPECT_EQ(child<QLineEdit>(&menu, name)->text(), u"2025"_s);
    EXPECT_EQ(menu.focusWidget(), child<QLineEdit>(&menu, u"txtAnnoPreventivi"_s));

    child<QLineEdit>(&menu, u"txtAnnoNDC"_s)->setText(u"24"_s);
    const SeenBox box = answerNextBox([&] { child<QPushButton>(&menu, u"btnApriNDC"_s)->click(); });
    EXPECT_EQ(box.text, u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s);
    EXPECT_EQ(menu.focusWidget(), child<QLineEdit>(&menu, u"txtAnnoNDC"_s));
    EXPECT_TRUE(chosen.isEmpty());

    child<QLineEdit>(&menu, u"txtAnnoNDC"_s)->setText(u"2024"_s);
    child<QPushButton>(&menu, u"btnApriNDC"_s)->click();
    child<QPushButton>(&menu, u"btnApriDDT"_s)->click();
    EXPECT_EQ(chosen, (QList<std::pair<int, QString>>{{1, u"2024"_s}, {2, u"2025"_s}}));
    EXPECT_TRUE(menu.isVisible()); // no card: the menu stays for the next list
    child<QToolButton>(&menu, u"imgEsci"_s)->click();
    EXPECT_TRUE(finished);
    Clock::setNow({});
}

// A long scan runs off the UI thread: the screen keeps its event loop (timers, painting,
// the wait label) but cannot be closed until the result is back.
TEST(WaitHelper, WorkRunsAwayFromTheScreenWhichStaysAliveAndOpen) {
    QWidget screen;
    auto* label = new QLabel(u"Ricerca schede in corso. Attendere..."_s, &screen);
    label->hide();
    screen.show();
    bool labelShownMeanwhile = false;
    bool closeAccepted = true;
    QTimer::singleShot(20, &screen, [&] {
        labelShownMeanwhile = label->isVisible();
        closeAccepted = screen.close();
    });
    QThread* worker = nullptr;
    const int result = runWaiting<int>(label, [&worker] {
        worker = QThread::currentThread();
        QThread::msleep(300);
        return 42;
    });
    EXPECT_EQ(result, 42);
    EXPECT_NE(worker, QThread::currentThread());
    EXPECT_TRUE(labelShownMeanwhile);
    EXPECT_FALSE(closeAccepted);
    EXPECT_TRUE(screen.isVisible());
    EXPECT_FALSE(label->isVisible());
    EXPECT_TRUE(screen.close()); // closing works again afterwards
}
