// The income and expense movements inside the whole program: year menu, movement card,
// client imports, payments-due list, search, card print and export, driven by objectName
// with the real message boxes answered.
#include "records/folderstore.h"
#include "support/program.h"
#include "support/recordfixtures.h"
#include "support/uitest.h"

#include "export/spreadsheet.h"
#include "money/normalise.h"
#include "movements/archive.h"
#include "movements/movementlines.h"
#include "movements/saving.h"
#include "records/layouts.h"
#include "records/record.h"
#include "support/printers.h"
#include "ui/app/application.h"
#include "ui/common/clock.h"
#include "ui/common/exportgrid.h"
#include "ui/common/listscreen.h"
#include "ui/common/misc.h"
#include "ui/common/screens.h"
#include "ui/movements/TfrmStampaMovimento.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavolex;
using namespace tavolex::test;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kSize = 3414;
const QString kSi = u"S\u00EC"_s;

const QString& g_folder = ProgramEnvironment::folder();
QStringList& g_opened = ProgramEnvironment::opened();

QWidget* card() {
    return topLevel(u"TfrmMovimenti"_s);
}
QWidget* yearMenu() {
    return topLevel(u"TfrmMenuMovimenti"_s);
}
template <typename T = QWidget> T* on(const QString& control) {
    return child<T>(card(), control);
}
void click(const QString& control) {
    on<QAbstractButton>(control)->click();
}
SeenBox clickAndAnswer(const QString& control, const QString& answer = {}) {
    return answerNextBox([&] { click(control); }, answer);
}
void type(const QString& control, const QString& text) {
    on<QLineEdit>(control)->setText(text);
}
QString shown(const QString& control) {
    QWidget* w = on(control);
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    return static_cast<QLineEdit*>(w)->text();
}
bool checked(const QString& control) {
    return on<QAbstractButton>(control)->isChecked();
}
// The amount caption and its colour as painted.
QString amountCaption() {
    return on<QLabel>(u"lblImporto"_s)->text();
}
QColor amountColour() {
    auto* label = on<QLabel>(u"lblImporto"_s);
    label->ensurePolished();
    return label->palette().color(label->foregroundRole());
}
// The focus leaving a field, as when the user tabs away.
void leave(const QString& control) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(on(control), &out);
}

QString archive() {
    return g_folder + u"2024.eur"_s;
}
QByteArray archiveBytes() {
    QFile f(archive());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
records::Record movement(FieldValues values) {
    return makeRecord(records::movementLayout(), values);
}
// A movement as the card would store it.
records::Record stored(bool income, const QString& causale, const QString& importo,
                       FieldValues more = {}) {
    records::Record r = movement({{u"Entrata", income ? kSi : u"No"_s},
                                  {u"Uscita", income ? u"No"_s : kSi},
                                  {u"Data", u"01/03/2025"_s},
                                  {u"Causale", causale},
                                  {u"DataSca", u"31/03/2025"_s},
                                  {u"Preavviso", u"0"_s},
                                  {u"Importo", importo},
                                  {u"Totale", (income ? u"+"_s : u"-"_s) + importo},
                                  {u"Pagatore", u"Rossi Mario"_s},
                                  {u"Beneficiario", u"Studio Bianchi"_s},
                                  {u"Saldato", u"No"_s}});
    for (const auto& [field, value] : more)
        r.setText(QStringView(field), value);
    return r;
}
void writeArchive(const QList<records::Record>& records) {
    ASSERT_TRUE(writeRecords(archive(), records));
}

// Opens the year as the user does: main menu, year menu, "Apri".
void openYear(const QString& year = u"2024"_s) {
    if (card()->isVisible()) click(u"cmdEsci"_s);
    child<QAbstractButton>(topLevel(u"TfrmAvvio"_s), u"btnEntrate"_s)->click();
    ASSERT_TRUE(yearMenu()->isVisible());
    child<QLineEdit>(yearMenu(), u"txtAnnoPreventivi"_s)->setText(year);
    child<QAbstractButton>(yearMenu(), u"btnApriPreventivi"_s)->click();
    ASSERT_TRUE(card()->isVisible());
}

void fillRequired() {
    type(u"txtCausale"_s, u"Affitto ufficio"_s);
    type(u"txtDataSca"_s, u"31/03/2025"_s);
    type(u"txtPagatore"_s, u"Rossi Mario"_s);
    type(u"txtBeneficiario"_s, u"Studio Bianchi"_s);
}

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(
    new ProgramEnvironment(QDateTime(QDate(2025, 3, 15), QTime(9, 30))));

class Movements : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(archive());
        QFile::remove(g_folder + u"Movimenti.xls"_s);
        QFile::remove(g_folder + u"Clienti.pro"_s);
        g_opened.clear();
    }
};

