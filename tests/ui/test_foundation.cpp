// Drives the program as a user would: password, main menu and the clients card,
// by objectName, with the real message boxes answered.
#include "records/folderstore.h"
#include "support/diskfull.h"
#include "support/uitest.h"

#include "records/layouts.h"
#include "records/record.h"
#include "security/scrambler.h"
#include "ui/app/application.h"
#include "ui/common/listscreen.h"
#include "ui/common/misc.h"
#include "ui/common/screens.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tavolex;
using namespace tavolex::test;
using namespace Qt::Literals::StringLiterals;

namespace {

QString g_folder;

QByteArray clientFile() {
    QFile f(g_folder + u"Clienti.pro"_s);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QWidget* screen(const QString& name) {
    QWidget* w = topLevel(name);
    if (!w) throw std::runtime_error("no screen " + name.toStdString());
    return w;
}

template <typename T = QWidget> T* on(const QString& screenName, const QString& control) {
    return child<T>(screen(screenName), control);
}

void click(const QString& screenName, const QString& control) {
    auto* b = on<QAbstractButton>(screenName, control);
    ASSERT_TRUE(b->isEnabled()) << control.toStdString();
    b->click();
}

SeenBox clickAndAnswer(const QString& screenName, const QString& control,
                       const QString& answer = {}) {
    return answerNextBox([&] { on<QAbstractButton>(screenName, control)->click(); }, answer);
}

QString fieldText(const QByteArray& record, const char16_t* field) {
    const auto& layout = records::clientLayout();
    return records::readField(record.constData(), layout.field(layout.indexOf(QStringView(field))));
}

void logIn() {
    auto* password = on<QLineEdit>(u"TfrmPassword"_s, u"txtPassword"_s);
    password->setText(u"  archiviostudio "_s);
    click(u"TfrmPassword"_s, u"cmdOK"_s);
}

class Foundation : public ::testing::Test {
protected:
    static void SetUpTestSuite() {}
};

} // namespace

TEST(Startup, OnlyThePasswordScreenIsVisible) {
    QStringList visible;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) visible << w->objectName();
    EXPECT_EQ(visible, QStringList{u"TfrmPassword"_s});
    EXPECT_EQ(screen(u"TfrmPassword"_s)->windowTitle(), u" Tavolex - Autenticazione"_s);
    EXPECT_FALSE(on<QPushButton>(u"TfrmPassword"_s, u"cmdOK"_s)->isEnabled());
    // Centred on the screen by the program, whatever the window manager does.
    QWidget* password = screen(u"TfrmPassword"_s);
    const QPoint offset =
        password->frameGeometry().center() - password->screen()->availableGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

// Only the password screen is made at start; every other screen the first time it is asked
// for, once, and wired to where it leads then.
TEST(Startup, ScreensAreMadeOnFirstUseOnce) {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        names << w->objectName();
    EXPECT_TRUE(names.contains(u"TfrmPassword"_s));
    EXPECT_FALSE(names.contains(u"TfrmStatsBilancio"_s));
    EXPECT_TRUE(ui::Screens::has(u"TfrmStatsBilancio"_s));
    EXPECT_FALSE(ui::Screens::isMade(u"TfrmStatsBilancio"_s));

    QWidget* made = ui::Screens::get(u"TfrmStatsBilancio"_s);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->objectName(), u"TfrmStatsBilancio"_s);
    EXPECT_TRUE(made->isWindow());
    EXPECT_FALSE(made->isVisible());
    EXPECT_EQ(ui::Screens::get(u"TfrmStatsBilancio"_s), made);
    EXPECT_EQ(ui::Screens::get(u"TfrmNessuno"_s), nullptr);
    EXPECT_FALSE(ui::Screens::has(u"TfrmNessuno"_s));
}

// Every screen can be made: a declaration fault (a field its layout lacks) would stop the
// program the first time that screen is opened.
TEST(Startup, EveryScreenOfTheProgramCanBeMade) {
    const QStringList names = ui::Screens::names();
    EXPECT_GE(names.size(), 55);
    for (const QString& name : names) {
        QWidget* made = ui::Screens::get(name);
        ASSERT_NE(made, nullptr) << name.toStdString();
        EXPECT_EQ(made->objectName(), name);
        EXPECT_TRUE(made->isWindow()) << name.toStdString();
    }
    EXPECT_EQ(screen(u"TfrmPassword"_s)->isVisible(), true);
}

TEST(Password, OkFollowsTheTrimmedText) {
    auto* password = on<QLineEdit>(u"TfrmPassword"_s, u"txtPassword"_s);
    auto* ok = on<QPushButton>(u"TfrmPassword"_s, u"cmdOK"_s);
    password->setText(u"   "_s);
    EXPECT_FALSE(ok->isEnabled());
    password->setText(u" a "_s);
    EXPECT_TRUE(ok->isEnabled());
    password->clear();
    // Enter in the empty field does nothing.
    password->setFocus();
    QTest::keyClick(password, Qt::Key_Return);
    EXPECT_TRUE(screen(u"TfrmPassword"_s)->isVisible());
}

