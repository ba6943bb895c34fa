#include "support/uitest.h"
#include "ui/clients/TfrmCarta.h"
#include "ui/clients/TfrmCodFisc.h"
#include "ui/clients/TfrmIban.h"
#include "ui/clients/TfrmPartitaIva.h"
#include "ui/common/messages.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace tavolex::ui;
using namespace tavolex::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// One check screen: how to make it and what it must look like.
struct Screen {
    QString cls;
    QString caption;
    QString title;
    QString field;
    QString stem;
    int limit;
    std::function<std::unique_ptr<QDialog>(const QString& input)> make;
};

template <typename T> std::unique_ptr<QDialog> makeWith(const QString& input) {
    auto dlg = std::make_unique<T>();
    dlg->setInput(input);
    return dlg;
}

const std::vector<Screen>& screens() {
    static const std::vector<Screen> all = {
        {u"TfrmCodFisc"_s, u" Controllo codice fiscale"_s,
         u"Immettere il codice fiscale e premere il pulsante di controllo."_s, u"txtCodFisc"_s,
         u"effCodFisc"_s, 16, makeWith<TfrmCodFisc>},
        {u"TfrmPartitaIva"_s, u" Controllo partita IVA"_s,
         u"Immettere il numero di partita IVA e premere il pulsante di controllo."_s,
         u"txtPartitaIva"_s, u"effPartitaIva"_s, 11, makeWith<TfrmPartitaIva>},
        {u"TfrmIban"_s, u" Controllo IBAN"_s,
         u"Immettere l'IBAN e premere il pulsante di controllo."_s, u"txtIban"_s, u"effIban"_s, 27,
         makeWith<TfrmIban>},
        {u"TfrmCarta"_s, u" Controllo carta di credito"_s,
         u"Immettere il numero di carta di credito e premere il pulsante di controllo."_s,
         u"txtNumero"_s, u"effNumero"_s, 30, makeWith<TfrmCarta>},
    };
    return all;
}

const Screen& screenNamed(const QString& cls) {
    for (const Screen& s : screens())
        if (s.cls == cls) return s;
    throw std::runtime_error("unknown screen");
}

// Shows the dialog as the active window, as exec() would.
void showActive(QDialog* dlg) {
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
}

QStringList okCancel() {
    return {u"OK"_s, u"Annulla"_s};
}