TEST_F(Movements, YearMenuOpensTheYearOnANewCard) {
    if (card()->isVisible()) click(u"cmdEsci"_s);
    child<QAbstractButton>(topLevel(u"TfrmAvvio"_s), u"btnEntrate"_s)->click();
    ASSERT_TRUE(yearMenu()->isVisible());
    EXPECT_EQ(yearMenu()->windowTitle(), u" Tavolex - Entrate e Uscite"_s);
    auto* year = child<QLineEdit>(yearMenu(), u"txtAnnoPreventivi"_s);
    EXPECT_EQ(year->text(), u"2025"_s);
    year->setText(u"202"_s);
    const SeenBox refused =
        answerNextBox([] { child<QAbstractButton>(yearMenu(), u"btnApriPreventivi"_s)->click(); });
    EXPECT_EQ(refused.text, u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s);
    EXPECT_FALSE(card()->isVisible());

    year->setText(u"2024"_s);
    child<QAbstractButton>(yearMenu(), u"btnApriPreventivi"_s)->click();
    ASSERT_TRUE(card()->isVisible());
    EXPECT_FALSE(yearMenu()->isVisible());
    EXPECT_EQ(card()->windowTitle(), u" Tavolex - Entrate e uscite anno 2024"_s);
    EXPECT_EQ(shown(u"lblFile"_s), archive());
    EXPECT_EQ(shown(u"panInfo"_s), u"Pronto per archiviare una nuova scheda..."_s);
    // A new card: today, no due date, "0" notice days, "0,00", an income.
    EXPECT_EQ(shown(u"txtData"_s), u"15/03/2025"_s);
    EXPECT_EQ(shown(u"txtDataSca"_s), QString());
    EXPECT_EQ(shown(u"txtPreavviso"_s), u"0"_s);
    EXPECT_EQ(shown(u"txtImporto"_s), u"0,00"_s);
    EXPECT_EQ(shown(u"txtTotale"_s), u"+0,00"_s);
    EXPECT_TRUE(checked(u"optEntrata"_s));
    EXPECT_FALSE(checked(u"chkSaldato"_s));
    EXPECT_EQ(amountCaption(), u"Importo in entrata: \u20AC"_s);
    EXPECT_EQ(amountColour(), QColor(Qt::black));
    EXPECT_EQ(card()->focusWidget(), on(u"txtCausale"_s));
    EXPECT_EQ(on<QLineEdit>(u"txtPagamento"_s)->maxLength(), 150);

    // The hint bar follows the pointer over the controls whose hints differ from other cards'.
    const std::pair<const char16_t*, QString> hints[] = {
        {u"cmdNuovo", u"Predispone la schermata per l'inserimento di una nuova scheda."_s},
        {u"cmdScadenze",
         u"Visualizza il riepilogo dei pagamenti in scadenza o scaduti e non saldati."_s},
        {u"cmdGuida", u"Visualizza la pagina della guida sensibile al contesto."_s},
        {u"cmdEsci", u"Esci da questa schermata di lavoro."_s},
        {u"optUscita", u"Spunta questa casella per registrare un importo in uscita."_s},
        {u"impDataSca", u"Cancella la data."_s},
        {u"impBeneficiario", u"Importa i dati dall'archivio anagrafico dei Clienti."_s},
        {u"chkSaldato",
         u"Spunta questa casella per indicare che il pagamento \u00E8 stato saldato."_s},
    };
    for (const auto& [control, hint] : hints) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(on(QString::fromUtf16(control)), &enter);
        EXPECT_EQ(shown(u"panInfo"_s), hint);
    }

    // The first action creates the archive.
    EXPECT_FALSE(QFile::exists(archive()));
    EXPECT_EQ(clickAndAnswer(u"cmdAvanti"_s).text, u"L'archivio non contiene nessuna scheda."_s);
    EXPECT_TRUE(QFile::exists(archive()));

    click(u"cmdEsci"_s);
    EXPECT_FALSE(card()->isVisible());
    EXPECT_TRUE(topLevel(u"TfrmAvvio"_s)->isVisible());
}

TEST_F(Movements, SavedRecordBytesFollowTheMovementType) {
    struct Case {
        const char16_t* option;
        const char16_t* typed;
        QByteArray entrata, uscita, importo, totale;
    };
    const Case cases[] = {
        {u"optUscita", u"1234,5", "\x02No", "\x02S\xEC",
         "\x07"
         "1234,50",
         "\x08-1234,50"},
        {u"optEntrata", u" 7 ", "\x02S\xEC", "\x02No",
         "\x04"
         "7,00",
         "\x05+7,00"},
    };
    openYear();
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.typed).toStdString());
        QFile::remove(archive());
        click(u"cmdNuovo"_s);
        on<QRadioButton>(QString::fromUtf16(c.option))->setChecked(true);
        fillRequired();
        type(u"txtImporto"_s, QString::fromUtf16(c.typed));
        on<QCheckBox>(u"chkSaldato"_s)->setChecked(true);
        on<QLabel>(u"lblFile02"_s)->setText(u"ricevuta.pdf"_s);
        const SeenBox box = clickAndAnswer(u"cmdSalva"_s);
        EXPECT_EQ(box.text, u"La scheda corrente \u00E8 stata inserita in archivio."_s);
        EXPECT_EQ(box.icon, QMessageBox::Information);
        EXPECT_EQ(shown(u"lblPosizione"_s), u"1"_s);
        EXPECT_EQ(shown(u"txtImporto"_s), QString::fromLatin1(c.importo.mid(1)));

        const QByteArray bytes = archiveBytes();
        ASSERT_EQ(bytes.size(), kSize);
        EXPECT_EQ(bytes.mid(0, 3), c.entrata);
        EXPECT_EQ(bytes.mid(3, 3), c.uscita);
        EXPECT_EQ(bytes.mid(6, 11), QByteArray("\x0a"
                                               "15/03/2025"));
        EXPECT_EQ(bytes.mid(17, 16), QByteArray("\x0f"
                                                "Affitto ufficio"));
        EXPECT_EQ(bytes.mid(530, 2), QByteArray("\x01"
                                                "0"));
        EXPECT_EQ(bytes.mid(534, c.importo.size()), c.importo);
        EXPECT_EQ(bytes.mid(550, c.totale.size()), c.totale);
        EXPECT_EQ(bytes.mid(1905, 3), QByteArray("\x02S\xEC"));
        EXPECT_EQ(bytes.mid(2159, 13), QByteArray("\x0c"
                                                  "ricevuta.pdf"));

        // A second Save overwrites the same record.
        on<QCheckBox>(u"chkSaldato"_s)->setChecked(false);
        EXPECT_EQ(clickAndAnswer(u"cmdSalva"_s).text,
                  u"Le modifiche apportate alla scheda corrente sono state salvate in archivio."_s);
        const QByteArray again = archiveBytes();
        ASSERT_EQ(again.size(), kSize);
        EXPECT_EQ(again.mid(1905, 3), QByteArray("\x02No"));
    }
}