TEST(Password, WrongPasswordIsRefused) {
    auto* password = on<QLineEdit>(u"TfrmPassword"_s, u"txtPassword"_s);
    password->setText(u"sbagliata"_s);
    const SeenBox box = clickAndAnswer(u"TfrmPassword"_s, u"cmdOK"_s);
    ASSERT_TRUE(box.seen);
    EXPECT_EQ(box.text, u"Attenzione: password errata."_s);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.buttons, QStringList{u"OK"_s});
    EXPECT_TRUE(password->text().isEmpty());
    EXPECT_FALSE(on<QPushButton>(u"TfrmPassword"_s, u"cmdOK"_s)->isEnabled());
}

TEST(Password, ChangeRefusesMismatchAndAcceptsNewPassword) {
    click(u"TfrmPassword"_s, u"btnCambiaPassword"_s);
    ASSERT_TRUE(screen(u"TfrmCambiaPassword"_s)->isVisible());
    EXPECT_FALSE(screen(u"TfrmPassword"_s)->isVisible());
    auto* oldField = on<QLineEdit>(u"TfrmCambiaPassword"_s, u"txtPasswordOld"_s);
    auto* newField = on<QLineEdit>(u"TfrmCambiaPassword"_s, u"txtPasswordNew"_s);
    auto* confirm = on<QLineEdit>(u"TfrmCambiaPassword"_s, u"txtConferma"_s);

    oldField->setText(u"nonlaso"_s);
    newField->setText(u"nuova"_s);
    confirm->setText(u"nuova"_s);
    SeenBox box = clickAndAnswer(u"TfrmCambiaPassword"_s, u"cmdOK"_s);
    EXPECT_EQ(box.text, u"Attenzione: vecchia password errata."_s);
    EXPECT_TRUE(oldField->text().isEmpty());

    oldField->setText(u"archiviostudio"_s);
    newField->setText(u"nuova"_s);
    confirm->setText(u"NUOVA"_s);
    box = clickAndAnswer(u"TfrmCambiaPassword"_s, u"cmdOK"_s);
    EXPECT_EQ(
        box.text,
        u"Attenzione: la nuova password non \u00E8 stata confermata correttamente. E' necessario "
        u"reinserire entrambi i valori."_s);
    EXPECT_TRUE(newField->text().isEmpty());
    EXPECT_TRUE(confirm->text().isEmpty());

    // A password the store cannot carry is refused and the store stays as it was.
    const QByteArray before = [] {
        QFile f(g_folder + u"unins000.dll"_s);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    newField->setText(u"euro\u20AC"_s);
    confirm->setText(u"euro\u20AC"_s);
    box = clickAndAnswer(u"TfrmCambiaPassword"_s, u"cmdOK"_s);
    EXPECT_TRUE(
        box.text.startsWith(u"Attenzione: la nuova password non pu\u00F2 essere memorizzata."_s));
    QFile store(g_folder + u"unins000.dll"_s);
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_EQ(store.readAll(), before);
    store.close();

    // A full disk: the failure is reported, never a success, and the store is untouched.
    newField->setText(u"pieno"_s);
    confirm->setText(u"pieno"_s);
    {
        tavolex::test::DiskFull full;
        box = clickAndAnswer(u"TfrmCambiaPassword"_s, u"cmdOK"_s);
    }
    EXPECT_TRUE(box.text.startsWith(u"Attenzione: si \u00E8 verificato un errore"_s))
        << box.text.toStdString();
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_EQ(store.readAll(), before);
    store.close();

    oldField->setText(u"archiviostudio"_s);
    newField->setText(u" segreto "_s);
    confirm->setText(u"segreto"_s);
    box = clickAndAnswer(u"TfrmCambiaPassword"_s, u"cmdOK"_s);
    EXPECT_EQ(box.text, u"Modifica della password completata con successo."_s);
    EXPECT_FALSE(screen(u"TfrmCambiaPassword"_s)->isVisible());
    EXPECT_TRUE(screen(u"TfrmPassword"_s)->isVisible());
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_TRUE(store.readAll().contains(
        QByteArray("Valore=" + security::scramble(u"SEGRETO"_s).toLatin1())));
    store.close();

    // The old password no longer opens; put it back for the following tests.
    auto* password = on<QLineEdit>(u"TfrmPassword"_s, u"txtPassword"_s);
    password->setText(u"archiviostudio"_s);
    box = clickAndAnswer(u"TfrmPassword"_s, u"cmdOK"_s);
    EXPECT_EQ(box.text, u"Attenzione: password errata."_s);
    click(u"TfrmPassword"_s, u"btnCambiaPassword"_s);
    oldField->setText(u"segreto"_s);
    newField->setText(u"archiviostudio"_s);
    confirm->setText(u"archiviostudio"_s);
    box = clickAndAnswer(u"TfrmCambiaPassword"_s, u"cmdOK"_s);
    EXPECT_EQ(box.text, u"Modifica della password completata con successo."_s);
}

TEST(Password, CorrectPasswordShowsTheMainMenu) {
    logIn();
    EXPECT_FALSE(screen(u"TfrmPassword"_s)->isVisible());
    EXPECT_TRUE(screen(u"TfrmAvvio"_s)->isVisible());
    EXPECT_EQ(screen(u"TfrmAvvio"_s)->windowTitle(), u" Tavolex"_s);
}

// The statistics picture shows bars, not one blank block: a line across the lower part of
// the tile crosses several separate white bars.
TEST(MainMenu, StatisticsPictureShowsBars) {
    auto* grafici = on<QToolButton>(u"TfrmAvvio"_s, u"imgGrafici"_s);
    const QImage picture =
        grafici->icon().pixmap(grafici->iconSize()).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(picture.isNull());
    const int y = picture.height() * 7 / 10;
    int whiteRuns = 0;
    bool inWhite = false;
    for (int x = 0; x < picture.width(); ++x) {
        const bool white = qGray(picture.pixel(x, y)) > 240;
        whiteRuns += white && !inWhite;
        inWhite = white;
    }
    EXPECT_GE(whiteRuns, 4);
}

// Pictures are buttons: the keyboard reaches and presses them too.
TEST(MainMenu, PicturesAnswerTheKeyboard) {
    auto* info = on<QToolButton>(u"TfrmAvvio"_s, u"imgInfo"_s);
    EXPECT_NE(info->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(info->accessibleName().isEmpty());
    QString opened;
    withNextModal(
        [info] {
            info->setFocus();
            QTest::keyClick(info, Qt::Key_Space);
        },
        [&opened](QWidget* dialog) {
            opened = dialog->objectName();
            child<QPushButton>(dialog, u"btnChiudi"_s)->click();
        });
    EXPECT_EQ(opened, u"TfrmInfo"_s);
}

TEST(MainMenu, InfoMailLinkAndHelpLink) {
    QStringList opened;
    ui::TMisc::setOpener([&](const QString& command, const QUrl&) { opened << command; });
    withNextModal(
        [] {
            on<QWidget>(u"TfrmAvvio"_s, u"imgInfo"_s);
            QTest::mouseClick(on<QWidget>(u"TfrmAvvio"_s, u"imgInfo"_s), Qt::LeftButton);
        },
        [](QWidget* info) {
            EXPECT_EQ(info->objectName(), u"TfrmInfo"_s);
            QTest::mouseClick(child<QWidget>(info, u"lnkWeb"_s), Qt::LeftButton);
            child<QPushButton>(info, u"btnChiudi"_s)->click();
        });
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].startsWith(u"\"mailto:"_s));
    EXPECT_TRUE(
        opened[0].endsWith(u"?subject=Software Tavolex&body=Salve, desidererei avere le seguenti "
                           u"informazioni sul software in oggetto:\""_s));
    withNextModal(
        [] { QTest::mouseClick(on<QWidget>(u"TfrmAvvio"_s, u"imgGuida"_s), Qt::LeftButton); },
        [](QWidget* help) {
            EXPECT_EQ(child<QLabel>(help, u"lblTitolo"_s)->text(), u"Uno sguardo a Tavolex."_s);
            QTest::mouseClick(child<QWidget>(help, u"lnkWeb"_s), Qt::LeftButton);
            static_cast<QDialog*>(help)->accept();
        });
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1], u'"' + g_folder + u"Guida.pdf\""_s);
    ui::TMisc::setOpener({});
}

