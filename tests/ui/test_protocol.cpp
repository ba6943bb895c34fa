// Drives the mail protocol register as a user would: year menu, numbering settings,
// protocol card, search, period summary, print and export, by objectName and with the
// real message boxes answered.
#include "support/recordfixtures.h"
#include "support/uitest.h"
#include "ui/app/application.h"

#include "export/spreadsheet.h"
#include "protocol/protocollines.h"
#include "records/layouts.h"
#include "records/record.h"
#include "support/printers.h"
#include "text/win1252.h"
#include "ui/common/attachments/TfrmAllegaCartella.h"
#include "ui/common/calendario.h"
#include "ui/common/clock.h"
#include "ui/common/filechooser.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"
#include "ui/common/screens.h"
#include "ui/protocol/TfrmExpProtocollo.h"
#include "ui/protocol/TfrmMenuProtocollo.h"
#include "ui/protocol/TfrmNumerazione.h"
#include "ui/protocol/TfrmProtocollo.h"
#include "ui/protocol/TfrmRiepProtocollo.h"
#include "ui/protocol/TfrmStampaProtocollo.h"
#include "ui/protocol/TfrmTrovaProtocollo.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tavolex;
using namespace tavolex::test;
using namespace tavolex::ui;
using namespace Qt::Literals::StringLiterals;

namespace {

QString g_folder;
QWidget* g_mainMenu = nullptr;
TfrmMenuProtocollo* g_menu = nullptr;
TfrmProtocollo* g_card = nullptr;
QStringList g_opened;
QString g_chosenFile;

constexpr int kSize = 3403;

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString field(const QByteArray& record, const char16_t* name) {
    const auto& l = records::protocolLayout();
    return records::readField(record.constData(), l.field(l.indexOf(QStringView(name))));
}

records::Record protocolRecord(test::FieldValues values) {
    return test::makeRecord(records::protocolLayout(), values);
}

void writeArchive(const QString& path, const QList<records::Record>& records) {
    ASSERT_TRUE(test::writeRecords(path, records));
}

QString fixture(const QString& name, const QByteArray& bytes) {
    static QTemporaryDir sources;
    QFile f(sources.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return f.fileName();
}

template <typename T = QWidget> T* cardControl(const QString& name) {
    return child<T>(g_card, name);
}

QString cardText(const QString& name) {
    if (auto* edit = g_card->findChild<QLineEdit*>(name)) return edit->text();
    return cardControl<QLabel>(name)->text();
}

void setCardText(const QString& name, const QString& value) {
    cardControl<QLineEdit>(name)->setText(value);
}

SeenBox clickCard(const QString& name, const QString& answer = {}) {
    auto* button = cardControl<QAbstractButton>(name);
    return answerNextBox([button] { button->click(); }, answer);
}

void clickNoBox(QWidget* parent, const QString& name) {
    child<QAbstractButton>(parent, name)->click();
}

// Opens a year through the year menu, as the main menu's button does.
void openYear(const QString& year) {
    Screens::show(u"TfrmMenuProtocollo"_s);
    child<QLineEdit>(g_menu, u"txtAnnoPreventivi"_s)->setText(year);
    clickNoBox(g_menu, u"btnApriPreventivi"_s);
}

// Runs `body` on the dialog that `open` shows; a dialog the body leaves open is a failure
// and is closed, so one broken step never hangs the whole run.
void withDialog(const std::function<void()>& open, const std::function<void(QWidget*)>& body) {
    withNextModal(open, [body](QWidget* modal) {
        body(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible()) {
            ADD_FAILURE() << "dialog left open: " << modal->objectName().toStdString();
            dialog->reject();
        }
    });
}

// A double click on a list entry.
void doubleClickEntry(QListView* list, int row) {
    const QModelIndex entry = list->model()->index(row, 0);
    list->setCurrentIndex(entry);
    Q_EMIT list->doubleClicked(entry);
}

void closeCard() {
    clickNoBox(g_card, u"cmdEsci"_s);
}

void writeIni(const QByteArray& content) {
    QFile f(g_folder + u"Cartovia.ini"_s);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

// A fresh year for each test, so archives never leak between tests.
class Protocol : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(g_folder + u"Cartovia.ini"_s);
        QFile::remove(g_folder + u"2025.prt"_s);
        QFile::remove(g_folder + u"2024.prt"_s);
        QFile::remove(g_folder + u"Protocollo.xls"_s);
        QDir(g_folder + u"Documenti_Allegati"_s).removeRecursively();
        g_opened.clear();
        if (g_card->isVisible()) closeCard();
        g_mainMenu->hide();
    }
    QString archive() const { return g_folder + u"2025.prt"_s; }
};

// Fills the required fields and the mail type on a new card.
void fillRequired(const QString& category, const QString& subject,
                  const char16_t* type = u"optEntrata") {
    setCardText(u"txtCategoria"_s, category);
    setCardText(u"txtOggetto"_s, subject);
    cardControl<QRadioButton>(QString::fromUtf16(type))->setChecked(true);
}

} // namespace

TEST_F(Protocol, YearMenuProposesTheYearAndOpensTheArchive) {
    Screens::show(u"TfrmMenuProtocollo"_s);
    EXPECT_EQ(g_menu->windowTitle(), u" Tavolex - Protocollo Posta"_s);
    auto* year = child<QLineEdit>(g_menu, u"txtAnnoPreventivi"_s);
    EXPECT_EQ(year->text(), u"2025"_s);
    EXPECT_EQ(child<QLabel>(g_menu, u"lblMemory"_s)->text(), u"avvio"_s);
    EXPECT_EQ(year->maxLength(), 4);

    // Only digits reach the year field; Enter moves to "Apri".
    year->clear();
    year->setFocus();
    QTest::keyClicks(year, u"9a9 9"_s);
    EXPECT_EQ(year->text(), u"999"_s);
    SeenBox box = answerNextBox([] { clickNoBox(g_menu, u"btnApriPreventivi"_s); });
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.text, u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s);
    EXPECT_TRUE(g_menu->isVisible());
    EXPECT_FALSE(g_card->isVisible());
    // Pasted text with a folder separator is refused the same way.
    year->setText(u"../x"_s);
    box = answerNextBox([] { clickNoBox(g_menu, u"btnApriPreventivi"_s); });
    EXPECT_EQ(box.text, u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s);

    year->setText(u"0999"_s);
    clickNoBox(g_menu, u"btnApriPreventivi"_s);
    EXPECT_FALSE(g_menu->isVisible());
    ASSERT_TRUE(g_card->isVisible());
    EXPECT_FALSE(g_mainMenu->isVisible());
    EXPECT_EQ(g_card->windowTitle(), u" Tavolex - Protocollo Posta anno 0999"_s);
    EXPECT_EQ(cardText(u"lblFile"_s), g_folder + u"0999.prt"_s);
    // "Apri" neither opens nor creates the file; the first card action does.
    EXPECT_FALSE(QFile::exists(g_folder + u"0999.prt"_s));
    box = clickCard(u"cmdAvanti"_s);
    EXPECT_EQ(box.text, u"L'archivio non contiene nessuna scheda."_s);
    EXPECT_EQ(box.icon, QMessageBox::Information);
    ASSERT_TRUE(QFile::exists(g_folder + u"0999.prt"_s));
    EXPECT_EQ(QFileInfo(g_folder + u"0999.prt"_s).size(), 0);
    EXPECT_TRUE(cardText(u"lblPosizione"_s).isEmpty());

    // The card returns to the main menu, not to the year menu.
    closeCard();
    EXPECT_FALSE(g_card->isVisible());
    EXPECT_FALSE(g_menu->isVisible());
    EXPECT_TRUE(g_mainMenu->isVisible());
    QFile::remove(g_folder + u"0999.prt"_s);

    // Leaving the year menu by its exit picture returns to the main menu too.
    g_mainMenu->hide();
    Screens::show(u"TfrmMenuProtocollo"_s);
    clickNoBox(g_menu, u"imgEsci"_s);
    EXPECT_FALSE(g_menu->isVisible());
    EXPECT_TRUE(g_mainMenu->isVisible());
    EXPECT_FALSE(g_card->isVisible());
}