TEST_F(Movements, RecordsFromAFileLoadTheTypeLabelAndFlags) {
    writeArchive({stored(true, u"Parcella"_s, u"150,00"_s,
                         {{u"Saldato", kSi}, {u"Email", u"a@b.it"_s}, {u"Desc01", u"fattura"_s}}),
                  stored(false, u"Cancelleria"_s, u"12,50"_s),
                  // A damaged record: flags that are neither "Sì" nor "No".
                  movement({{u"Entrata", u"??"_s},
                            {u"Uscita", u"x"_s},
                            {u"Causale", u"Rovinata"_s},
                            {u"Saldato", u""_s}})});
    openYear();
    click(u"cmdPrimo"_s);
    EXPECT_EQ(shown(u"lblPosizione"_s), u"1"_s);
    EXPECT_EQ(shown(u"txtCausale"_s), u"Parcella"_s);
    EXPECT_EQ(shown(u"txtTotale"_s), u"+150,00"_s);
    EXPECT_EQ(shown(u"txtEmail"_s), u"a@b.it"_s);
    EXPECT_EQ(shown(u"lblDesc01"_s), u"fattura"_s);
    EXPECT_TRUE(checked(u"optEntrata"_s));
    EXPECT_TRUE(checked(u"chkSaldato"_s));
    EXPECT_EQ(amountCaption(), u"Importo in entrata: \u20AC"_s);
    EXPECT_EQ(amountColour(), QColor(Qt::black));

    click(u"cmdAvanti"_s);
    EXPECT_EQ(shown(u"txtCausale"_s), u"Cancelleria"_s);
    EXPECT_EQ(shown(u"txtImporto"_s), u"12,50"_s);
    EXPECT_EQ(shown(u"txtTotale"_s), u"-12,50"_s);
    EXPECT_FALSE(checked(u"optEntrata"_s));
    EXPECT_TRUE(checked(u"optUscita"_s));
    EXPECT_FALSE(checked(u"chkSaldato"_s));
    EXPECT_EQ(amountCaption(), u"Importo in uscita: \u20AC"_s);
    EXPECT_EQ(amountColour(), QColor(Qt::red));

    // The damaged flags leave the buttons, the check box and the caption as they were.
    on<QCheckBox>(u"chkSaldato"_s)->setChecked(true);
    click(u"cmdAvanti"_s);
    EXPECT_EQ(shown(u"txtCausale"_s), u"Rovinata"_s);
    EXPECT_TRUE(checked(u"optUscita"_s));
    EXPECT_TRUE(checked(u"chkSaldato"_s));
    EXPECT_EQ(amountColour(), QColor(Qt::red));

    click(u"cmdPrimo"_s);
    EXPECT_EQ(amountColour(), QColor(Qt::black));
}

TEST_F(Movements, SaveChecksInOrderWithTheFocusOnTheField) {
    openYear();
    click(u"cmdNuovo"_s);
    type(u"txtData"_s, {});
    type(u"txtPreavviso"_s, u" "_s);
    const QString need = u"Attenzione: per salvare la scheda \u00E8 necessario indicare "_s;
    const QString noDate = u" non esiste.\n\r\n\rPer poter salvare la scheda \u00E8 necessario "
                           u"indicare una data valida nel formato gg/mm/aaaa."_s;
    struct Step {
        const char16_t* focus;
        QString message;
        QMessageBox::Icon icon;
        QString fix;
    };
    const Step steps[] = {
        {u"txtCausale", need + u"la causale del pagamento."_s, QMessageBox::Warning, u"Affitto"_s},
        {u"txtData", need + u"la data di registrazione dell'operazione."_s, QMessageBox::Warning,
         u"31/02/2025"_s},
        {u"txtData", u"Attenzione: la data 31/02/2025"_s + noDate, QMessageBox::NoIcon,
         u"28/02/2025"_s},
        {u"txtDataSca", need + u"la data di scadenza del pagamento."_s, QMessageBox::Warning,
         u"2025-03-31"_s},
        {u"txtDataSca", u"Attenzione: la data 2025-03-31"_s + noDate, QMessageBox::NoIcon,
         u"31/03/2025"_s},
        {u"txtPreavviso",
         need + u"il numero di giorni di preavviso della scadenza del pagamento."_s,
         QMessageBox::Warning, u"5"_s},
        {u"txtImporto",
         u"Attenzione: l'importo indicato \u00E8 troppo grande per essere salvato in archivio."_s,
         QMessageBox::Warning, u"12345678901,45"_s},
        {u"txtPagatore", need + u"il nome del Pagatore."_s, QMessageBox::Warning, u"Rossi"_s},
        {u"txtBeneficiario", need + u"il nome del Beneficiario."_s, QMessageBox::Warning,
         u"Bianchi"_s},
    };
    // 15 characters once normalised: its last digit would be cut from the signed amount.
    type(u"txtImporto"_s, u"123456789012,45"_s);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message.toStdString());
        const SeenBox box = clickAndAnswer(u"cmdSalva"_s);
        EXPECT_EQ(box.text, step.message);
        EXPECT_EQ(box.icon, step.icon);
        EXPECT_EQ(card()->focusWidget(), on(QString::fromUtf16(step.focus)));
        EXPECT_EQ(archiveBytes().size(), 0);
        type(QString::fromUtf16(step.focus), step.fix);
    }
    on<QRadioButton>(u"optUscita"_s)->setChecked(true);
    EXPECT_EQ(clickAndAnswer(u"cmdSalva"_s).text,
              u"La scheda corrente \u00E8 stata inserita in archivio."_s);
    const QByteArray bytes = archiveBytes();
    ASSERT_EQ(bytes.size(), kSize);
    // Fourteen characters fit, sign included.
    EXPECT_EQ(bytes.mid(550, 16), QByteArray("\x0f-12345678901,45"));
    EXPECT_EQ(shown(u"txtTotale"_s), u"-12345678901,45"_s);
}

TEST_F(Movements, AmountIsNormalisedOnLeavingAndAcceptsDigitsAndCommaOnly) {
    openYear();
    click(u"cmdNuovo"_s);
    const std::pair<QString, QString> cases[] = {
        {u""_s, u"0,00"_s},      {u","_s, u"0,00"_s},      {u"7"_s, u"7,00"_s},
        {u"5,5"_s, u"5,50"_s},   {u",5"_s, u"0,50"_s},     {u"0,125"_s, u"0,13"_s},
        {u"1,005"_s, u"1,01"_s}, {u"2,675"_s, u"2,68"_s},  {u"1234,5"_s, u"1234,50"_s},
        {u"1,2,3"_s, u"0,00"_s}, {u"007,10"_s, u"7,10"_s},
    };
    for (const auto& [typed, normalised] : cases) {
        type(u"txtImporto"_s, typed);
        leave(u"txtImporto"_s);
        EXPECT_EQ(shown(u"txtImporto"_s), normalised) << typed.toStdString();
    }
    auto* importo = on<QLineEdit>(u"txtImporto"_s);
    importo->clear();
    importo->setFocus();
    // The point, also the keypad's, types the decimal comma.
    QTest::keyClicks(importo, u"1a2.5 -x"_s);
    EXPECT_EQ(importo->text(), u"12,5"_s);
    importo->clear();
    QTest::keyClicks(importo, u"3"_s);
    QTest::keyClick(importo, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(importo, u"75"_s);
    EXPECT_EQ(importo->text(), u"3,75"_s);
    auto* preavviso = on<QLineEdit>(u"txtPreavviso"_s);
    preavviso->clear();
    QTest::keyClicks(preavviso, u"1,0x"_s);
    EXPECT_EQ(preavviso->text(), u"10"_s);
}

TEST_F(Movements, DateFieldsTakeTheCalendarDateThroughTheirTags) {
    openYear();
    click(u"cmdNuovo"_s);
    const std::pair<const char16_t*, const char16_t*> fields[] = {
        {u"txtData", u"movimenti_data"}, {u"txtDataSca", u"movimenti_scadenza"}};
    // Any key opens the calendar, Enter too (it does not move on to the next field).
    for (const auto& [name, tag] : fields)
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_Return, Qt::Key_Enter}) {
            auto* field = on<QLineEdit>(QString::fromUtf16(name));
            field->setFocus();
            EXPECT_TRUE(field->isReadOnly());
            QString seenTag;
            withNextModal([field, key] { QTest::keyClick(field, key); },
                          [&](QWidget* calendar) {
                              seenTag = child<QLabel>(calendar, u"lblMemory"_s)->text();
                              child<QCalendarWidget>(calendar, u"calAppuntamenti"_s)
                                  ->setSelectedDate(QDate(2025, 4, 5));
                              child<QAbstractButton>(calendar, u"btnImportaData"_s)->click();
                          });
            EXPECT_EQ(seenTag, QString::fromUtf16(tag));
            EXPECT_EQ(field->text(), u"05/04/2025"_s);
            QTest::keyClick(field, Qt::Key_Backspace);
            EXPECT_EQ(field->text(), QString());
            EXPECT_EQ(card()->focusWidget(), field);
        }
    type(u"txtData"_s, u"01/01/2025"_s);
    click(u"impData"_s);
    EXPECT_EQ(shown(u"txtData"_s), QString());
}