TEST(ClientsCard, OpensFromTheMenuEmptyAndClosesBackToIt) {
    click(u"TfrmAvvio"_s, u"btnClienti"_s);
    QWidget* card = screen(u"TfrmClienti"_s);
    EXPECT_TRUE(card->isVisible());
    EXPECT_FALSE(screen(u"TfrmAvvio"_s)->isVisible());
    EXPECT_EQ(card->windowTitle(), u" Tavolex - Anagrafica Clienti"_s);
    EXPECT_EQ(on<QLabel>(u"TfrmClienti"_s, u"panInfo"_s)->text(),
              u"Pronto per archiviare una nuova scheda..."_s);
    on<QLineEdit>(u"TfrmClienti"_s, u"txtCliente"_s)->setText(u"Da cancellare"_s);
    click(u"TfrmClienti"_s, u"cmdEsci"_s);
    EXPECT_FALSE(card->isVisible());
    EXPECT_TRUE(screen(u"TfrmAvvio"_s)->isVisible());
    click(u"TfrmAvvio"_s, u"btnClienti"_s);
    EXPECT_TRUE(on<QLineEdit>(u"TfrmClienti"_s, u"txtCliente"_s)->text().isEmpty());
}

TEST(ClientsCard, EmptyArchiveMessagesAndRequiredName) {
    SeenBox box = clickAndAnswer(u"TfrmClienti"_s, u"cmdAvanti"_s);
    EXPECT_EQ(box.text, u"L'archivio non contiene nessuna scheda."_s);
    EXPECT_EQ(box.icon, QMessageBox::Information);
    EXPECT_EQ(box.buttons, (QStringList{u"OK"_s, u"Annulla"_s}));
    EXPECT_TRUE(QFile::exists(g_folder + u"Clienti.pro"_s));
    EXPECT_TRUE(on<QLabel>(u"TfrmClienti"_s, u"lblPosizione"_s)->text().isEmpty());

    box = clickAndAnswer(u"TfrmClienti"_s, u"cmdDuplica"_s);
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.text, u"Attenzione: la duplicazione di una scheda pu\u00F2 avvenire soltanto "
                        u"dopo che questa \u00E8 "
                        u"stata inserita in archivio."_s);

    on<QLineEdit>(u"TfrmClienti"_s, u"txtCliente"_s)->setText(u"   "_s);
    box = clickAndAnswer(u"TfrmClienti"_s, u"cmdSalva"_s);
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(
        box.text,
        u"Attenzione: per salvare la scheda \u00E8 necessario indicare il nome del Cliente."_s);
    EXPECT_EQ(clientFile().size(), 0);
}