TEST_F(Protocol, NumberingScreenReadsAndWritesTheSettings) {
    openYear(u"2025"_s);
    auto openNumbering = [](const std::function<void(QWidget*)>& body) {
        withDialog([] { clickNoBox(g_card, u"cmdNumerazione"_s); }, body);
    };
    // No settings file: start 1, no suffix; "Annulla" writes nothing.
    openNumbering([](QWidget* screen) {
        EXPECT_EQ(screen->objectName(), u"TfrmNumerazione"_s);
        EXPECT_EQ(screen->windowTitle(), u" Impostazione inizio numerazione"_s);
        EXPECT_EQ(child<QLabel>(screen, u"lblMemory"_s)->text(), u"protocollo"_s);
        EXPECT_EQ(child<QLineEdit>(screen, u"txtInizio"_s)->text(), u"1"_s);
        EXPECT_FALSE(child<QCheckBox>(screen, u"chkTipo"_s)->isChecked());
        child<QLineEdit>(screen, u"txtInizio"_s)->setText(u"55"_s);
        clickNoBox(screen, u"btnAnnulla"_s);
    });
    EXPECT_FALSE(QFile::exists(g_folder + u"Cartovia.ini"_s));

    // Leaving the field normalises it; "Applica e chiudi" writes both keys.
    openNumbering([](QWidget* screen) {
        auto* inizio = child<QLineEdit>(screen, u"txtInizio"_s);
        EXPECT_TRUE(child<QWidget>(screen, u"effInizio"_s)->isVisible());
        inizio->setText(u"0100"_s);
        child<QCheckBox>(screen, u"chkTipo"_s)->setFocus();
        EXPECT_EQ(inizio->text(), u"100"_s);
        EXPECT_FALSE(child<QWidget>(screen, u"effInizio"_s)->isVisible());
        child<QCheckBox>(screen, u"chkTipo"_s)->setChecked(true);
        clickNoBox(screen, u"btnApplica"_s);
    });
    EXPECT_EQ(
        bytesOf(g_folder + u"Cartovia.ini"_s),
        QByteArray("[Numerazione Protocollo]\r\nInizio=100\r\nIndicazione Anno Solare=S\xEC\r\n"));

    // A hand-edited "si" is not the accented "Sì": the box stays clear.
    writeIni("[Numerazione Protocollo]\r\nInizio=\r\nIndicazione Anno Solare=si\r\n");
    openNumbering([](QWidget* screen) {
        EXPECT_EQ(child<QLineEdit>(screen, u"txtInizio"_s)->text(), u"1"_s);
        EXPECT_FALSE(child<QCheckBox>(screen, u"chkTipo"_s)->isChecked());
        // Typed start numbers keep only digits; a pasted decimal is rounded half up.
        auto* inizio = child<QLineEdit>(screen, u"txtInizio"_s);
        inizio->clear();
        QTest::keyClicks(inizio, u"1x2"_s);
        EXPECT_EQ(inizio->text(), u"12"_s);
        inizio->setText(u"12,5"_s);
        clickNoBox(screen, u"btnApplica"_s);
    });
    EXPECT_EQ(
        bytesOf(g_folder + u"Cartovia.ini"_s),
        QByteArray("[Numerazione Protocollo]\r\nInizio=13\r\nIndicazione Anno Solare=No\r\n"));

    // Without the protocol tag the screen neither reads nor writes.
    TfrmNumerazione untagged;
    withDialog([&] { untagged.exec(); },
               [](QWidget* screen) {
                   EXPECT_EQ(child<QLineEdit>(screen, u"txtInizio"_s)->text(), u"1"_s);
                   child<QLineEdit>(screen, u"txtInizio"_s)->setText(u"77"_s);
                   clickNoBox(screen, u"btnApplica"_s);
               });
    EXPECT_TRUE(bytesOf(g_folder + u"Cartovia.ini"_s).contains("Inizio=13"));
}