TEST_F(Movements, DuplicaKeepsTheMovementAndClearsDatesSettlementAndAttachments) {
    openYear();
    click(u"cmdNuovo"_s);
    EXPECT_EQ(clickAndAnswer(u"cmdDuplica"_s).text,
              u"Attenzione: la duplicazione di una scheda pu\u00F2 avvenire soltanto dopo che "
              u"questa \u00E8 stata inserita in archivio."_s);
    writeArchive({stored(false, u"Assicurazione"_s, u"480,00"_s,
                         {{u"Data", u"10/01/2024"_s},
                          {u"Saldato", kSi},
                          {u"Preavviso", u"15"_s},
                          {u"Tariffa", u"annuale"_s},
                          {u"File01", u"polizza.pdf"_s},
                          {u"Desc03", u"quietanza"_s}})});
    click(u"cmdUltimo"_s);
    const SeenBox box = clickAndAnswer(u"cmdDuplica"_s);
    EXPECT_EQ(box.text, u"E' ora possibile apportare le proprie modifiche alla scheda corrente."
                        u"\n\r\n\rAl termine premere Salva per inserire la scheda in archivio."_s);
    EXPECT_EQ(box.icon, QMessageBox::Information);
    // Kept.
    EXPECT_EQ(shown(u"txtCausale"_s), u"Assicurazione"_s);
    EXPECT_EQ(shown(u"txtImporto"_s), u"480,00"_s);
    EXPECT_EQ(shown(u"txtPreavviso"_s), u"15"_s);
    EXPECT_EQ(shown(u"txtTariffa"_s), u"annuale"_s);
    EXPECT_EQ(shown(u"txtPagatore"_s), u"Rossi Mario"_s);
    EXPECT_TRUE(checked(u"optUscita"_s));
    EXPECT_EQ(amountColour(), QColor(Qt::red));
    // Cleared.
    EXPECT_FALSE(checked(u"chkSaldato"_s));
    EXPECT_EQ(shown(u"txtData"_s), u"15/03/2025"_s);
    EXPECT_EQ(shown(u"txtDataSca"_s), QString());
    EXPECT_EQ(shown(u"lblFile01"_s), QString());
    EXPECT_EQ(shown(u"lblDesc03"_s), QString());
    EXPECT_EQ(shown(u"lblPosizione"_s), QString());
    EXPECT_EQ(card()->focusWidget(), on(u"txtCausale"_s));

    // Without a due date it cannot be saved; with one it becomes a second record.
    EXPECT_EQ(clickAndAnswer(u"cmdSalva"_s).text,
              u"Attenzione: per salvare la scheda \u00E8 necessario indicare la data di "
              u"scadenza del pagamento."_s);
    type(u"txtDataSca"_s, u"10/01/2025"_s);
    clickAndAnswer(u"cmdSalva"_s);
    EXPECT_EQ(shown(u"lblPosizione"_s), u"2"_s);
    const QByteArray bytes = archiveBytes();
    ASSERT_EQ(bytes.size(), 2 * kSize);
    EXPECT_EQ(bytes.mid(kSize + 550, 8), QByteArray("\x07-480,00"));
    EXPECT_EQ(bytes.mid(kSize + 1905, 3), QByteArray("\x02No"));
    EXPECT_EQ(bytes.mid(kSize + 1908, 1), QByteArray("\x00", 1));
    EXPECT_EQ(bytes.mid(1905, 3), QByteArray("\x02S\xEC")); // the original stays settled
}

TEST_F(Movements, PayerImportCopiesFiveFieldsAndBeneficiaryImportTwo) {
    ASSERT_TRUE(
        writeRecords(g_folder + u"Clienti.pro"_s,
                     {makeRecord(records::clientLayout(), {{u"Cliente", u" Neri Paola "_s},
                                                           {u"Recapito", u"06 1234"_s},
                                                           {u"CodFisc", u"NRIPLA80A01H501X"_s},
                                                           {u"PartitaIva", u"01234567890"_s},
                                                           {u"Email", u"paola@neri.it"_s},
                                                           {u"Note", u"non copiata"_s}})}));
    openYear();
    click(u"cmdNuovo"_s);
    type(u"txtNote"_s, u"restano"_s);
    const auto importWith = [](const QString& button) {
        QString tag;
        withNextModal([&] { click(button); },
                      [&](QWidget* dialog) {
                          tag = child<QLabel>(dialog, u"lblMemory"_s)->text();
                          child<QAbstractButton>(dialog, u"btnCerca"_s)->click();
                          static_cast<ui::ListScreen*>(dialog)->activateRow(0);
                      });
        return tag;
    };
    EXPECT_EQ(importWith(u"impPagatore"_s), u"movimenti_pagatore"_s);
    EXPECT_EQ(shown(u"txtPagatore"_s), u"Neri Paola"_s);
    EXPECT_EQ(shown(u"txtRecapitoPag"_s), u"06 1234"_s);
    EXPECT_EQ(shown(u"txtCodFisc"_s), u"NRIPLA80A01H501X"_s);
    EXPECT_EQ(shown(u"txtPartitaIva"_s), u"01234567890"_s);
    EXPECT_EQ(shown(u"txtEmail"_s), u"paola@neri.it"_s);
    EXPECT_EQ(shown(u"txtNote"_s), u"restano"_s);

    type(u"txtCodFisc"_s, u"ALTRO"_s);
    type(u"txtEmail"_s, u"altro@x.it"_s);
    EXPECT_EQ(importWith(u"impBeneficiario"_s), u"movimenti_beneficiario"_s);
    EXPECT_EQ(shown(u"txtBeneficiario"_s), u"Neri Paola"_s);
    EXPECT_EQ(shown(u"txtRecapitoBen"_s), u"06 1234"_s);
    EXPECT_EQ(shown(u"txtCodFisc"_s), u"ALTRO"_s);
    EXPECT_EQ(shown(u"txtEmail"_s), u"altro@x.it"_s);
}