TEST(ClientsCard, TypingRules) {
    auto* card = screen(u"TfrmClienti"_s);
    card->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(card));
    auto* codFisc = child<QLineEdit>(card, u"txtCodFisc"_s);
    codFisc->setFocus();
    QTest::keyClicks(codFisc, u"rss mra"_s);
    EXPECT_EQ(codFisc->text(), u"RSSMRA"_s);
    auto* carta = child<QLineEdit>(card, u"txtCarta"_s);
    carta->setFocus();
    QTest::keyClicks(carta, u"12a3 4"_s);
    EXPECT_EQ(carta->text(), u"1234"_s);
    QTest::keyClick(carta, Qt::Key_Left);
    QTest::keyClick(carta, Qt::Key_Backspace);
    EXPECT_EQ(carta->text(), u"124"_s);
    auto* sesso = child<QLineEdit>(card, u"txtSesso"_s);
    sesso->setFocus();
    QTest::keyClicks(sesso, u"fm"_s);
    EXPECT_EQ(sesso->text(), u"F"_s);
    auto* prov = child<QComboBox>(card, u"txtProvRes"_s);
    prov->setFocus();
    QTest::keyClicks(prov, u"mi"_s);
    EXPECT_EQ(prov->currentText(), u"MI"_s);
    // The highlight follows the focus.
    EXPECT_TRUE(child<QWidget>(card, u"effProvRes"_s)->isVisible());
    EXPECT_FALSE(child<QWidget>(card, u"effCodFisc"_s)->isVisible());
    // Enter moves along the record order and wraps from the notes to the name.
    auto* note = child<QLineEdit>(card, u"txtNote"_s);
    note->setFocus();
    QTest::keyClick(note, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(card, u"txtCliente"_s));
    click(u"TfrmClienti"_s, u"cmdNuovo"_s);
    EXPECT_TRUE(codFisc->text().isEmpty());
    EXPECT_TRUE(prov->currentText().isEmpty());
}

// Every field of the client card with a typing rule: pasted or input-method text meets it.
TEST(ClientsCard, PastedAndInputMethodTextKeepsEveryTypingRule) {
    QWidget* card = screen(u"TfrmClienti"_s);
    const PasteCase cases[] = {
        {u"txtCarta", u"4111"_s, u"4111-1111"_s, u"4111"_s},
        {u"txtCarta", u"4111"_s, u"41111111"_s, u"41111111"_s},
        {u"txtPartitaIva", u""_s, u"IT01234567890"_s, u""_s},
        {u"txtPartitaIva", u""_s, u"01234567890"_s, u"01234567890"_s},
        {u"txtCodFisc", u""_s, u"rss mra"_s, u"RSSMRA"_s},
        {u"txtIban", u""_s, u"it60x"_s, u"IT60X"_s},
        {u"txtSesso", u""_s, u"f"_s, u"F"_s},
        {u"txtCapRes", u""_s, u"ab1"_s, u"AB1"_s},
        {u"txtEmail", u""_s, u" a@b.it "_s, u"a@b.it"_s},
        {u"txtProvNasc", u""_s, u"mi"_s, u"MI"_s},
        {u"txtProvRes", u""_s, u"to"_s, u"TO"_s},
    };
    for (const PasteCase& c : cases)
        for (const PasteWay way : kPasteWays) {
            const QString name = QString::fromUtf16(c.field);
            SCOPED_TRACE(name.toStdString() + " <- " + c.pasted.toStdString() + " by " +
                         pasteWayName(way));
            EXPECT_EQ(pastedInto(child<QWidget>(card, name), c.before, c.pasted, way), c.after);
        }
    click(u"TfrmClienti"_s, u"cmdNuovo"_s);
}