TEST_F(Protocol, NewProposesTheNextNumberAndTodaysDate) {
    openYear(u"2025"_s);
    EXPECT_EQ(cardControl<QLabel>(u"panInfo"_s)->text(),
              u"Pronto per archiviare una nuova scheda..."_s);
    ASSERT_TRUE(QTest::qWaitForWindowActive(g_card));
    EXPECT_EQ(cardText(u"txtDataReg"_s), u"15/03/2025"_s);
    EXPECT_TRUE(cardControl<QLineEdit>(u"txtDataReg"_s)->isReadOnly());
    EXPECT_TRUE(cardControl<QLineEdit>(u"txtCopia"_s)->isReadOnly());
    EXPECT_FALSE(cardControl<QPushButton>(u"btnApri"_s)->isEnabled());
    EXPECT_TRUE(cardControl<QWidget>(u"txtNumero"_s)->hasFocus());

    clickCard(u"cmdNuovo"_s);
    EXPECT_EQ(cardText(u"txtNumero"_s), u"1"_s);
    EXPECT_EQ(cardText(u"txtDataReg"_s), u"15/03/2025"_s);
    EXPECT_EQ(cardText(u"lblInizio"_s), u"1"_s);
    EXPECT_TRUE(cardControl<QWidget>(u"txtCategoria"_s)->hasFocus());
    EXPECT_TRUE(cardControl<QWidget>(u"effCategoria"_s)->isVisible());
    fillRequired(u"Fatture"_s, u"Fattura n. 12"_s);
    SeenBox box = clickCard(u"cmdSalva"_s);
    EXPECT_EQ(box.text, u"La scheda corrente \u00E8 stata inserita in archivio."_s);
    EXPECT_EQ(cardText(u"lblPosizione"_s), u"1"_s);

    // Twice without saving: the same number; the number counts records.
    clickCard(u"cmdNuovo"_s);
    EXPECT_EQ(cardText(u"txtNumero"_s), u"2"_s);
    EXPECT_TRUE(cardText(u"lblPosizione"_s).isEmpty());
    EXPECT_TRUE(cardText(u"txtCategoria"_s).isEmpty());
    EXPECT_TRUE(cardControl<QRadioButton>(u"optEntrata"_s)->isChecked() == false);
    clickCard(u"cmdNuovo"_s);
    EXPECT_EQ(cardText(u"txtNumero"_s), u"2"_s);

    // Start 100 with one record gives 101; the suffix is today's year, whatever archive is open.
    writeIni("[Numerazione Protocollo]\r\nInizio=100\r\nIndicazione Anno Solare=S\xEC\r\n");
    clickCard(u"cmdNuovo"_s);
    EXPECT_EQ(cardText(u"txtNumero"_s), u"101/2025"_s);
    EXPECT_EQ(cardText(u"lblSolare"_s), u"S\u00EC"_s);
    closeCard();
    openYear(u"2024"_s);
    clickCard(u"cmdNuovo"_s);
    EXPECT_EQ(cardText(u"txtNumero"_s), u"100/2025"_s);
    EXPECT_EQ(QFileInfo(g_folder + u"2024.prt"_s).size(), 0);

    // A start number that is not an integer: "Nuovo" fails as a whole, the card keeps
    // what it showed.
    setCardText(u"txtOggetto"_s, u"da tenere"_s);
    writeIni("[Numerazione Protocollo]\r\nInizio=dieci\r\n");
    box = clickCard(u"cmdNuovo"_s);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.text, msg::archiveAccessErrorText());
    EXPECT_EQ(cardText(u"txtNumero"_s), u"100/2025"_s);
    EXPECT_EQ(cardText(u"txtOggetto"_s), u"da tenere"_s);

    // An archive that cannot be opened leaves the card as it was.
    setCardText(u"txtOggetto"_s, u"resta"_s);
    QFile::remove(g_folder + u"2024.prt"_s);
    QDir(g_folder).mkdir(u"2024.prt"_s);
    box = clickCard(u"cmdNuovo"_s);
    EXPECT_EQ(box.text, msg::archiveAccessErrorText());
    EXPECT_EQ(cardText(u"txtOggetto"_s), u"resta"_s);
    QDir(g_folder).rmdir(u"2024.prt"_s);

    // A named pipe in place of the settings file: the access error at once, no number.
    QFile::remove(g_folder + u"Cartovia.ini"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(g_folder + u"Cartovia.ini"_s).constData(), 0600), 0);
    box = clickCard(u"cmdNuovo"_s);
    EXPECT_EQ(box.text, msg::archiveAccessErrorText());
    EXPECT_EQ(cardText(u"txtOggetto"_s), u"resta"_s);
    QFile::remove(g_folder + u"Cartovia.ini"_s);
}

TEST_F(Protocol, SaveChecksComeInOrderAndTheRecordIsByteExact) {
    openYear(u"2025"_s);
    ASSERT_TRUE(QTest::qWaitForWindowActive(g_card));
    clickCard(u"cmdNuovo"_s);
    setCardText(u"txtNumero"_s, u"  "_s);
    struct Step {
        const char16_t* fix; // control filled before the next save
        QString value;
        QString warning;
        const char16_t* focus;
    };
    const Step steps[] = {
        {u"txtNumero", u" 17/bis "_s,
         u"Attenzione: per salvare la scheda \u00E8 necessario indicare il numero di protocollo del documento."_s,
         u"txtNumero"},
        {nullptr,
         {},
         u"Attenzione: per salvare la scheda \u00E8 necessario indicare la data di registrazione del documento."_s,
         u"txtDataReg"},
        {u"txtCategoria", u"Contratti"_s,
         u"Attenzione: per salvare la scheda \u00E8 necessario indicare la categoria del documento."_s,
         u"txtCategoria"},
        {u"txtOggetto", u"Contratto di locazione via Roma"_s,
         u"Attenzione: per salvare la scheda \u00E8 necessario indicare l'oggetto del documento."_s,
         u"txtOggetto"},
        {nullptr,
         {},
         u"Attenzione: per salvare la scheda \u00E8 necessario indicare la tipologia di posta (in "
         u"entrata, in "
         u"uscita o interna)."_s,
         u"optEntrata"},
    };
    // Backspace in the registration date empties it without opening the calendar.
    auto* dataReg = cardControl<QLineEdit>(u"txtDataReg"_s);
    for (const Step& step : steps) {
        const SeenBox box = clickCard(u"cmdSalva"_s);
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        EXPECT_EQ(box.text, step.warning);
        EXPECT_EQ(g_card->focusWidget(), cardControl<QWidget>(QString::fromUtf16(step.focus)))
            << box.text.toStdString();
        EXPECT_EQ(bytesOf(archive()).size(), 0);
        if (step.fix) setCardText(QString::fromUtf16(step.fix), step.value);
        if (QStringView(step.focus) == u"txtNumero") {
            dataReg->setFocus();
            QTest::keyClick(dataReg, Qt::Key_Backspace);
            EXPECT_TRUE(dataReg->text().isEmpty());
        }
        if (QStringView(step.focus) == u"txtDataReg") {
            // Any other key opens the date import screen, which writes into the field.
            withDialog([dataReg] { QTest::keyClick(dataReg, Qt::Key_A); },
                       [](QWidget* calendar) {
                           EXPECT_EQ(calendar->objectName(), u"TfrmCalendario"_s);
                           child<QCalendarWidget>(calendar, u"calAppuntamenti"_s)
                               ->setSelectedDate(QDate(2025, 3, 5));
                           clickNoBox(calendar, u"btnImportaData"_s);
                       });
            EXPECT_EQ(dataReg->text(), u"05/03/2025"_s);
        }
    }
    cardControl<QRadioButton>(u"optUscita"_s)->setChecked(true);
    setCardText(u"txtMittente"_s, u"Studio Verdi"_s);
    setCardText(u"txtNote"_s, u"Citt\u00E0 "_s);
    cardControl<QLabel>(u"lblFile02"_s)->setText(u"planimetria.pdf"_s);
    cardControl<QLabel>(u"lblDesc02"_s)->setText(QString(300, u'd'));
    SeenBox box = clickCard(u"cmdSalva"_s);
    EXPECT_EQ(box.icon, QMessageBox::Information);
    EXPECT_EQ(box.text, u"La scheda corrente \u00E8 stata inserita in archivio."_s);
    EXPECT_EQ(cardText(u"lblPosizione"_s), u"1"_s);
    QByteArray bytes = bytesOf(archive());
    ASSERT_EQ(bytes.size(), kSize);
    EXPECT_EQ(bytes.mid(0, 7), QByteArray("\x06"
                                          "17/bis"));
    EXPECT_EQ(bytes.mid(17, 10), QByteArray("\x09"
                                            "In uscita"));
    EXPECT_EQ(bytes.mid(38, 11), QByteArray("\x0a"
                                            "05/03/2025"));
    EXPECT_EQ(field(bytes, u"Categoria"), u"Contratti"_s);
    EXPECT_EQ(bytes.mid(911, 6), QByteArray("\x05"
                                            "Citt\xE0",
                                            6));
    EXPECT_EQ(field(bytes, u"Mittente"), u"Studio Verdi"_s);
    EXPECT_EQ(field(bytes, u"File02"), u"planimetria.pdf"_s);
    EXPECT_EQ(field(bytes, u"Desc02"), QString(250, u'd'));

    // Saving again overwrites in place; the number typed by hand is not recomputed.
    setCardText(u"txtOggetto"_s, u"Contratto di locazione via Roma 2"_s);
    box = clickCard(u"cmdSalva"_s);
    EXPECT_EQ(box.text,
              u"Le modifiche apportate alla scheda corrente sono state salvate in archivio."_s);
    bytes = bytesOf(archive());
    ASSERT_EQ(bytes.size(), kSize);
    EXPECT_EQ(field(bytes, u"Oggetto"), u"Contratto di locazione via Roma 2"_s);
    EXPECT_EQ(field(bytes, u"Numero"), u"17/bis"_s);
    // The next automatic number still counts records.
    clickCard(u"cmdNuovo"_s);
    EXPECT_EQ(cardText(u"txtNumero"_s), u"2"_s);
}