TEST_F(Movements, EmailAndIdentifierButtons) {
    openYear();
    click(u"cmdNuovo"_s);
    type(u"txtEmail"_s, u"  "_s);
    const SeenBox box = clickAndAnswer(u"sndEmail"_s);
    EXPECT_EQ(box.text, u"Attenzione: indicare l'indirizzo e-mail del tesserato."_s);
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(card()->focusWidget(), on(u"txtEmail"_s));
    EXPECT_TRUE(g_opened.isEmpty());
    // An address carrying mail-link parameters is no address.
    type(u"txtEmail"_s, u"paola@neri.it?attach=/etc/passwd"_s);
    EXPECT_EQ(clickAndAnswer(u"sndEmail"_s).text,
              u"Attenzione: indicare l'indirizzo e-mail del tesserato."_s);
    EXPECT_TRUE(g_opened.isEmpty());
    type(u"txtEmail"_s, u"paola@neri.it"_s);
    click(u"sndEmail"_s);
    EXPECT_EQ(g_opened, QStringList{u"\"mailto:paola@neri.it\""_s});

    // A tax code of digits is a company's VAT number.
    const std::tuple<const char16_t*, QString, QString, QString> checks[] = {
        {u"chkCodFisc", u" 01234567890 "_s, u"TfrmPartitaIva"_s, u"txtPartitaIva"_s},
        {u"chkCodFisc", u"NRIPLA80A01H501X"_s, u"TfrmCodFisc"_s, u"txtCodFisc"_s},
        {u"chkIva", u"01234567890"_s, u"TfrmPartitaIva"_s, u"txtPartitaIva"_s},
    };
    for (const auto& [button, value, screen, field] : checks) {
        type(QString::fromUtf16(button) == u"chkIva"_s ? u"txtPartitaIva"_s : u"txtCodFisc"_s,
             value);
        QString opened, received;
        withNextModal([b = button] { click(QString::fromUtf16(b)); },
                      [&](QWidget* dialog) {
                          opened = dialog->objectName();
                          received = child<QLineEdit>(dialog, field)->text();
                          static_cast<QDialog*>(dialog)->reject();
                      });
        EXPECT_EQ(opened, screen);
        EXPECT_EQ(received, value.trimmed());
    }
}

TEST_F(Movements, DueListShowsUnsettledPaymentsWhoseNoticeHasBegun) {
    writeArchive({
        stored(true, u"Dieci giorni, dieci di preavviso"_s, u"10,00"_s,
               {{u"DataSca", u"25/03/2025"_s}, {u"Preavviso", u"10"_s}}),
        stored(true, u"Dieci giorni, nove di preavviso"_s, u"20,00"_s,
               {{u"DataSca", u"25/03/2025"_s}, {u"Preavviso", u"9"_s}}),
        stored(false, u"Scaduto ieri"_s, u"30,00"_s,
               {{u"DataSca", u"14/03/2025"_s}, {u"Promemoria", u"secondo"_s}}),
        stored(false, u"Saldato"_s, u"40,00"_s, {{u"DataSca", u"01/01/2025"_s}, {u"Saldato", kSi}}),
    });
    openYear();
    click(u"cmdNuovo"_s);
    QStringList lines;
    QString title, listTitle;
    withNextModal([] { click(u"cmdScadenze"_s); },
                  [&](QWidget* dialog) {
                      auto* list = static_cast<ui::ListScreen*>(dialog);
                      title = dialog->windowTitle();
                      lines = list->lines();
                      listTitle = list->listReport().title;
                      // "Trova" selects the matching entry; the double-click loads it.
                      child<QLineEdit>(dialog, u"txtTrova"_s)->setText(u"IERI"_s);
                      child<QAbstractButton>(dialog, u"btnTrova"_s)->click();
                      EXPECT_EQ(list->selectedRow(), 1);
                      list->activateRow(list->selectedRow());
                  });
    EXPECT_EQ(title, u" Riepilogo pagamenti in scadenza o scaduti"_s);
    EXPECT_EQ(listTitle, u"Riepilogo pagamenti in scadenza o scaduti e non saldati"_s);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], u"Dieci giorni, dieci di preavviso          Scad. 25/03/2025  Da: Rossi "
                        u"Mario                     A: Studio Bianchi                  "
                        u"Importo: +10,00"_s);
    EXPECT_TRUE(lines[1].startsWith(u"Scaduto ieri"_s));
    EXPECT_EQ(shown(u"txtPromemoria"_s), u"secondo"_s);
    EXPECT_EQ(shown(u"lblPosizione"_s), u"3"_s);
    EXPECT_TRUE(checked(u"optUscita"_s));
    EXPECT_EQ(amountCaption(), u"Importo in uscita: \u20AC"_s);
    EXPECT_EQ(amountColour(), QColor(Qt::red));
}