TEST(ClientsCard, SaveBrowseDuplicateByteExact) {
    QWidget* card = screen(u"TfrmClienti"_s);
    const auto& layout = records::clientLayout();
    // Fill every field with a distinct value cut to its capacity.
    for (const auto& field : layout.fields()) {
        if (field.name == u"Ricontatta"_s || field.name.startsWith(u"File"_s) ||
            field.name.startsWith(u"Desc"_s))
            continue;
        QWidget* control = card->findChild<QWidget*>(u"txt"_s + field.name);
        ASSERT_NE(control, nullptr) << field.name.toStdString();
        const QString value =
            QString(u"\u00E8"_s + field.name + u"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"_s)
                .left(field.capacity);
        if (auto* combo = qobject_cast<QComboBox*>(control))
            combo->setEditText(u"EE"_s);
        else
            static_cast<QLineEdit*>(control)->setText(value);
    }
    child<QCheckBox>(card, u"chkRicontatta"_s)->setChecked(true);
    child<QLabel>(card, u"lblFile01"_s)->setText(u"contratto.pdf"_s);
    child<QLineEdit>(card, u"txtEmail"_s)->setText(u"  mario@example.it "_s);

    SeenBox box = clickAndAnswer(u"TfrmClienti"_s, u"cmdSalva"_s);
    EXPECT_EQ(box.text, u"La scheda corrente \u00E8 stata inserita in archivio."_s);
    EXPECT_EQ(box.icon, QMessageBox::Information);
    EXPECT_EQ(child<QLabel>(card, u"lblPosizione"_s)->text(), u"1"_s);
    QByteArray bytes = clientFile();
    ASSERT_EQ(bytes.size(), 3372);
    EXPECT_EQ(fieldText(bytes, u"Cliente"),
              (u"\u00E8Clientexxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"_s).left(50));
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xE8);
    EXPECT_EQ(fieldText(bytes, u"Sesso"), u"\u00E8"_s);
    EXPECT_EQ(fieldText(bytes, u"ProvRes"), u"EE"_s);
    EXPECT_EQ(bytes.mid(1863, 3), QByteArray("\x02\x53\xEC", 3));
    EXPECT_EQ(fieldText(bytes, u"File01"), u"contratto.pdf"_s);
    EXPECT_EQ(fieldText(bytes, u"Email"), u"mario@example.it"_s);

    box = clickAndAnswer(u"TfrmClienti"_s, u"cmdSalva"_s);
    EXPECT_EQ(box.text,
              u"Le modifiche apportate alla scheda corrente sono state salvate in archivio."_s);
    EXPECT_EQ(clientFile().size(), 3372);

    box = clickAndAnswer(u"TfrmClienti"_s, u"cmdDuplica"_s);
    EXPECT_EQ(
        box.text,
        u"E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine "
        u"premere Salva per inserire la scheda in archivio."_s);
    EXPECT_TRUE(child<QLabel>(card, u"lblPosizione"_s)->text().isEmpty());
    EXPECT_TRUE(child<QLabel>(card, u"lblFile01"_s)->text().isEmpty());
    child<QLineEdit>(card, u"txtCliente"_s)->setText(u"Bianchi & Figli"_s);
    box = clickAndAnswer(u"TfrmClienti"_s, u"cmdSalva"_s);
    EXPECT_EQ(child<QLabel>(card, u"lblPosizione"_s)->text(), u"2"_s);
    bytes = clientFile();
    ASSERT_EQ(bytes.size(), 2 * 3372);
    const QByteArray second = bytes.mid(3372);
    EXPECT_EQ(fieldText(second, u"Cliente"), u"Bianchi & Figli"_s);
    EXPECT_EQ(second.mid(1863, 3), QByteArray("\x02\x53\xEC", 3));
    EXPECT_EQ(fieldText(second, u"File01"), QString());
    EXPECT_EQ(fieldText(second, u"Iban"), fieldText(bytes, u"Iban"));

    // Browse: Previous from 2 shows 1; Previous on 1 and Next on the last do nothing.
    click(u"TfrmClienti"_s, u"cmdIndietro"_s);
    EXPECT_EQ(child<QLabel>(card, u"lblPosizione"_s)->text(), u"1"_s);
    EXPECT_EQ(child<QLabel>(card, u"lblFile01"_s)->text(), u"contratto.pdf"_s);
    click(u"TfrmClienti"_s, u"cmdIndietro"_s);
    EXPECT_EQ(child<QLabel>(card, u"lblPosizione"_s)->text(), u"1"_s);
    click(u"TfrmClienti"_s, u"cmdUltimo"_s);
    EXPECT_EQ(child<QLineEdit>(card, u"txtCliente"_s)->text(), u"Bianchi & Figli"_s);
    click(u"TfrmClienti"_s, u"cmdAvanti"_s);
    EXPECT_EQ(child<QLabel>(card, u"lblPosizione"_s)->text(), u"2"_s);
    click(u"TfrmClienti"_s, u"cmdPrimo"_s);
    EXPECT_EQ(child<QLabel>(card, u"lblPosizione"_s)->text(), u"1"_s);
    EXPECT_TRUE(child<QCheckBox>(card, u"chkRicontatta"_s)->isChecked());
    click(u"TfrmClienti"_s, u"cmdNuovo"_s);
    click(u"TfrmClienti"_s, u"cmdAvanti"_s);
    EXPECT_EQ(child<QLabel>(card, u"lblPosizione"_s)->text(), u"1"_s);
}