TEST_F(Protocol, NavigationLoadsTypeAndAttachmentsAndOverwrites) {
    writeArchive(archive(), {
                                protocolRecord({{u"Numero", u"1"_s},
                                                {u"Tipo", u"In entrata"_s},
                                                {u"Ufficio", u"Protocollo"_s},
                                                {u"File01", u"a.pdf"_s},
                                                {u"Desc01", u"prima"_s}}),
                                protocolRecord({{u"Numero", u"2"_s},
                                                {u"Tipo", u"Raccomandata"_s},
                                                {u"DataReg", u"02/01/2025"_s},
                                                {u"Categoria", u"Varie"_s},
                                                {u"Oggetto", u"Avviso"_s}}),
                                protocolRecord({{u"Numero", u"3"_s},
                                                {u"Tipo", u"Interna"_s},
                                                {u"Copia", u"scansione.pdf"_s}}),
                            });
    openYear(u"2025"_s);
    clickCard(u"cmdPrimo"_s);
    EXPECT_EQ(cardText(u"lblPosizione"_s), u"1"_s);
    EXPECT_TRUE(cardControl<QRadioButton>(u"optEntrata"_s)->isChecked());
    EXPECT_EQ(cardText(u"lblFile01"_s), u"a.pdf"_s);
    EXPECT_EQ(cardText(u"lblDesc01"_s), u"prima"_s);
    EXPECT_EQ(cardText(u"txtUfficio"_s), u"Protocollo"_s);
    // A type that is none of the three captions leaves the buttons as they were.
    clickCard(u"cmdAvanti"_s);
    EXPECT_EQ(cardText(u"txtNumero"_s), u"2"_s);
    EXPECT_TRUE(cardControl<QRadioButton>(u"optEntrata"_s)->isChecked());
    clickCard(u"cmdUltimo"_s);
    EXPECT_EQ(cardText(u"lblPosizione"_s), u"3"_s);
    EXPECT_TRUE(cardControl<QRadioButton>(u"optInterna"_s)->isChecked());
    EXPECT_FALSE(cardControl<QRadioButton>(u"optEntrata"_s)->isChecked());
    EXPECT_EQ(cardText(u"txtCopia"_s), u"scansione.pdf"_s);
    EXPECT_TRUE(cardControl<QPushButton>(u"btnApri"_s)->isEnabled());
    clickCard(u"cmdIndietro"_s);
    EXPECT_EQ(cardText(u"lblPosizione"_s), u"2"_s);
    // Overwriting record 2 keeps the count and the neighbours.
    const QByteArray before = bytesOf(archive());
    cardControl<QRadioButton>(u"optUscita"_s)->setChecked(true);
    setCardText(u"txtOggetto"_s, u"Avviso corretto"_s);
    clickCard(u"cmdSalva"_s);
    const QByteArray after = bytesOf(archive());
    ASSERT_EQ(after.size(), 3 * kSize);
    EXPECT_EQ(after.left(kSize), before.left(kSize));
    EXPECT_EQ(after.mid(2 * kSize), before.mid(2 * kSize));
    EXPECT_EQ(field(after.mid(kSize), u"Tipo"), u"In uscita"_s);
    EXPECT_EQ(field(after.mid(kSize), u"Oggetto"), u"Avviso corretto"_s);
}

TEST_F(Protocol, OfficeAndOperatorAreRemembered) {
    openYear(u"2025"_s);
    setCardText(u"txtUfficio"_s, u"  Segreteria "_s);
    setCardText(u"txtOperatore"_s, u"Anna"_s);
    clickCard(u"cmdNuovo"_s);
    EXPECT_EQ(cardText(u"txtUfficio"_s), u"  Segreteria "_s); // New keeps them
    g_card->close(); // the window's close box: nothing saved, still remembered
    EXPECT_TRUE(g_mainMenu->isVisible());
    EXPECT_TRUE(
        bytesOf(g_folder + u"Cartovia.ini"_s)
            .contains("[Protocollo Documenti]\r\nUfficio=Segreteria\r\nOperatore=Anna\r\n"));
    EXPECT_EQ(bytesOf(archive()).size(), 0);
    setCardText(u"txtUfficio"_s, u"altro"_s);
    openYear(u"2025"_s);
    EXPECT_EQ(cardText(u"txtUfficio"_s), u"Segreteria"_s);
    EXPECT_EQ(cardText(u"txtOperatore"_s), u"Anna"_s);
}