TEST_F(Movements, SearchNeedsEveryActiveFilterAndTheLastEqualLineWins) {
    writeArchive({
        stored(false, u"Affitto gennaio"_s, u"500,00"_s, {{u"Promemoria", u"primo"_s}}),
        stored(true, u"AFFITTO box"_s, u"80,00"_s,
               {{u"Pagatore", u"Verdi"_s}, {u"Promemoria", u"secondo"_s}}),
        stored(false, u"Affitto gennaio"_s, u"500,00"_s,
               {{u"Promemoria", u"terzo"_s}, {u"Saldato", kSi}}),
        stored(true, u"Parcella"_s, u"90,00"_s),
    });
    openYear();
    click(u"cmdNuovo"_s);
    const auto search = [](const QStringList& filters,
                           const std::function<void(ui::ListScreen*)>& then) {
        withNextModal([] { click(u"cmdTrova"_s); },
                      [&](QWidget* dialog) {
                          EXPECT_EQ(dialog->windowTitle(), u" Trova movimenti in archivio"_s);
                          EXPECT_EQ(child<QLabel>(dialog, u"lblMemory"_s)->text(), u"movimenti"_s);
                          for (int i = 0; i + 1 < filters.size(); i += 2)
                              child<QLineEdit>(dialog, filters[i])->setText(filters[i + 1]);
                          child<QAbstractButton>(dialog, u"btnCerca"_s)->click();
                          then(static_cast<ui::ListScreen*>(dialog));
                          if (dialog->isVisible()) static_cast<QDialog*>(dialog)->reject();
                      });
    };
    const std::pair<QStringList, int> counts[] = {
        {{u"txtCausale"_s, u"affitto"_s}, 3},
        {{u"txtCausale"_s, u"affitto"_s, u"txtPagatore"_s, u"rossi"_s}, 2},
        {{u"txtCausale"_s, u"   "_s}, 4}, // blanks only: not an active filter
        {{u"txtData"_s, u"03/2025"_s, u"txtNote"_s, u"nessuna"_s}, 0},
        {{}, 4},
    };
    for (const auto& [filters, count] : counts) {
        int lines = -1;
        QString found;
        search(filters, [&](ui::ListScreen* list) {
            lines = list->lineCount();
            found = child<QLabel>(list, u"lblTrovate"_s)->text();
        });
        EXPECT_EQ(lines, count) << filters.join(u'|').toStdString();
        EXPECT_EQ(found, u"Il presente riepilogo contiene %1 schede."_s.arg(count));
    }

    // Records 1 and 3 give the same line: either entry loads record 3.
    search({u"txtCausale"_s, u"gennaio"_s}, [](ui::ListScreen* list) {
        ASSERT_EQ(list->lineCount(), 2);
        EXPECT_EQ(list->lines()[0], list->lines()[1]);
        EXPECT_EQ(list->listReport().title, u"Riepilogo movimenti in archivio"_s);
        list->activateRow(0);
    });
    EXPECT_EQ(shown(u"txtPromemoria"_s), u"terzo"_s);
    EXPECT_EQ(shown(u"lblPosizione"_s), u"3"_s);
    EXPECT_TRUE(checked(u"chkSaldato"_s));
    EXPECT_EQ(amountColour(), QColor(Qt::red));

    search({u"txtPagatore"_s, u"verdi"_s}, [](ui::ListScreen* list) { list->activateRow(0); });
    EXPECT_EQ(shown(u"txtPromemoria"_s), u"secondo"_s);
    EXPECT_EQ(shown(u"lblPosizione"_s), u"2"_s);
    EXPECT_TRUE(checked(u"optEntrata"_s));
    EXPECT_EQ(amountCaption(), u"Importo in entrata: \u20AC"_s);
    EXPECT_EQ(amountColour(), QColor(Qt::black));
}