// Another program writes the record the card shows: a Save refuses to write over it unseen,
// then reloads it (Sì) or keeps what was typed for a deliberate second Save (No).
TEST(ClientsCard, ASaveOverAnotherProgramsChangeAsksFirst) {
    QWidget* card = screen(u"TfrmClienti"_s);
    click(u"TfrmClienti"_s, u"cmdPrimo"_s);
    ASSERT_EQ(child<QLabel>(card, u"lblPosizione"_s)->text(), u"1"_s);
    const QByteArray original = clientFile();
    const records::FileArchive archive(g_folder + u"Clienti.pro"_s, 3372);
    const auto writeName = [&](const QString& name) {
        const std::unique_ptr<records::OpenArchive> other = archive.open();
        QByteArray bytes;
        ASSERT_TRUE(other && other->read(1, bytes));
        records::Record record(records::clientLayout(), bytes);
        record.setText(u"Cliente", name);
        ASSERT_EQ(other->overwrite(1, bytes, record.bytes()), records::WriteOutcome::Written);
    };
    const auto storedName = [] { return fieldText(clientFile().left(3372), u"Cliente"); };
    auto* name = child<QLineEdit>(card, u"txtCliente"_s);
    const QString kConflict =
        u"Attenzione: la scheda \u00E8 stata modificata da un'altra postazione dopo che \u00E8 "
        u"stata letta, e non \u00E8 stata salvata."_s;

    writeName(u"Altro Studio"_s);
    name->setText(u"Mio Studio"_s);
    SeenBox box = clickAndAnswer(u"TfrmClienti"_s, u"cmdSalva"_s, u"S\u00EC"_s);
    EXPECT_TRUE(box.text.startsWith(kConflict)) << box.text.toStdString();
    EXPECT_EQ(box.icon, QMessageBox::Question);
    EXPECT_EQ(storedName(), u"Altro Studio"_s);
    EXPECT_EQ(name->text(), u"Altro Studio"_s);
    name->setText(u"Mio Studio"_s);
    box = clickAndAnswer(u"TfrmClienti"_s, u"cmdSalva"_s);
    EXPECT_EQ(box.text,
              u"Le modifiche apportate alla scheda corrente sono state salvate in archivio."_s);
    EXPECT_EQ(storedName(), u"Mio Studio"_s);

    writeName(u"Terzo Studio"_s);
    name->setText(u"Quarto Studio"_s);
    box = clickAndAnswer(u"TfrmClienti"_s, u"cmdSalva"_s, u"No"_s);
    EXPECT_TRUE(box.text.startsWith(kConflict));
    EXPECT_EQ(storedName(), u"Terzo Studio"_s);
    EXPECT_EQ(name->text(), u"Quarto Studio"_s);
    clickAndAnswer(u"TfrmClienti"_s, u"cmdSalva"_s);
    EXPECT_EQ(storedName(), u"Quarto Studio"_s);
    EXPECT_EQ(clientFile().size(), original.size());
    EXPECT_EQ(clientFile().mid(3372), original.mid(3372));

    // Back as the tests after this one expect it.
    const std::unique_ptr<records::OpenArchive> restore = archive.open();
    ASSERT_TRUE(restore);
    ASSERT_EQ(restore->overwrite(1, clientFile().left(3372), original.left(3372)),
              records::WriteOutcome::Written);
}

TEST(ClientsCard, DamagedArchiveLoadsAndKeepsGoodRecords) {
    QWidget* card = screen(u"TfrmClienti"_s);
    QByteArray good = clientFile();
    ASSERT_EQ(good.size(), 2 * 3372);
    records::Record damaged(records::clientLayout());
    damaged.setText(u"Cliente", u"Verdi"_s);
    QByteArray bytes = damaged.bytes();
    bytes[136] = char(250);  // Sesso: length byte above its capacity
    bytes[137] = char(0x81); // undefined in Windows-1252
    bytes[1863] = char(7);   // flag with a length above its capacity
    QFile f(g_folder + u"Clienti.pro"_s);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(bytes);
    f.write(QByteArray(1000, 'z')); // torn tail
    f.close();

    click(u"TfrmClienti"_s, u"cmdUltimo"_s);
    EXPECT_EQ(child<QLabel>(card, u"lblPosizione"_s)->text(), u"3"_s);
    EXPECT_EQ(child<QLineEdit>(card, u"txtCliente"_s)->text(), u"Verdi"_s);
    EXPECT_EQ(child<QLineEdit>(card, u"txtSesso"_s)->text().size(), 1);

    click(u"TfrmClienti"_s, u"cmdNuovo"_s);
    child<QLineEdit>(card, u"txtCliente"_s)->setText(u"Neri"_s);
    clickAndAnswer(u"TfrmClienti"_s, u"cmdSalva"_s);
    EXPECT_EQ(child<QLabel>(card, u"lblPosizione"_s)->text(), u"4"_s);
    const QByteArray after = clientFile();
    ASSERT_EQ(after.size(), 4 * 3372);
    EXPECT_EQ(after.left(good.size()), good);
    EXPECT_EQ(fieldText(after.mid(3 * 3372), u"Cliente"), u"Neri"_s);
}