TEST_F(Protocol, DigitalCopyIsCopiedOpenedAndCleared) {
    openYear(u"2025"_s);
    const QString first = fixture(u"lettera.pdf"_s, "prima");
    g_chosenFile = first;
    clickNoBox(g_card, u"btnSfoglia"_s);
    EXPECT_EQ(cardText(u"txtCopia"_s), u"lettera.pdf"_s);
    const QString copy = g_folder + u"Documenti_Allegati/lettera.pdf"_s;
    EXPECT_EQ(bytesOf(copy), QByteArray("prima"));
    ASSERT_TRUE(cardControl<QPushButton>(u"btnApri"_s)->isEnabled());
    clickNoBox(g_card, u"btnApri"_s);
    EXPECT_EQ(g_opened, QStringList{u'"' + copy + u'"'});

    // Same name again: No keeps the older copy, the name stays.
    g_chosenFile = fixture(u"lettera.pdf"_s, "seconda");
    setCardText(u"txtCopia"_s, {});
    SeenBox box = clickCard(u"btnSfoglia"_s, u"No"_s);
    EXPECT_EQ(box.icon, QMessageBox::Question);
    EXPECT_EQ(box.text, TfrmAllegaCartella::overwriteQuestion());
    EXPECT_EQ(cardText(u"txtCopia"_s), u"lettera.pdf"_s);
    EXPECT_EQ(bytesOf(copy), QByteArray("prima"));
    box = clickCard(u"btnSfoglia"_s, u"S\u00EC"_s);
    EXPECT_EQ(bytesOf(copy), QByteArray("seconda"));

    // Cancelling the file dialog changes nothing.
    g_chosenFile.clear();
    clickNoBox(g_card, u"btnSfoglia"_s);
    EXPECT_EQ(cardText(u"txtCopia"_s), u"lettera.pdf"_s);

    // Clearing empties the field and disables "Apri"; the copy stays.
    clickNoBox(g_card, u"imgCancella01"_s);
    EXPECT_TRUE(cardText(u"txtCopia"_s).isEmpty());
    EXPECT_FALSE(cardControl<QPushButton>(u"btnApri"_s)->isEnabled());
    EXPECT_TRUE(QFile::exists(copy));
}

TEST_F(Protocol, FurtherAttachmentsComeBackFromTheAttachmentScreen) {
    openYear(u"2025"_s);
    cardControl<QLabel>(u"lblFile01"_s)->setText(u" a.pdf "_s);
    cardControl<QLabel>(u"lblDesc01"_s)->setText(u"prima"_s);
    withDialog([] { clickNoBox(g_card, u"cmdFile"_s); },
               [](QWidget* screen) {
                   EXPECT_EQ(screen->objectName(), u"TfrmAllegaCartella"_s);
                   EXPECT_EQ(child<QLabel>(screen, u"lblMemory"_s)->text(), u"protocollo"_s);
                   EXPECT_EQ(child<QLineEdit>(screen, u"txtFile01"_s)->text(), u"a.pdf"_s);
                   child<QLineEdit>(screen, u"txtDesc03"_s)->setText(u" terza "_s);
                   clickNoBox(screen, u"btnApplica"_s);
               });
    EXPECT_EQ(cardText(u"lblFile01"_s), u"a.pdf"_s);
    EXPECT_EQ(cardText(u"lblDesc03"_s), u"terza"_s);
    withDialog([] { clickNoBox(g_card, u"cmdFile"_s); },
               [](QWidget* screen) {
                   child<QLineEdit>(screen, u"txtDesc01"_s)->setText(u"cambiata"_s);
                   clickNoBox(screen, u"btnAnnulla"_s);
               });
    EXPECT_EQ(cardText(u"lblDesc01"_s), u"prima"_s);
}

TEST_F(Protocol, SearchListsLoadsAndFeedsASave) {
    writeArchive(archive(), {
                                protocolRecord({{u"Numero", u"1"_s},
                                                {u"Tipo", u"In entrata"_s},
                                                {u"DataReg", u"03/03/2025"_s},
                                                {u"Mittente", u"ROSSI Mario"_s},
                                                {u"Oggetto", u"Fattura"_s}}),
                                protocolRecord({{u"Numero", u"2"_s},
                                                {u"Tipo", u"In uscita"_s},
                                                {u"DataReg", u"10/03/2025"_s},
                                                {u"Mittente", u"Studio Rossi"_s},
                                                {u"Oggetto", u"Lettera"_s},
                                                {u"Destinatario", u"Comune"_s}}),
                                protocolRecord({{u"Numero", u"3"_s},
                                                {u"Tipo", u"In uscita"_s},
                                                {u"DataReg", u"01/04/2025"_s},
                                                {u"Mittente", u"Bianchi"_s},
                                                {u"Oggetto", u"Lettera"_s}}),
                            });
    openYear(u"2025"_s);
    QStringList listed;
    QString count;
    withDialog([] { clickNoBox(g_card, u"cmdTrova"_s); },
               [&](QWidget* screen) {
                   EXPECT_EQ(screen->objectName(), u"TfrmTrovaProtocollo"_s);
                   EXPECT_EQ(screen->windowTitle(), u" Trova documenti protocollati"_s);
                   EXPECT_EQ(child<QLabel>(screen, u"lblMemory"_s)->text(), u"protocollo"_s);
                   EXPECT_TRUE(child<QWidget>(screen, u"panAvvio"_s)->isVisible());
                   EXPECT_FALSE(child<QWidget>(screen, u"panContainer"_s)->isVisible());
                   // Enter runs through the filters and wraps from the notes.
                   auto* note = child<QLineEdit>(screen, u"txtNote"_s);
                   note->setFocus();
                   QTest::keyClick(note, Qt::Key_Return);
                   EXPECT_EQ(screen->focusWidget(), child<QWidget>(screen, u"txtNumero"_s));
                   child<QLineEdit>(screen, u"txtTipologia"_s)->setText(u"in uscita"_s);
                   child<QLineEdit>(screen, u"txtMittente"_s)->setText(u"rossi"_s);
                   clickNoBox(screen, u"btnCerca"_s);
                   EXPECT_FALSE(child<QWidget>(screen, u"panAvvio"_s)->isVisible());
                   EXPECT_TRUE(child<QWidget>(screen, u"panContainer"_s)->isVisible());
                   EXPECT_EQ(screen->focusWidget(), child<QWidget>(screen, u"txtTrova"_s));
                   count = child<QLabel>(screen, u"lblTrovate"_s)->text();
                   auto* list = child<QListView>(screen, u"lstRecords"_s);
                   for (int i = 0; i < list->model()->rowCount(); ++i)
                       listed << list->model()->index(i, 0).data().toString();
                   // A double click loads the entry and closes the search.
                   doubleClickEntry(list, 0);
               });
    EXPECT_EQ(count, u"Il presente riepilogo contiene 1 schede."_s);
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed[0],
              u"Prot. n. 2               Data: 10/03/2025  Posta: In uscita   Lettera"_s +
                  QString(28, u' ') + u"  Da: Studio Rossi              A: Comune"_s);
    EXPECT_EQ(cardText(u"lblPosizione"_s), u"2"_s);
    EXPECT_EQ(cardText(u"txtOggetto"_s), u"Lettera"_s);
    EXPECT_TRUE(cardControl<QRadioButton>(u"optUscita"_s)->isChecked());
    // The following save overwrites the loaded record.
    setCardText(u"txtCategoria"_s, u"Corrispondenza"_s);
    clickCard(u"cmdSalva"_s);
    const QByteArray bytes = bytesOf(archive());
    ASSERT_EQ(bytes.size(), 3 * kSize);
    EXPECT_EQ(field(bytes.mid(kSize), u"Categoria"), u"Corrispondenza"_s);

    // All filters empty list every record; an unreadable archive gives the access error
    // as a plain message and the filter panel stays.
    withDialog([] { clickNoBox(g_card, u"cmdTrova"_s); },
               [&](QWidget* screen) {
                   clickNoBox(screen, u"btnCerca"_s);
                   count = child<QLabel>(screen, u"lblTrovate"_s)->text();
                   clickNoBox(screen, u"btnChiudi"_s);
               });
    EXPECT_EQ(count, u"Il presente riepilogo contiene 3 schede."_s);
    EXPECT_EQ(cardText(u"lblPosizione"_s), u"2"_s);
    QFile::remove(archive());
    QDir(g_folder).mkdir(u"2025.prt"_s);
    SeenBox box;
    withDialog([] { clickNoBox(g_card, u"cmdTrova"_s); },
               [&](QWidget* screen) {
                   box = answerNextBox([screen] { clickNoBox(screen, u"btnCerca"_s); });
                   EXPECT_TRUE(child<QWidget>(screen, u"panAvvio"_s)->isVisible());
                   clickNoBox(screen, u"btnAnnulla"_s);
               });
    QDir(g_folder).rmdir(u"2025.prt"_s);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.text, msg::archiveAccessErrorText());
}