// Another program writes a record with the same line after the search: the double-click
// still loads the last record with that line, reading the file to its end.
TEST_F(Movements, DoubleClickFindsATwinWrittenAfterTheSearch) {
    const auto twin = [](const QString& promemoria) {
        return stored(false, u"Affitto gennaio"_s, u"500,00"_s, {{u"Promemoria", promemoria}});
    };
    const records::Record other = stored(true, u"Parcella"_s, u"90,00"_s);
    struct Case {
        const char* what;
        QList<records::Record> listed, changedTo;
        QString position, promemoria;
    };
    const Case cases[] = {
        {"unchanged", {twin(u"primo"_s), other, twin(u"terzo"_s)}, {}, u"3"_s, u"terzo"_s},
        {"a twin appended",
         {twin(u"primo"_s), other, twin(u"terzo"_s)},
         {twin(u"primo"_s), other, twin(u"terzo"_s), twin(u"quarto"_s)},
         u"4"_s,
         u"quarto"_s},
        {"the last record overwritten with a twin",
         {twin(u"primo"_s), other, twin(u"terzo"_s), other},
         {twin(u"primo"_s), other, twin(u"terzo"_s), twin(u"quarto"_s)},
         u"4"_s,
         u"quarto"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeArchive(c.listed);
        ASSERT_TRUE(ageFile(archive())); // saved long ago: the list may trust its record
        openYear();
        click(u"cmdNuovo"_s);
        withNextModal([] { click(u"cmdTrova"_s); },
                      [&](QWidget* dialog) {
                          auto* list = static_cast<ui::ListScreen*>(dialog);
                          child<QLineEdit>(dialog, u"txtCausale"_s)->setText(u"gennaio"_s);
                          child<QAbstractButton>(dialog, u"btnCerca"_s)->click();
                          ASSERT_EQ(list->lineCount(), 2);
                          EXPECT_EQ(list->positionAt(0), 3);
                          if (!c.changedTo.isEmpty()) writeArchive(c.changedTo);
                          list->activateRow(0);
                      });
        EXPECT_EQ(shown(u"lblPosizione"_s), c.position);
        EXPECT_EQ(shown(u"txtPromemoria"_s), c.promemoria);
    }
}

TEST_F(Movements, CardPrintShowsTheTypeWordAndTheAmountWithoutSign) {
    openYear();
    click(u"cmdNuovo"_s);
    on<QRadioButton>(u"optUscita"_s)->setChecked(true);
    fillRequired();
    type(u"txtImporto"_s, u"99,90"_s);
    on<QCheckBox>(u"chkSaldato"_s)->setChecked(true);
    ui::report::CardReport printed;
    QString caption;
    withNextModal([] { click(u"cmdStampa"_s); },
                  [&](QWidget* dialog) {
                      caption = dialog->windowTitle();
                      printed = static_cast<ui::TfrmStampaMovimento*>(dialog)->cardReport();
                      child<QAbstractButton>(dialog, u"btnAnnulla"_s)->click();
                  });
    EXPECT_EQ(caption, u" Stampa scheda corrente"_s);
    EXPECT_EQ(printed.title, u"SCHEDA INFORMATIVA MOVIMENTO"_s);
    ASSERT_EQ(printed.rows.size(), 20);
    EXPECT_EQ(printed.rows[0].label, u"Tipo movimento:"_s);
    EXPECT_EQ(printed.rows[0].value, u"Uscita"_s);
    EXPECT_EQ(printed.rows[6].label, u"Importo in euro:"_s);
    EXPECT_EQ(printed.rows[6].value, u"99,90"_s);
    EXPECT_EQ(printed.rows[17].label, u"Tariffa applicata:"_s);
    EXPECT_EQ(printed.rows[19].label, u"Saldato:"_s);
    EXPECT_EQ(printed.rows[19].value, kSi);
    EXPECT_EQ(printed.footer, u"Stampa eseguita in data 15/03/2025 alle ore 09:30:00"_s);
    EXPECT_TRUE(archiveBytes().isEmpty()); // printed unsaved
}

TEST_F(Movements, ExportWritesTwentyColumnsOfEveryMovement) {
    const QList<records::Record> records = {
        stored(true, u"Parcella & spese"_s, u"150,00"_s, {{u"Saldato", kSi}}),
        stored(false, u"Cancelleria"_s, u"12,50"_s, {{u"File01", u"non esportato.pdf"_s}}),
    };
    openYear();
    for (const bool empty : {true, false}) {
        SCOPED_TRACE(empty ? "empty archive" : "two movements");
        QFile::remove(archive());
        if (!empty) writeArchive(records);
        QFile::remove(g_folder + u"Movimenti.xls"_s);
        int rows = -1;
        QStringList firstRow;
        QList<SeenBox> boxes;
        withNextModal([] { click(u"cmdEsporta"_s); },
                      [&](QWidget* dialog) {
                          EXPECT_EQ(dialog->windowTitle(),
                                    u" Esporta archivio movimenti in Microsoft Excel"_s);
                          auto* grid = static_cast<ui::GridScreen*>(dialog);
                          rows = grid->rowCount();
                          for (int c = 0; c < 21 && rows > 0; ++c)
                              firstRow << grid->cellText(1, c);
                          boxes = answerBoxes(
                              [&] { child<QAbstractButton>(dialog, u"cmdEsporta"_s)->click(); },
                              {u"S\u00EC"_s, u"S\u00EC"_s});
                          static_cast<QDialog*>(dialog)->reject();
                      });
        ASSERT_EQ(boxes.size(), 2);
        EXPECT_EQ(boxes[0].text, QString::fromUtf16(exporting::kAskExport));
        EXPECT_EQ(boxes[1].text, QString::fromUtf16(exporting::kAskOpenExport));
        EXPECT_EQ(g_opened, QStringList{u'"' + g_folder + u"Movimenti.xls\""_s});
        g_opened.clear();

        QFile xls(g_folder + u"Movimenti.xls"_s);
        ASSERT_TRUE(xls.open(QIODevice::ReadOnly));
        const QByteArray sheet = xls.readAll();
        // The same bytes as the archive's rows written by the spreadsheet writer, the row
        // number left out.
        QList<QStringList> expected;
        ASSERT_TRUE(movements::exportRows(
            records::FileArchive(archive(), records::movementLayout().recordSize()), &expected));
        for (QStringList& row : expected)
            row.removeFirst();
        EXPECT_EQ(sheet, exporting::spreadsheetBytes(u"Riepilogo annuale movimenti"_s,
                                                     movements::sheetColumns(), expected));
        EXPECT_EQ(sheet.count("<tr"), empty ? 1 : 3);
        EXPECT_EQ(sheet.count("font-weight: bold;"), 20);
        EXPECT_TRUE(sheet.contains("bold;\" width=150>Tipo movimento</td>"
                                   "<td style=\"text-align: left; font-weight: bold;\" "
                                   "width=180>Data operazione</td>"));
        EXPECT_TRUE(sheet.contains("width=120>Saldato</td></tr>"));
        EXPECT_EQ(rows, empty ? 0 : 2);
        if (empty) continue;
        EXPECT_TRUE(sheet.contains("Parcella &amp; spese"));
        EXPECT_FALSE(sheet.contains("non esportato"));
        EXPECT_TRUE(sheet.contains("Tariffa applicata"));
        ASSERT_EQ(firstRow.size(), 21);
        EXPECT_EQ(firstRow[0], u"2"_s);
        EXPECT_EQ(firstRow[1], u"Uscita"_s);
        EXPECT_EQ(firstRow[3], u"Cancelleria"_s);
        EXPECT_EQ(firstRow[7], u"-12,50"_s);
        EXPECT_EQ(firstRow[20], u"No"_s);
    }
}

} // namespace

// Every field of the card with a typing rule, and pasted texts that break it or keep it.
TEST_F(Movements, PastedAndInputMethodTextKeepsEveryTypingRule) {
    openYear();
    click(u"cmdNuovo"_s);
    const PasteCase cases[] = {
        {u"txtImporto", u"5,00"_s, u"-12,50"_s, u"5,00"_s},
        {u"txtImporto", u"5,00"_s, u"12,50\u20AC"_s, u"5,00"_s},
        {u"txtImporto", u"5,00"_s, u"1.234,50"_s, u"5,00"_s},
        {u"txtImporto", u"5,00"_s, u"dieci"_s, u"5,00"_s},
        {u"txtImporto", u"5,00"_s, u"1234,50"_s, u"1234,50"_s},
        {u"txtPreavviso", u"3"_s, u"dieci"_s, u"3"_s},
        {u"txtPreavviso", u"3"_s, u"-5"_s, u"3"_s},
        {u"txtPreavviso", u"3"_s, u"1,5"_s, u"3"_s},
        {u"txtPreavviso", u"3"_s, u"12"_s, u"12"_s},
        {u"txtPartitaIva", u""_s, u"IT01234567890"_s, u""_s},
        {u"txtPartitaIva", u""_s, u"01234567890"_s, u"01234567890"_s},
        {u"txtCodFisc", u""_s, u"rssmra80a01h501u"_s, u"RSSMRA80A01H501U"_s},
        {u"txtCodFisc", u""_s, u" rssmra "_s, u"RSSMRA"_s},
        // Trimmed at every key, a code field never holds a blank, however its text came in.
        {u"txtCodFisc", u""_s, u"  abc def "_s, u"ABCDEF"_s},
        {u"txtEmail", u""_s, u"  a b@c.it  "_s, u"ab@c.it"_s},
    };
    for (const PasteCase& c : cases)
        for (const PasteWay way : kPasteWays) {
            const QString name = QString::fromUtf16(c.field);
            SCOPED_TRACE(name.toStdString() + " <- " + c.pasted.toStdString() + " by " +
                         pasteWayName(way));
            EXPECT_EQ(pastedInto(on(name), c.before, c.pasted, way), c.after);
        }
}