TEST(ClientsCard, ZeroByteArchiveAndAccessError) {
    QFile::resize(g_folder + u"Clienti.pro"_s, 0);
    SeenBox box = clickAndAnswer(u"TfrmClienti"_s, u"cmdPrimo"_s);
    EXPECT_EQ(box.text, u"L'archivio non contiene nessuna scheda."_s);
    // A folder where the archive should be cannot be opened as a file.
    QFile::remove(g_folder + u"Clienti.pro"_s);
    QDir(g_folder).mkdir(u"Clienti.pro"_s);
    box = clickAndAnswer(u"TfrmClienti"_s, u"cmdPrimo"_s);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(
        box.text,
        u"Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
        u"possedere i privilegi di scrittura nella cartella di installazione del programma."_s);
    QDir(g_folder).rmdir(u"Clienti.pro"_s);
}

TEST(ClientsCard, EmailButtonOpensMailLink) {
    QStringList opened;
    ui::TMisc::setOpener([&](const QString& command, const QUrl&) { opened << command; });
    on<QLineEdit>(u"TfrmClienti"_s, u"txtEmail"_s)->setText(u"mario@example.it"_s);
    click(u"TfrmClienti"_s, u"btnEmail"_s);
    ui::TMisc::setOpener({});
    EXPECT_EQ(opened, QStringList{u"\"mailto:mario@example.it\""_s});
}

// The mail link carries the recipient and nothing else: an address that would bring
// mail-link parameters along (a local file to attach, a header, an encoded line break) is
// refused with the e-mail warning, on the clients card and on the movement card alike.
TEST(ClientsCard, EmailButtonRefusesAddressesCarryingMoreThanARecipient) {
    QStringList opened;
    QList<QUrl> urls;
    ui::TMisc::setOpener([&](const QString& command, const QUrl& url) {
        opened << command;
        urls << url;
    });
    const QString hostile[] = {
        u"a@b.it?attach=/etc/passwd"_s,
        u"a@b.it&attach=/etc/passwd"_s,
        u"a@b.it?subject=x&attachment=%2Fetc%2Fshadow"_s,
        u"a@b.it%0Aattach=/etc/passwd"_s,
        u"a@b.it%3Fattach=/etc/passwd"_s,
        u"a@b.it\nattach=/etc/passwd"_s,
        u"a@b.it\tbcc@c.it"_s,
        u"a@b.it bcc@c.it"_s,
        u"a@b.it\u00A0x"_s,
        u"a@b.it\u200Bx"_s,
        u"?to=x@y.it"_s,
    };
    for (const QString& address : hostile) {
        SCOPED_TRACE(address.toStdString());
        on<QLineEdit>(u"TfrmClienti"_s, u"txtEmail"_s)->setText(address);
        const SeenBox box = clickAndAnswer(u"TfrmClienti"_s, u"btnEmail"_s);
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        EXPECT_EQ(box.text, u"Attenzione: indicare l'indirizzo e-mail del tesserato."_s);
        EXPECT_FALSE(ui::TMisc::mailLink(address).has_value());
    }
    EXPECT_TRUE(opened.isEmpty());

    // A plain address, also one with the characters an address may hold, gives a link
    // with no query at all.
    for (const QString& address : {u"mario.rossi+studio@example.it"_s, u"o'neil@example.it"_s}) {
        on<QLineEdit>(u"TfrmClienti"_s, u"txtEmail"_s)->setText(address);
        click(u"TfrmClienti"_s, u"btnEmail"_s);
    }
    ui::TMisc::setOpener({});
    ASSERT_EQ(urls.size(), 2);
    EXPECT_EQ(urls[0].scheme(), u"mailto"_s);
    EXPECT_EQ(urls[0].path(), u"mario.rossi+studio@example.it"_s);
    EXPECT_FALSE(urls[0].hasQuery());
    EXPECT_EQ(urls[1].path(), u"o'neil@example.it"_s);
    EXPECT_FALSE(urls[1].hasQuery());
}

TEST(ClientsCard, TaxCodeButtonRoutesDigitsToTheVatCheck) {
    struct Case {
        QString code;
        QString dialog;
        QString field;
    };
    const QList<Case> cases = {{u"01234567890"_s, u"TfrmPartitaIva"_s, u"txtPartitaIva"_s},
                               {u"RSSMRA80A01H501U"_s, u"TfrmCodFisc"_s, u"txtCodFisc"_s},
                               {QString(), u"TfrmCodFisc"_s, u"txtCodFisc"_s}};
    for (const Case& c : cases) {
        on<QLineEdit>(u"TfrmClienti"_s, u"txtCodFisc"_s)->setText(c.code);
        QString seenName;
        QString seenValue;
        withNextModal([] { on<QAbstractButton>(u"TfrmClienti"_s, u"btnCodFisc"_s)->click(); },
                      [&](QWidget* dialog) {
                          seenName = dialog->objectName();
                          seenValue = child<QLineEdit>(dialog, c.field)->text();
                          static_cast<QDialog*>(dialog)->reject();
                      });
        EXPECT_EQ(seenName, c.dialog);
        EXPECT_EQ(seenValue, c.code);
    }
}