TEST_F(Protocol, PeriodSummaryChecksListsAndExports) {
    writeArchive(archive(),
                 {
                     protocolRecord({{u"Numero", u"1"_s}, {u"DataReg", u"31/01/2025"_s}}),
                     protocolRecord({{u"Numero", u"2"_s},
                                     {u"DataReg", u"01/02/2025"_s},
                                     {u"Tipo", u"Interna"_s},
                                     {u"Note", u"  a<b & c "_s}}),
                     protocolRecord({{u"Numero", u"3"_s}, {u"DataReg", u"28/02/2025"_s}}),
                     protocolRecord({{u"Numero", u"4"_s}, {u"DataReg", u"01/03/2025"_s}}),
                 });
    openYear(u"2025"_s);
    QList<SeenBox> boxes;
    QByteArray headerOnly;
    QStringList firstColumn;
    withDialog(
        [] { clickNoBox(g_card, u"cmdRiepilogo"_s); },
        [&](QWidget* screen) {
            EXPECT_EQ(screen->windowTitle(), u" Riepilogo protocollo per intervallo di tempo"_s);
            auto* start = child<QLineEdit>(screen, u"txtDataInizio"_s);
            auto* end = child<QLineEdit>(screen, u"txtDataFine"_s);
            EXPECT_TRUE(start->text().isEmpty());
            EXPECT_EQ(end->text(), u"15/03/2025"_s);
            EXPECT_EQ(child<QLabel>(screen, u"panInfo"_s)->text(),
                      u"Riepilogo documenti protocollati in un intervallo di tempo."_s);
            QAbstractItemModel* grid = child<QTableView>(screen, u"grdRecords"_s)->model();
            EXPECT_EQ(grid->columnCount(), 19);
            EXPECT_EQ(grid->rowCount(), 0);
            auto trova = [&] {
                boxes << answerNextBox([screen] { clickNoBox(screen, u"cmdTrova"_s); });
            };
            // Exporting before any listing writes the header row only.
            answerBoxes([screen] { clickNoBox(screen, u"cmdEsporta"_s); }, {u"S\u00EC"_s, u"No"_s});
            headerOnly = bytesOf(g_folder + u"Protocollo.xls"_s);
            trova();
            end->clear();
            start->setText(u"01/02/2025"_s);
            trova();
            end->setText(u"28/02/2025"_s);
            start->setText(u"31/02/2025"_s);
            trova();
            start->setText(u"01/02/2025"_s);
            end->setText(u"29/02/2025"_s);
            trova();
            start->setText(u"02/03/2025"_s);
            end->setText(u"01/03/2025"_s);
            trova();
            EXPECT_EQ(grid->rowCount(), 0); // the reversed interval lists nothing
            start->setText(u"01/02/2025"_s);
            end->setText(u"28/02/2025"_s);
            clickNoBox(screen, u"cmdTrova"_s);
            for (int r = 0; r < grid->rowCount(); ++r)
                firstColumn << grid->index(r, 0).data().toString() + u':' +
                                   grid->index(r, 1).data().toString();
            // Export: Yes to write, No to opening the file.
            const QList<SeenBox> exportBoxes = answerBoxes(
                [screen] { clickNoBox(screen, u"cmdEsporta"_s); }, {u"S\u00EC"_s, u"No"_s});
            ASSERT_EQ(exportBoxes.size(), 2);
            EXPECT_EQ(exportBoxes[0].text, QString::fromUtf16(exporting::kAskExport));
            EXPECT_EQ(exportBoxes[0].icon, QMessageBox::Question);
            EXPECT_EQ(exportBoxes[1].text, QString::fromUtf16(exporting::kAskOpenExport));
            clickNoBox(screen, u"cmdEsci"_s);
        });
    ASSERT_GE(boxes.size(), 5);
    EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
    EXPECT_EQ(
        boxes[0].text,
        u"Attenzione: per visualizzare il riepilogo \u00E8 necessario indicare la data di inizio "
        u"intervallo."_s);
    EXPECT_EQ(
        boxes[1].text,
        u"Attenzione: per visualizzare il riepilogo \u00E8 necessario indicare la data di fine "
        u"intervallo."_s);
    EXPECT_EQ(boxes[2].icon, QMessageBox::NoIcon);
    EXPECT_EQ(boxes[2].text,
              u"Attenzione: la data 31/02/2025 di inizio intervallo non esiste.\n\r\n\rPer poter "
              u"visualizzare il riepilogo \u00E8 necessario indicare una data valida."_s);
    EXPECT_TRUE(boxes[3].text.startsWith(
        u"Attenzione: la data 29/02/2025 di fine intervallo non esiste."_s));
    EXPECT_TRUE(boxes[4].text.startsWith(
        u"Attenzione: la data di fine intervallo (01/03/2025) non pu\u00F2 "_s));
    EXPECT_EQ(firstColumn, (QStringList{u"1:2"_s, u"2:3"_s}));

    const QList<exporting::SheetColumn> columns = protocol::sheetColumns();
    EXPECT_EQ(headerOnly, exporting::spreadsheetBytes(u"Protocollo Documenti"_s, columns,
                                                      QList<QStringList>{}));
    QStringList second(18);
    second[0] = u"2"_s;
    second[1] = u"Interna"_s;
    second[2] = u"01/02/2025"_s;
    second[13] = u"a<b & c"_s;
    QStringList third(18);
    third[0] = u"3"_s;
    third[2] = u"28/02/2025"_s;
    const QByteArray exported = bytesOf(g_folder + u"Protocollo.xls"_s);
    EXPECT_EQ(exported,
              exporting::spreadsheetBytes(u"Protocollo Documenti"_s, columns, {second, third}));
    EXPECT_TRUE(exported.contains("<x:Name>Protocollo Documenti</x:Name>"));
    EXPECT_TRUE(exported.contains("width=200>N. protocollo</td>"));
    EXPECT_FALSE(exported.contains('\n'));
    EXPECT_TRUE(g_opened.isEmpty());
}