// The year box takes a pasted year and refuses anything else, by any way of pasting.
TEST_F(Movements, YearFieldTakesPastedDigitsOnly) {
    if (card()->isVisible()) click(u"cmdEsci"_s);
    child<QAbstractButton>(topLevel(u"TfrmAvvio"_s), u"btnEntrate"_s)->click();
    ASSERT_TRUE(yearMenu()->isVisible());
    auto* year = child<QLineEdit>(yearMenu(), u"txtAnnoPreventivi"_s);
    const std::pair<QString, QString> cases[] = {
        {u"2023"_s, u"2023"_s},
        {u"20a3"_s, u"2024"_s},
        {u" 2023"_s, u"2024"_s},
    };
    for (const auto& [pasted, after] : cases)
        for (const PasteWay way : kPasteWays) {
            SCOPED_TRACE(pasted.toStdString() + " by " + pasteWayName(way));
            EXPECT_EQ(pastedInto(year, u"2024"_s, pasted, way), after);
        }
    // A typed letter still goes nowhere, a digit does.
    year->setText(u"202"_s);
    year->setCursorPosition(3);
    QTest::keyClicks(year, u"x5"_s);
    EXPECT_EQ(year->text(), u"2025"_s);
    child<QAbstractButton>(yearMenu(), u"btnApriPreventivi"_s)->click();
    ASSERT_TRUE(card()->isVisible());
    click(u"cmdEsci"_s);
}

// Forms that only a damaged record or an old archive can bring into the fields are refused at
// Save, with the focus on the field, before the amount is normalised; nothing is written.
TEST_F(Movements, SaveRefusesAnAmountOrNoticeDaysOutOfTheirForm) {
    openYear();
    const QString badAmount = u"Attenzione: l'importo indicato non \u00E8 valido.\n\r\n\rIndicare "
                              u"l'importo con le sole cifre e la virgola dei decimali (per "
                              u"esempio 1234,50)."_s;
    const QString badNotice =
        u"Attenzione: il campo \"Avvisa n.\" pu\u00F2 contenere soltanto cifre."_s;
    const std::tuple<const char16_t*, QString, QString> cases[] = {
        {u"txtImporto", u"-12,50"_s, badAmount}, {u"txtImporto", u"12.50"_s, badAmount},
        {u"txtImporto", u"abc"_s, badAmount},    {u"txtImporto", u"1,2,3"_s, badAmount},
        {u"txtPreavviso", u"die"_s, badNotice},  {u"txtPreavviso", u"-3"_s, badNotice},
    };
    for (const auto& [field, value, message] : cases) {
        SCOPED_TRACE(value.toStdString());
        click(u"cmdNuovo"_s);
        fillRequired();
        type(QString::fromUtf16(field), value);
        const SeenBox box = clickAndAnswer(u"cmdSalva"_s);
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        EXPECT_EQ(box.text, message);
        EXPECT_EQ(card()->focusWidget(), on(QString::fromUtf16(field)));
        EXPECT_EQ(shown(QString::fromUtf16(field)), value);
        EXPECT_TRUE(archiveBytes().isEmpty());
    }
    click(u"cmdNuovo"_s);
    fillRequired();
    type(u"txtImporto"_s, u"12,5"_s);
    clickAndAnswer(u"cmdSalva"_s);
    ASSERT_EQ(archiveBytes().size(), kSize);
    const records::Record saved(records::movementLayout(), archiveBytes());
    EXPECT_EQ(saved.text(u"Totale"), u"+12,50"_s);
}

// A damaged movement with both type flags "No" shows neither type and the expense label, and
// is not saved until a type is chosen.
TEST_F(Movements, AMovementOfNeitherTypeLoadsSoAndIsNotSavedSo) {
    writeArchive({stored(true, u"Parcella"_s, u"150,00"_s),
                  stored(true, u"Rovinata"_s, u"20,00"_s, {{u"Entrata", u"No"_s}})});
    openYear();
    click(u"cmdPrimo"_s);
    ASSERT_TRUE(checked(u"optEntrata"_s));
    click(u"cmdAvanti"_s);
    EXPECT_EQ(shown(u"txtCausale"_s), u"Rovinata"_s);
    EXPECT_FALSE(checked(u"optEntrata"_s));
    EXPECT_FALSE(checked(u"optUscita"_s));
    EXPECT_EQ(amountCaption(), u"Importo in uscita: \u20AC"_s);
    EXPECT_EQ(amountColour(), QColor(Qt::red));
    const QByteArray before = archiveBytes();
    const SeenBox box = clickAndAnswer(u"cmdSalva"_s);
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.text, QString::fromUtf16(movements::kNeedTipo));
    EXPECT_EQ(card()->focusWidget(), on(u"optEntrata"_s));
    EXPECT_EQ(archiveBytes(), before);
    click(u"optUscita"_s);
    clickAndAnswer(u"cmdSalva"_s);
    const records::Record saved(records::movementLayout(), archiveBytes().mid(kSize));
    EXPECT_EQ(saved.text(u"Totale"), u"-20,00"_s);
    EXPECT_EQ(saved.text(u"Uscita"), kSi);
}

// A signed amount that is not a number keeps a movement out of the payments-due list, as it
// keeps it out of the unpaid lists.
TEST(PaymentsDue, AMovementWhoseAmountIsNotANumberIsLeftOut) {
    const QDate today(2025, 3, 15);
    const auto due = [&](const QString& totale) {
        const records::Record r = stored(true, u"Parcella"_s, u"12,50"_s,
                                         {{u"DataSca", u"10/03/2025"_s}, {u"Totale", totale}});
        return movements::isDue(r.bytes().constData(), today);
    };
    EXPECT_TRUE(due(u"+12,50"_s));
    EXPECT_FALSE(due(u"+abc"_s));
    EXPECT_FALSE(due(u"+-12,50"_s));
}

// The longest amounts a movement can hold are shown whole in the field.
TEST_F(Movements, LargeAmountsAreShownWhole) {
    openYear();
    click(u"cmdNuovo"_s);
    auto* importo = on<QLineEdit>(u"txtImporto"_s);
    for (const QString& typed :
         {u"1234567890123"_s, u"999999999999999"_s, u"12345678901,25"_s, u"123456789012345"_s}) {
        SCOPED_TRACE(typed.toStdString());
        type(u"txtImporto"_s, typed);
        leave(u"txtImporto"_s);
        const QString normalised = importo->text();
        EXPECT_EQ(normalised, money::normalisedMovementAmount(typed));
        QApplication::processEvents();
        // The text area is the field less its frame and inner margins.
        EXPECT_LE(importo->fontMetrics().horizontalAdvance(normalised) + 12, importo->width())
            << normalised.toStdString();
    }
}