TEST(CheckDialogs, FormAndControls) {
    for (const Screen& s : screens()) {
        SCOPED_TRACE(s.cls.toStdString());
        auto dlg = s.make({});
        EXPECT_EQ(dlg->objectName(), s.cls);
        EXPECT_EQ(dlg->windowTitle(), s.caption);
        EXPECT_EQ(child<QLabel>(dlg.get(), u"lblTitolo"_s)->text(), s.title);
        auto* field = child<QLineEdit>(dlg.get(), s.field);
        EXPECT_EQ(field->maxLength(), s.limit);
        EXPECT_EQ(child<QPushButton>(dlg.get(), u"btnControlla"_s)->text(), u"Controlla"_s);
        EXPECT_EQ(child<QPushButton>(dlg.get(), u"btnChiudi"_s)->text(), u"Chiudi"_s);
        auto* eff = child<QFrame>(dlg.get(), s.stem);
        EXPECT_EQ(eff->geometry(), field->geometry().adjusted(-4, -4, 4, 4));
        EXPECT_EQ(dlg->minimumSize(), dlg->maximumSize()); // fixed size
        EXPECT_FALSE(dlg->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(dlg->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_FALSE(dlg->windowFlags() & Qt::WindowMinimizeButtonHint);
        dlg->show();
        EXPECT_EQ(dlg->frameGeometry().center(), dlg->screen()->availableGeometry().center());
    }
}

TEST(CheckDialogs, ShowingFocusesTheInputAndEnterMovesToControlla) {
    for (const Screen& s : screens()) {
        SCOPED_TRACE(s.cls.toStdString());
        auto dlg = s.make(u"123"_s);
        auto* field = child<QLineEdit>(dlg.get(), s.field);
        auto* eff = child<QFrame>(dlg.get(), s.stem);
        auto* check = child<QPushButton>(dlg.get(), u"btnControlla"_s);
        EXPECT_TRUE(eff->isHidden());
        showActive(dlg.get());
        EXPECT_TRUE(field->hasFocus());
        EXPECT_TRUE(eff->isVisible());

        // Enter moves on and neither checks nor closes.
        const SeenBox box = answerNextBox([&] { QTest::keyClick(field, Qt::Key_Return); });
        EXPECT_FALSE(box.seen);
        EXPECT_TRUE(check->hasFocus());
        EXPECT_TRUE(eff->isHidden());
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(field->text(), u"123"_s);

        field->setFocus();
        EXPECT_TRUE(eff->isVisible());
    }
}

struct Outcome {
    QString cls;
    QString input;
    QMessageBox::Icon icon; // NoIcon: no box at all
    QString text;
    bool closes;
};

TEST(CheckDialogs, ControllaShowsTheVerdict) {
    const QString cfLength =
        u"Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."_s;
    const QString ivaLength =
        u"Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."_s;
    const QString ivaWrong = u"Attenzione: il numero di partita IVA digitato risulta "
                             u"ERRATO!\r\n\r\nNon è quindi possibile fornire informazioni "
                             u"relative all'Ufficio IVA che lo ha rilasciato."_s;
    const QString ivaValid = u"Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato "
                             u"rilasciato dall'Ufficio IVA del Comune di "_s;
    const QString cardWrong = u"Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon è "
                              u"quindi possibile fornire informazioni relative al tipo di carta "
                              u"di credito."_s;
    const auto W = QMessageBox::Warning;
    const auto I = QMessageBox::Information;
    const std::vector<Outcome> cases = {
        {u"TfrmCodFisc"_s, u"RSSMRA85T10A562S"_s, I, u"Il codice fiscale digitato è VALIDO."_s,
         true},
        {u"TfrmCodFisc"_s, u"rssmra85t10a562s"_s, I, u"Il codice fiscale digitato è VALIDO."_s,
         true},
        {u"TfrmCodFisc"_s, u"RSSMRA85T10A562T"_s, W,
         u"Attenzione: il codice fiscale digitato è ERRATO."_s, true},
        {u"TfrmCodFisc"_s, u"R;SMRA85T10A562A"_s, W,
         u"Attenzione: il codice fiscale digitato è ERRATO."_s, true},
        {u"TfrmCodFisc"_s, u"RSSMRA85T10A562"_s, W, cfLength, false},
        // Longer than can be typed, as a caller may pass it: judged whole, not cut to 16.
        {u"TfrmCodFisc"_s, u"RSSMRA85T10A562SX"_s, W, cfLength, false},
        {u"TfrmCodFisc"_s, u""_s, W, cfLength, false},

        {u"TfrmPartitaIva"_s, u"12345670587"_s, I, ivaValid + u"Roma 1."_s, true},
        {u"TfrmPartitaIva"_s, u"12345671106"_s, I, ivaValid + u"."_s, true},
        {u"TfrmPartitaIva"_s, u"12345670588"_s, W, ivaWrong, true},
        {u"TfrmPartitaIva"_s, u"1234567058"_s, W, ivaLength, false},
        // An all-digit tax code of 16 digits sent here by a card is not cut to 11.
        {u"TfrmPartitaIva"_s, u"1234567058700000"_s, W, ivaLength, false},

        {u"TfrmIban"_s, u"IT60X0542811101000000123456"_s, I, u"L'IBAN digitato è VALIDO."_s, true},
        {u"TfrmIban"_s, u"it60x0542811101000000123456"_s, I, u"L'IBAN digitato è VALIDO."_s, true},
        {u"TfrmIban"_s, u"IT60X054281110100000-123456"_s, W,
         u"Attenzione: l'IBAN digitato è ERRATO!"_s, true},
        {u"TfrmIban"_s, u"IT60X054281110100000012345"_s, W,
         u"Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."_s, false},

        {u"TfrmCarta"_s, u"4111111111111111"_s, I,
         u"Il numero di carta di credito 4111111111111111 risulta valido.\r\n\r\nLa carta di "
         u"credito è del tipo Visa."_s,
         true},
        {u"TfrmCarta"_s, u"378282246310005"_s, I,
         u"Il numero di carta di credito 378282246310005 risulta valido.\r\n\r\nLa carta di "
         u"credito è del tipo American Express."_s,
         true},
        {u"TfrmCarta"_s, u"4111111111111111111599"_s, I,
         u"Il numero di carta di credito 4111111111111111111599 risulta valido.\r\n\r\nLa carta "
         u"di credito è del tipo Visa."_s,
         true},
        {u"TfrmCarta"_s, u"3200000000000002"_s, QMessageBox::NoIcon, u""_s, true},
        {u"TfrmCarta"_s, u"2223000048400011"_s, W, cardWrong, true},
        {u"TfrmCarta"_s, u"4111111111111112"_s, W, cardWrong, true},
        {u"TfrmCarta"_s, u""_s, W,
         u"Attenzione: immettere il numero di carta di credito prima di premere il pulsante di "
         u"controllo."_s,
         false},
    };
    for (const Outcome& c : cases) {
        SCOPED_TRACE(QString(c.cls + u' ' + c.input).toStdString());
        const Screen& s = screenNamed(c.cls);
        auto dlg = s.make(c.input);
        showActive(dlg.get());
        auto* field = child<QLineEdit>(dlg.get(), s.field);
        EXPECT_EQ(field->text(), c.input);
        auto* check = child<QPushButton>(dlg.get(), u"btnControlla"_s);
        check->setFocus();
        const SeenBox box = answerNextBox([&] { check->click(); }, u"OK"_s);
        if (c.icon == QMessageBox::NoIcon) {
            EXPECT_FALSE(box.seen);
        } else {
            ASSERT_TRUE(box.seen);
            EXPECT_EQ(box.icon, c.icon);
            EXPECT_EQ(box.text, c.text);
            EXPECT_EQ(box.buttons, okCancel());
        }
        EXPECT_EQ(dlg->isVisible(), !c.closes);
        if (c.closes) {
            EXPECT_EQ(dlg->result(), QDialog::Accepted);
        } else {
            EXPECT_EQ(dlg->focusWidget(), field); // back from "Controlla" to the input
            EXPECT_EQ(field->text(), c.input);
        }
    }
}

TEST(CheckDialogs, CodFiscAndIbanUpperCaseAndTrimWhileTyping) {
    for (const QString& cls : {u"TfrmCodFisc"_s, u"TfrmIban"_s}) {
        SCOPED_TRACE(cls.toStdString());
        const Screen& s = screenNamed(cls);
        auto dlg = s.make({});
        showActive(dlg.get());
        auto* field = child<QLineEdit>(dlg.get(), s.field);
        QTest::keyClicks(field, u" rss mra8"_s);
        EXPECT_EQ(field->text(), u"RSSMRA8"_s); // blanks at the ends go at once
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, u"è"_s, Qt::NoModifier);
        EXPECT_EQ(field->text(), u"RSSMRA8è"_s); // only a-z are upper-cased
        // Editing in the middle keeps the cursor in place.
        field->setCursorPosition(3);
        QTest::keyClicks(field, u"x"_s);
        EXPECT_EQ(field->text(), u"RSSXMRA8è"_s);
        EXPECT_EQ(field->cursorPosition(), 4);
    }
}

TEST(CheckDialogs, DigitsOnlyFieldsDiscardOtherKeys) {
    for (const QString& cls : {u"TfrmPartitaIva"_s, u"TfrmCarta"_s}) {
        SCOPED_TRACE(cls.toStdString());
        const Screen& s = screenNamed(cls);
        auto dlg = s.make({});
        showActive(dlg.get());
        auto* field = child<QLineEdit>(dlg.get(), s.field);
        QTest::keyClicks(field, u"12a 3-4.B"_s);
        EXPECT_EQ(field->text(), u"1234"_s);
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, u"è"_s, Qt::NoModifier);
        EXPECT_EQ(field->text(), u"1234"_s);
        // The arrows, Backspace and Delete still edit.
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClicks(field, u"9"_s);
        EXPECT_EQ(field->text(), u"12934"_s);
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), u"1234"_s);
        QTest::keyClick(field, Qt::Key_Delete);
        EXPECT_EQ(field->text(), u"124"_s);
        QTest::keyClick(field, Qt::Key_Right);
        QTest::keyClicks(field, u"5"_s);
        EXPECT_EQ(field->text(), u"1245"_s);
        // Keys that yield no character are discarded too.
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClicks(field, u"0"_s);
        EXPECT_EQ(field->text(), u"12450"_s);
    }
}