TEST_F(Protocol, ExportScreenShowsTheWholeArchiveAndReportsFailures) {
    writeArchive(archive(), {protocolRecord({{u"Numero", u"1"_s}, {u"Oggetto", u" Primo "_s}}),
                             protocolRecord({{u"Numero", u"2"_s}, {u"Copia", u"x.pdf"_s}})});
    openYear(u"2025"_s);
    SeenBox failure;
    withDialog([] { clickNoBox(g_card, u"cmdEsporta"_s); },
               [&](QWidget* screen) {
                   EXPECT_EQ(screen->windowTitle(),
                             u" Esporta protocollo posta in Microsoft Excel"_s);
                   EXPECT_EQ(child<QLabel>(screen, u"panInfo"_s)->text(),
                             u"Esportazione archivio in Microsoft Excel."_s);
                   QAbstractItemModel* grid = child<QTableView>(screen, u"grdRecords"_s)->model();
                   ASSERT_EQ(grid->rowCount(), 2);
                   EXPECT_EQ(grid->index(1, 0).data().toString(), u"2"_s);
                   EXPECT_EQ(grid->index(0, 8).data().toString(), u"Primo"_s);
                   // No to the first question writes nothing.
                   answerNextBox([screen] { clickNoBox(screen, u"cmdEsporta"_s); }, u"No"_s);
                   EXPECT_FALSE(QFile::exists(g_folder + u"Protocollo.xls"_s));
                   // Yes, then Yes to opening: the path goes to the desktop in double quotes.
                   answerBoxes([screen] { clickNoBox(screen, u"cmdEsporta"_s); },
                               {u"S\u00EC"_s, u"S\u00EC"_s});
                   // A file that cannot be replaced gives the export error.
                   QFile::remove(g_folder + u"Protocollo.xls"_s);
                   QDir(g_folder).mkdir(u"Protocollo.xls"_s);
                   const QList<SeenBox> failed = answerBoxes(
                       [screen] { clickNoBox(screen, u"cmdEsporta"_s); }, {u"S\u00EC"_s, u"OK"_s});
                   ASSERT_EQ(failed.size(), 2);
                   failure = failed[1];
                   QDir(g_folder).rmdir(u"Protocollo.xls"_s);
                   clickNoBox(screen, u"cmdEsci"_s);
               });
    EXPECT_EQ(g_opened, QStringList{u"\""_s + g_folder + u"Protocollo.xls\""_s});
    EXPECT_EQ(failure.icon, QMessageBox::NoIcon);
    EXPECT_EQ(failure.text, QString::fromUtf16(exporting::kExportFailed));
}

// Settings that cannot be stored are reported, never taken as applied.
TEST_F(Protocol, SettingsThatCannotBeWrittenAreReported) {
    openYear(u"2025"_s);
    QFile::remove(g_folder + u"Cartovia.ini"_s);
    ASSERT_TRUE(QDir(g_folder).mkdir(u"Cartovia.ini"_s)); // a folder in the file's place
    bool stayedOpen = false;
    SeenBox box;
    withDialog([] { clickNoBox(g_card, u"cmdNumerazione"_s); },
               [&](QWidget* screen) {
                   child<QLineEdit>(screen, u"txtInizio"_s)->setText(u"40"_s);
                   box = answerNextBox([screen] { clickNoBox(screen, u"btnApplica"_s); });
                   stayedOpen = screen->isVisible();
                   clickNoBox(screen, u"btnAnnulla"_s);
               });
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.text, msg::archiveAccessErrorText());
    EXPECT_TRUE(stayedOpen);

    // Closing the card reports the office and operator it could not remember, and closes.
    setCardText(u"txtUfficio"_s, u"Segreteria"_s);
    box = answerNextBox([] { closeCard(); });
    EXPECT_EQ(box.text, msg::archiveAccessErrorText());
    EXPECT_FALSE(g_card->isVisible());
    EXPECT_TRUE(g_mainMenu->isVisible());
    EXPECT_TRUE(QDir(g_folder).rmdir(u"Cartovia.ini"_s));
}

// An export screen that could not read its archive must not replace an earlier export
// with an empty table and call it a success.
TEST_F(Protocol, ExportAfterAnUnreadableArchiveKeepsTheEarlierFile) {
    openYear(u"2025"_s);
    const QString xls = g_folder + u"Protocollo.xls"_s;
    {
        QFile earlier(xls);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier export");
    }
    QFile::remove(archive());
    ASSERT_TRUE(QDir(g_folder).mkdir(u"2025.prt"_s)); // cannot be opened as an archive
    QList<SeenBox> seen;
    withDialog([] { clickNoBox(g_card, u"cmdEsporta"_s); },
               [&](QWidget* screen) {
                   seen = answerBoxes([screen] { clickNoBox(screen, u"cmdEsporta"_s); },
                                      {u"S\u00EC"_s, u"OK"_s});
                   clickNoBox(screen, u"cmdEsci"_s);
               });
    QDir(g_folder).rmdir(u"2025.prt"_s);
    ASSERT_EQ(seen.size(), 2);
    // The cause named is the archive, not the spreadsheet file.
    EXPECT_EQ(seen[1].text, ui::msg::archiveAccessErrorText());
    EXPECT_EQ(bytesOf(xls), QByteArray("earlier export"));
    EXPECT_TRUE(g_opened.isEmpty());
}