TEST(ClientsCard, AttachmentsComeBackIntoTheHiddenLabels) {
    QWidget* card = screen(u"TfrmClienti"_s);
    child<QLabel>(card, u"lblDesc02"_s)->setText(u"vecchia"_s);
    QString tag;
    QString seenDesc;
    withNextModal([] { on<QAbstractButton>(u"TfrmClienti"_s, u"cmdFile"_s)->click(); },
                  [&](QWidget* dialog) {
                      tag = child<QLabel>(dialog, u"lblMemory"_s)->text();
                      seenDesc = child<QLineEdit>(dialog, u"txtDesc02"_s)->text();
                      child<QLineEdit>(dialog, u"txtDesc01"_s)->setText(u"Contratto firmato"_s);
                      child<QAbstractButton>(dialog, u"btnApplica"_s)->click();
                  });
    EXPECT_EQ(tag, u"clienti"_s);
    EXPECT_EQ(seenDesc, u"vecchia"_s);
    EXPECT_EQ(child<QLabel>(card, u"lblDesc01"_s)->text(), u"Contratto firmato"_s);
    withNextModal([] { on<QAbstractButton>(u"TfrmClienti"_s, u"cmdFile"_s)->click(); },
                  [&](QWidget* dialog) {
                      child<QLineEdit>(dialog, u"txtDesc01"_s)->setText(u"annullata"_s);
                      child<QAbstractButton>(dialog, u"btnAnnulla"_s)->click();
                  });
    EXPECT_EQ(child<QLabel>(card, u"lblDesc01"_s)->text(), u"Contratto firmato"_s);
}

TEST(ClientsCard, PdfExportWritesClienteAndAsksToOpenIt) {
    on<QLineEdit>(u"TfrmClienti"_s, u"txtCliente"_s)->setText(u"Rossi Mario"_s);
    QStringList opened;
    ui::TMisc::setOpener([&](const QString& command, const QUrl&) { opened << command; });
    SeenBox box = clickAndAnswer(u"TfrmClienti"_s, u"cmdPDF"_s, u"No"_s);
    EXPECT_EQ(box.icon, QMessageBox::Question);
    EXPECT_EQ(
        box.text,
        u"L'esportazione della scheda in PDF \u00E8 terminata con successo.\r\n\r\nSi vuole aprire il file?"_s);
    EXPECT_EQ(box.buttons, (QStringList{u"S\u00EC"_s, u"No"_s}));
    EXPECT_TRUE(opened.isEmpty());
    QFile pdf(g_folder + u"Cliente.pdf"_s);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
    pdf.close();
    box = clickAndAnswer(u"TfrmClienti"_s, u"cmdPDF"_s, u"S\u00EC"_s);
    ui::TMisc::setOpener({});
    EXPECT_EQ(opened, QStringList{u'"' + g_folder + u"Cliente.pdf\""_s});
}

TEST(ClientsCard, SearchLoadsTheChosenClientIntoTheCard) {
    QWidget* card = screen(u"TfrmClienti"_s);
    // Three clients in the archive; the search lists the one named Neri.
    QFile::remove(g_folder + u"Clienti.pro"_s);
    for (const QString& name : {u"Rossi Mario"_s, u"Neri Anna"_s, u"Bianchi Luca"_s}) {
        click(u"TfrmClienti"_s, u"cmdNuovo"_s);
        child<QLineEdit>(card, u"txtCliente"_s)->setText(name);
        clickAndAnswer(u"TfrmClienti"_s, u"cmdSalva"_s);
    }
    click(u"TfrmClienti"_s, u"cmdNuovo"_s);
    QString tag;
    withNextModal([] { on<QAbstractButton>(u"TfrmClienti"_s, u"cmdTrova"_s)->click(); },
                  [&](QWidget* dialog) {
                      tag = child<QLabel>(dialog, u"lblMemory"_s)->text();
                      child<QLineEdit>(dialog, u"txtCliente"_s)->setText(u"neri"_s);
                      child<QAbstractButton>(dialog, u"btnCerca"_s)->click();
                      static_cast<ui::ListScreen*>(dialog)->activateRow(0);
                  });
    EXPECT_EQ(tag, u"clienti"_s);
    EXPECT_EQ(child<QLineEdit>(card, u"txtCliente"_s)->text(), u"Neri Anna"_s);
    EXPECT_EQ(child<QLabel>(card, u"lblPosizione"_s)->text(), u"2"_s);
}

// The whole program, started as its main() starts it, in a fresh program folder.
class WholeProgram : public ::testing::Environment {
public:
    void SetUp() override {
        g_folder = makeProgramFolder();
        ASSERT_TRUE(startApplication());
    }
    void TearDown() override { stopApplication(); }
};
const auto* const g_programEnvironment = ::testing::AddGlobalTestEnvironment(new WholeProgram);