TEST(CheckDialogs, TypingStopsAtTheLimit) {
    for (const Screen& s : screens()) {
        SCOPED_TRACE(s.cls.toStdString());
        auto dlg = s.make({});
        showActive(dlg.get());
        auto* field = child<QLineEdit>(dlg.get(), s.field);
        QTest::keyClicks(field, QString(40, u'7'));
        EXPECT_EQ(field->text(), QString(s.limit, u'7'));
    }
}

TEST(CheckDialogs, AnOverLongValueCanOnlyBeShortened) {
    auto dlg = screenNamed(u"TfrmPartitaIva"_s).make(u"1234567058700000"_s);
    showActive(dlg.get());
    auto* field = child<QLineEdit>(dlg.get(), u"txtPartitaIva"_s);
    field->setCursorPosition(16);
    QTest::keyClicks(field, u"1"_s);
    EXPECT_EQ(field->text(), u"1234567058700000"_s);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), u"1234567058"_s);
    QTest::keyClicks(field, u"78"_s);
    EXPECT_EQ(field->text(), u"12345670587"_s);
    EXPECT_EQ(field->maxLength(), 11);
}

TEST(CheckDialogs, ModalRunFromACaller) {
    for (const Screen& s : screens()) {
        SCOPED_TRACE(s.cls.toStdString());
        // Chiudi closes without a message.
        {
            auto dlg = s.make(u"4111111111111111"_s);
            bool sawBox = true;
            QString shownInput;
            bool focused = false;
            withNextModal([&] { EXPECT_EQ(dlg->exec(), QDialog::Rejected); },
                          [&](QWidget* modal) {
                              auto* field = child<QLineEdit>(modal, s.field);
                              shownInput = field->text();
                              focused = modal->focusWidget() == field;
                              sawBox = answerNextBox([&] {
                                           child<QPushButton>(modal, u"btnChiudi"_s)->click();
                                       }).seen;
                          });
            EXPECT_FALSE(sawBox);
            EXPECT_EQ(shownInput, u"4111111111111111"_s);
            EXPECT_TRUE(focused);
        }
        // Controlla shows one box and ends the modal run.
        {
            auto dlg = s.make(u"1"_s);
            SeenBox box;
            withNextModal([&] { dlg->exec(); },
                          [&](QWidget* modal) {
                              box = answerNextBox(
                                  [&] { child<QPushButton>(modal, u"btnControlla"_s)->click(); });
                              if (modal->isVisible()) // a format warning keeps it open
                                  child<QPushButton>(modal, u"btnChiudi"_s)->click();
                          });
            EXPECT_TRUE(box.seen);
            EXPECT_EQ(box.icon, QMessageBox::Warning);
        }
    }
}

} // namespace