TEST_F(Protocol, PrintTakesTheCardAsShown) {
    openYear(u"2025"_s);
    clickCard(u"cmdNuovo"_s);
    setCardText(u"txtFormato"_s, u" A4 "_s);
    setCardText(u"txtPagine"_s, u"3"_s);
    setCardText(u"txtRecapitoDes"_s, u"Via Po 1"_s);
    report::CardReport printed;
    withDialog([] { clickNoBox(g_card, u"cmdStampa"_s); },
               [&](QWidget* screen) {
                   EXPECT_EQ(screen->objectName(), u"TfrmStampaProtocollo"_s);
                   EXPECT_EQ(screen->windowTitle(), u" Stampa scheda"_s);
                   printed = static_cast<TfrmStampaProtocollo*>(screen)->cardReport();
                   clickNoBox(screen, u"btnAnnulla"_s);
               });
    EXPECT_EQ(printed.title, u"SCHEDA PROTOCOLLO DOCUMENTO"_s);
    ASSERT_EQ(printed.rows.size(), 16);
    EXPECT_EQ(printed.rows[0].label, u"Protocollo n."_s);
    EXPECT_EQ(printed.rows[0].value, u"1"_s);
    EXPECT_EQ(printed.rows[1].value, u"15/03/2025"_s);
    EXPECT_EQ(printed.rows[9].value, u"A4  -  N. pagine: 3"_s);
    EXPECT_EQ(printed.rows[14].label, u"Recapito destinatario:"_s);
    EXPECT_EQ(printed.rows[14].value, u"Via Po 1"_s);
    EXPECT_EQ(printed.rows[15].label, u"Note:"_s);
    EXPECT_TRUE(printed.footer.startsWith(u"Stampa eseguita in data 15/03/2025 alle ore "_s));
}

// The typical event: an incoming letter is protocolled, attached, saved, found again
// and loaded back into the card.
TEST_F(Protocol, IncomingLetterRoundTrip) {
    writeIni("[Protocollo Documenti]\r\nUfficio=Segreteria\r\nOperatore=Luca\r\n");
    Screens::show(u"TfrmMenuProtocollo"_s);
    clickNoBox(g_menu, u"btnApriPreventivi"_s);
    ASSERT_TRUE(g_card->isVisible());
    EXPECT_EQ(g_card->windowTitle(), u" Tavolex - Protocollo Posta anno 2025"_s);
    EXPECT_EQ(cardText(u"txtUfficio"_s), u"Segreteria"_s);
    clickCard(u"cmdNuovo"_s);
    EXPECT_EQ(cardText(u"txtNumero"_s), u"1"_s);
    cardControl<QRadioButton>(u"optEntrata"_s)->setChecked(true);
    setCardText(u"txtCategoria"_s, u"Tributi"_s);
    setCardText(u"txtOggetto"_s, u"Avviso di pagamento TARI"_s);
    setCardText(u"txtMittente"_s, u"Comune di Bologna"_s);
    setCardText(u"txtDataSpe"_s, u"10/03/2025"_s);
    g_chosenFile = fixture(u"tari.pdf"_s, "%PDF-1.4 scansione");
    clickNoBox(g_card, u"btnSfoglia"_s);
    SeenBox box = clickCard(u"cmdSalva"_s);
    EXPECT_EQ(box.text, u"La scheda corrente \u00E8 stata inserita in archivio."_s);
    const QByteArray saved = bytesOf(archive());
    ASSERT_EQ(saved.size(), kSize);
    EXPECT_EQ(field(saved, u"Copia"), u"tari.pdf"_s);
    EXPECT_EQ(field(saved, u"Operatore"), u"Luca"_s);
    EXPECT_EQ(bytesOf(g_folder + u"Documenti_Allegati/tari.pdf"_s),
              QByteArray("%PDF-1.4 scansione"));

    // Later: a new card, then the letter found by its sender and loaded back.
    clickCard(u"cmdNuovo"_s);
    EXPECT_TRUE(cardText(u"txtCopia"_s).isEmpty());
    withDialog([] { clickNoBox(g_card, u"cmdTrova"_s); },
               [](QWidget* screen) {
                   child<QLineEdit>(screen, u"txtMittente"_s)->setText(u"bologna"_s);
                   clickNoBox(screen, u"btnCerca"_s);
                   auto* list = child<QListView>(screen, u"lstRecords"_s);
                   ASSERT_EQ(list->model()->rowCount(), 1);
                   doubleClickEntry(list, 0);
               });
    EXPECT_EQ(cardText(u"lblPosizione"_s), u"1"_s);
    EXPECT_EQ(cardText(u"txtOggetto"_s), u"Avviso di pagamento TARI"_s);
    EXPECT_EQ(cardText(u"txtCopia"_s), u"tari.pdf"_s);
    EXPECT_TRUE(cardControl<QRadioButton>(u"optEntrata"_s)->isChecked());
    clickNoBox(g_card, u"btnApri"_s);
    EXPECT_EQ(g_opened, QStringList{u'"' + g_folder + u"Documenti_Allegati/tari.pdf\""_s});
}

// The protocol application with a stand-in main menu, a fixed day and recorded openings.
class ProtocolApplication : public ::testing::Environment {
public:
    void SetUp() override {
        g_folder = makeProgramFolder();
        Clock::setNow([] { return QDateTime(QDate(2025, 3, 15), QTime(10, 30, 0)); });
        TMisc::setOpener([](const QString& command, const QUrl&) { g_opened << command; });
        FileChooser::setHook([](QWidget*) { return g_chosenFile; });
        g_mainMenu = new QWidget;
        g_mainMenu->setObjectName(u"TfrmAvvio"_s);
        Screens::add(g_mainMenu);
        g_menu = new TfrmMenuProtocollo;
        Screens::add(g_menu);
        g_card = new TfrmProtocollo;
        Screens::add(g_card);
        connectScreens();
    }
    void TearDown() override {
        Screens::clear();
        delete g_card;
        delete g_menu;
        delete g_mainMenu;
    }
};
const auto* const g_protocolEnvironment =
    ::testing::AddGlobalTestEnvironment(new ProtocolApplication);
