// The deadlines application inside the whole program: the start panel's warning and sound,
// the card, the due-date lists, the confirmation lists, search and export, driven by
// objectName with real message boxes answered.
#include "support/program.h"
#include "support/recordfixtures.h"
#include "support/uitest.h"

#include "records/layouts.h"
#include "records/record.h"
#include "ui/app/application.h"
#include "ui/common/clock.h"
#include "ui/common/exportgrid.h"
#include "ui/common/listscreen.h"
#include "ui/common/recordcard.h"
#include "ui/common/sound.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavolex;
using namespace tavolex::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const ScreenDriver g_screen(u"TfrmScadenzario"_s);
const QString& g_folder = ProgramEnvironment::folder();
QStringList g_played;

QString path(int year) {
    return g_folder + QString::number(year) + u".sca"_s;
}
QByteArray bytesOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
QString field(const QByteArray& record, const char16_t* name) {
    return records::readField(record.constData(), records::deadlineLayout().field(name));
}
// A deadline due on dd/mm of `year` at hh:mi with `notice` days.
records::Record deadline(const QString& date, const QString& notice, FieldValues more = {},
                         const QString& time = u"00:00"_s) {
    records::Record r = makeRecord(records::deadlineLayout(), more);
    r.setText(u"DataSca", date);
    r.setText(u"Giorno", date.left(2));
    r.setText(u"Anno", date.right(4));
    static const QStringList months = {u"Gennaio"_s,   u"Febbraio"_s, u"Marzo"_s,    u"Aprile"_s,
                                       u"Maggio"_s,    u"Giugno"_s,   u"Luglio"_s,   u"Agosto"_s,
                                       u"Settembre"_s, u"Ottobre"_s,  u"Novembre"_s, u"Dicembre"_s};
    r.setText(u"Mese", months.value(date.mid(3, 2).toInt() - 1));
    r.setText(u"Preavviso", notice);
    r.setText(u"Ora", time);
    r.setText(u"Ore", time.left(2));
    r.setText(u"Minuti", time.right(2));
    return r;
}
void writeYear(int year, const QList<records::Record>& records) {
    QFile::remove(path(year));
    if (!records.isEmpty()) {
        ASSERT_TRUE(writeRecords(path(year), records));
    }
}
void enter() {
    QWidget* menu = topLevel(u"TfrmAvvio"_s);
    if (g_screen.widget()->isVisible()) g_screen.click(u"cmdEsci"_s);
    child<QAbstractButton>(menu, u"btnScadenzario"_s)->click();
    ASSERT_TRUE(g_screen.widget()->isVisible());
}
void openYear(const QString& year) {
    g_screen.type(u"txtAnno"_s, year);
    g_screen.click(u"btnApri"_s);
}
void fillRequired() {
    g_screen.type(u"txtGiorno"_s, u"05"_s);
    g_screen.type(u"txtMese"_s, u"Marzo"_s);
    g_screen.type(u"txtAvviso"_s, u"3"_s);
    g_screen.type(u"txtCliente"_s, u"Rossi Mario"_s);
    g_screen.type(u"txtOggetto"_s, u"Successione"_s);
    g_screen.type(u"txtDettagli"_s, u"Bollo auto"_s);
}

// Today is 07/03/2024; the warning sound is heard by the test.
class DeadlinesProgram : public ProgramEnvironment {
public:
    DeadlinesProgram() : ProgramEnvironment(QDateTime(QDate(2024, 3, 7), QTime(9, 0))) {}
    void SetUp() override {
        ui::WarningSound::setHook([](const QString& file) { g_played << file; });
        ProgramEnvironment::SetUp();
    }
    void TearDown() override {
        ProgramEnvironment::TearDown();
        ui::WarningSound::setHook({});
    }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new DeadlinesProgram);

// Today is 07/03/2024.
TEST(StartPanel, WarnsOfImminentDeadlinesAndPlaysTheSoundOnce) {
    QFile sound(g_folder + u"Avviso.mp3"_s);
    ASSERT_TRUE(sound.open(QIODevice::WriteOnly));
    sound.write("ID3");
    sound.close();

    struct Case {
        const char* what;
        QList<records::Record> records;
        bool imminent;
    };
    records::Record damaged = deadline(u"31/02/2024"_s, u"x"_s);
    const Case cases[] = {
        {"no archive yet", {}, false},
        {"due in 3 days with 2 notice days, and due yesterday",
         {deadline(u"10/03/2024"_s, u"2"_s), deadline(u"06/03/2024"_s, u"30"_s)},
         false},
        {"due in 3 days with 3 notice days", {deadline(u"10/03/2024"_s, u"3"_s)}, true},
        {"due today with 0 notice days, paid",
         {deadline(u"07/03/2024"_s, u"0"_s, {{u"Effettuato", u"S\u00EC"_s}})},
         true},
        {"a damaged record before an imminent one",
         {damaged, deadline(u"08/03/2024"_s, u"1"_s)},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeYear(2024, c.records);
        // Next year's deadlines out of their notice window change nothing.
        writeYear(2025, {deadline(u"02/01/2025"_s, u"10"_s)});
        g_played.clear();
        enter();
        EXPECT_TRUE(QFile::exists(path(2024))); // created when missing
        EXPECT_EQ(g_screen.widget()->windowTitle(), u" Tavolex - Scadenze e Appuntamenti"_s);
        EXPECT_FALSE(g_screen.on(u"panAvvio"_s)->isHidden());
        EXPECT_TRUE(g_screen.on(u"panContainer"_s)->isHidden());
        EXPECT_EQ(g_screen.shown(u"txtAnno"_s), u"2024"_s);
        EXPECT_EQ(g_screen.on(u"imgPresenti"_s)->isHidden(), !c.imminent);
        EXPECT_EQ(g_screen.on(u"imgAssenti"_s)->isHidden(), c.imminent);
        EXPECT_EQ(g_screen.on(u"btnOK"_s)->isEnabled(), c.imminent);
        EXPECT_EQ(g_played, c.imminent ? QStringList{g_folder + u"Avviso.mp3"_s} : QStringList());
    }
    QFile::remove(g_folder + u"Avviso.mp3"_s);
    g_played.clear();
    enter(); // still imminent, but no file: no sound and no message
    EXPECT_TRUE(g_played.isEmpty());
}

// An archive that cannot be opened (a folder in its place) shows nothing imminent.
TEST(StartPanel, AnArchiveThatCannotBeReadShowsOnlyTheAbsentPicture) {
    writeYear(2025, {});
    writeYear(2024, {deadline(u"08/03/2024"_s, u"5"_s)});
    enter(); // imminent: the warning picture and OK
    ASSERT_FALSE(g_screen.on(u"imgPresenti"_s)->isHidden());
    QFile::remove(path(2024));
    ASSERT_TRUE(QDir().mkdir(path(2024)));
    g_played.clear();
    enter();
    EXPECT_TRUE(g_screen.on(u"imgPresenti"_s)->isHidden());
    EXPECT_FALSE(g_screen.on(u"imgAssenti"_s)->isHidden());
    EXPECT_FALSE(g_screen.on(u"btnOK"_s)->isEnabled());
    EXPECT_TRUE(g_played.isEmpty());
    QDir().rmdir(path(2024));
}

// On 28/12 a deadline of 05/01 of next year with 10 notice days is imminent: next year's
// archive is read after this year's, when it exists, and never created.
TEST(StartPanel, DeadlinesOfNextJanuaryAreAnnouncedAtTheEndOfTheYear) {
    dates::Clock::setNow([] { return QDateTime(QDate(2024, 12, 28), QTime(9, 0)); });
    writeYear(2024, {deadline(u"20/12/2024"_s, u"0"_s), deadline(u"30/12/2024"_s, u"5"_s)});
    writeYear(2025, {deadline(u"20/01/2025"_s, u"2"_s), deadline(u"05/01/2025"_s, u"10"_s),
                     deadline(u"02/01/2025"_s, u"10"_s)});
    enter();
    EXPECT_FALSE(g_screen.on(u"imgPresenti"_s)->isHidden());
    QList<QStringList> rows;
    withNextModal([] { g_screen.click(u"btnOK"_s); },
                  [&](QWidget* dialog) {
                      auto* grid = static_cast<ui::GridScreen*>(dialog);
                      for (int r = 0; r < grid->rowCount(); ++r) {
                          QStringList row;
                          for (int c = 0; c <= 20; ++c)
                              row << grid->cellText(r, c);
                          rows << row;
                      }
                      static_cast<QDialog*>(dialog)->reject();
                  });
    // This year's row first; next year's rows sorted among themselves, numbered in their file.
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0][0], u"1"_s);
    EXPECT_TRUE(rows[0].contains(u"30/12/2024"_s));
    EXPECT_EQ(rows[1][0], u"2"_s);
    EXPECT_TRUE(rows[1].contains(u"02/01/2025"_s));
    EXPECT_EQ(rows[2][0], u"1"_s);
    EXPECT_TRUE(rows[2].contains(u"05/01/2025"_s));

    // Only next year's deadline: still announced. Without next year's archive: nothing, and
    // no archive is made for it.
    writeYear(2024, {deadline(u"20/12/2024"_s, u"0"_s)});
    enter();
    EXPECT_FALSE(g_screen.on(u"imgPresenti"_s)->isHidden());
    EXPECT_TRUE(g_screen.on(u"btnOK"_s)->isEnabled());
    writeYear(2025, {});
    enter();
    EXPECT_TRUE(g_screen.on(u"imgPresenti"_s)->isHidden());
    EXPECT_FALSE(g_screen.on(u"btnOK"_s)->isEnabled());
    EXPECT_FALSE(QFile::exists(path(2025)));
    dates::Clock::setNow([] { return QDateTime(QDate(2024, 3, 7), QTime(9, 0)); });
}

TEST(StartPanel, YearNeedsFourDigitsAndOpensTheCard) {
    writeYear(2024, {});
    enter();
    g_screen.type(u"txtAnno"_s, u"24"_s);
    const SeenBox box = g_screen.clickAndAnswer(u"btnApri"_s);
    EXPECT_EQ(box.text, u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s);
    EXPECT_TRUE(g_screen.on(u"panContainer"_s)->isHidden());
    openYear(u"2024"_s);
    EXPECT_FALSE(g_screen.on(u"panContainer"_s)->isHidden());
    EXPECT_TRUE(g_screen.on(u"panAvvio"_s)->isHidden());
    EXPECT_EQ(g_screen.widget()->windowTitle(), u" Tavolex - Scadenze e appuntamenti anno 2024"_s);
    EXPECT_EQ(g_screen.shown(u"lblAnno"_s), u"2024"_s);
    EXPECT_EQ(g_screen.shown(u"txtOreApp"_s), u"00"_s);
    EXPECT_EQ(g_screen.shown(u"txtCosto"_s), u"0,00"_s);
    g_screen.click(u"cmdEsci"_s);
    EXPECT_FALSE(g_screen.widget()->isVisible());
    EXPECT_TRUE(topLevel(u"TfrmAvvio"_s)->isVisible());
}

TEST(DeadlineCard, SaveChecksInOrderWithFocusThenDateChecks) {
    writeYear(2024, {});
    enter();
    openYear(u"2024"_s);
    const QString prefix = u"Attenzione: per salvare la scheda \u00E8 necessario indicare "_s;
    g_screen.type(u"txtOreApp"_s, {});
    g_screen.type(u"txtMinutiApp"_s, {});
    const std::tuple<QString, QString, QString> steps[] = {
        {u"txtGiorno"_s, u"5"_s, u"il giorno della scadenza."_s},
        {u"txtGiorno"_s, u"31"_s, u"il giorno della scadenza usando due cifre."_s},
        {u"txtMese"_s, u"Aprile"_s, u"il mese della scadenza."_s},
        {u"txtOreApp"_s, u"9"_s, u"l'ora dell'appuntamento."_s},
        {u"txtMinutiApp"_s, u"5"_s, u"i minuti dell'ora dell'appuntamento."_s},
        {u"txtOreApp"_s, u"09"_s, u"l'ora dell'appuntamento usando due cifre."_s},
        {u"txtMinutiApp"_s, u"05"_s, u"i minuti dell'ora dell'appuntamento usando due cifre."_s},
        {u"txtAvviso"_s, u"3"_s, u"i giorni di preavviso."_s},
        {u"txtCliente"_s, u"Rossi"_s, u"il nome del Cliente."_s},
        {u"txtOggetto"_s, u"Successione"_s,
         u"l'oggetto della pratica a cui la scadenza si riferisce."_s},
        {u"txtDettagli"_s, u"Bollo"_s, u"la causale della scadenza."_s},
    };
    for (const auto& [control, value, message] : steps) {
        SCOPED_TRACE(message.toStdString());
        const SeenBox box = g_screen.clickAndAnswer(u"cmdSalva"_s);
        EXPECT_EQ(box.text, prefix + message);
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        EXPECT_EQ(g_screen.widget()->focusWidget(), g_screen.on(control));
        g_screen.type(control, value);
    }
    // 31 April does not exist: a plain message, the focus on the day, nothing written.
    SeenBox box = g_screen.clickAndAnswer(u"cmdSalva"_s);
    EXPECT_EQ(box.text, u"Attenzione: la data 31/04/2024 non esiste.\n\r\n\rPer poter salvare la "
                        u"scheda \u00E8 necessario indicare una data valida."_s);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(g_screen.widget()->focusWidget(), g_screen.on(u"txtGiorno"_s));
    EXPECT_TRUE(bytesOf(path(2024)).isEmpty());
    g_screen.type(u"txtMese"_s, u"Marzolino"_s);
    box = g_screen.clickAndAnswer(u"cmdSalva"_s);
    EXPECT_EQ(box.text, u"Attenzione: selezionare il mese dal menu a cascata.\n\r\n\rPer poter "
                        u"salvare la scheda \u00E8 necessario indicare una data valida."_s);
    EXPECT_EQ(g_screen.widget()->focusWidget(), g_screen.on(u"txtMese"_s));
    // 29 February exists in 2024.
    g_screen.type(u"txtGiorno"_s, u"29"_s);
    g_screen.type(u"txtMese"_s, u"febbraio"_s);
    EXPECT_EQ(g_screen.clickAndAnswer(u"cmdSalva"_s).text,
              u"La scheda corrente \u00E8 stata salvata in archivio."_s);
    EXPECT_EQ(field(bytesOf(path(2024)), u"DataSca"), u"29/02/2024"_s);
}

TEST(DeadlineCard, AppendsAsRecordEightThenOverwritesWithTheLayoutBytes) {
    QList<records::Record> seven;
    for (int i = 1; i <= 7; ++i)
        seven << deadline(u"0%1/01/2024"_s.arg(i), u"1"_s);
    writeYear(2024, seven);
    enter();
    openYear(u"2024"_s);
    fillRequired();
    g_screen.type(u"txtCosto"_s, u"12,5"_s);
    g_screen.on<QCheckBox>(u"chkDaConfermare"_s)->setChecked(true);
    EXPECT_EQ(g_screen.clickAndAnswer(u"cmdSalva"_s).text,
              u"La scheda corrente \u00E8 stata salvata in archivio."_s);
    EXPECT_EQ(g_screen.shown(u"lblPosizione"_s), u"8"_s);
    QByteArray bytes = bytesOf(path(2024));
    ASSERT_EQ(bytes.size(), 8 * 1328);
    const QByteArray record = bytes.mid(7 * 1328);
    EXPECT_EQ(record.mid(0, 3), QByteArray("\x02"
                                           "05"));
    EXPECT_EQ(field(record, u"Mese"), u"Marzo"_s);
    EXPECT_EQ(field(record, u"Anno"), u"2024"_s);
    EXPECT_EQ(field(record, u"DataSca"), u"05/03/2024"_s);
    EXPECT_EQ(field(record, u"Ora"), u"00:00"_s);
    EXPECT_EQ(field(record, u"Causale"), u"Bollo auto"_s);
    EXPECT_EQ(record.mid(1322, 3), QByteArray("\x02S\xEC"));
    EXPECT_EQ(record.mid(1325, 3), QByteArray("\x02No"));

    g_screen.type(u"txtNote"_s, u"rinnovo"_s);
    EXPECT_EQ(g_screen.clickAndAnswer(u"cmdSalva"_s).text,
              u"Le modifiche apportate alla scheda corrente sono state salvate in archivio."_s);
    bytes = bytesOf(path(2024));
    ASSERT_EQ(bytes.size(), 8 * 1328);
    EXPECT_EQ(field(bytes.mid(7 * 1328), u"Note"), u"rinnovo"_s);

    // Duplica keeps client, practice, reason and boxes; empties the date; the time is 00:00.
    g_screen.type(u"txtOreApp"_s, u"10"_s);
    EXPECT_EQ(g_screen.clickAndAnswer(u"cmdDuplica"_s).text,
              u"E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl "
              u"termine premere Salva per inserire la scheda in archivio."_s);
    EXPECT_EQ(g_screen.shown(u"lblPosizione"_s), QString());
    EXPECT_EQ(g_screen.shown(u"txtGiorno"_s), QString());
    EXPECT_EQ(g_screen.shown(u"txtMese"_s), QString());
    EXPECT_EQ(g_screen.shown(u"txtOreApp"_s), u"00"_s);
    EXPECT_EQ(g_screen.shown(u"txtCliente"_s), u"Rossi Mario"_s);
    EXPECT_TRUE(g_screen.on<QCheckBox>(u"chkDaConfermare"_s)->isChecked());

    // Navigation shows stored records with their fields and flags.
    g_screen.click(u"cmdPrimo"_s);
    EXPECT_EQ(g_screen.shown(u"lblPosizione"_s), u"1"_s);
    EXPECT_EQ(g_screen.shown(u"txtGiorno"_s), u"01"_s);
    EXPECT_EQ(g_screen.shown(u"lblData"_s), u"01/01/2024"_s);
}

// The four drop-downs take no typing: Backspace empties, other keys do nothing, and a text
// that is not an entry is erased on leaving; the amount keeps digits and "," and is
// normalised on leaving; the printed card shows the screen as it is.
TEST(DeadlineCard, DropDownsAmountAndPrintedCard) {
    writeYear(2024, {});
    enter();
    openYear(u"2024"_s);
    g_screen.widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(g_screen.widget()));
    // The notice days stand between their two texts.
    auto* notice = g_screen.on(u"txtAvviso"_s);
    EXPECT_EQ(g_screen.shown(u"lblAvviso"_s), u"Avvisa n."_s);
    QStringList around;
    for (const QLabel* label : notice->parentWidget()->findChildren<QLabel*>())
        around << label->text();
    EXPECT_EQ(around, QStringList{u"giorni prima della scadenza."_s});
    auto* month = g_screen.on<QComboBox>(u"txtMese"_s);
    month->setFocus();
    month->setEditText(u"Marzo"_s);
    QTest::keyClick(month->lineEdit(), Qt::Key_X);
    EXPECT_EQ(month->currentText(), u"Marzo"_s);
    QTest::keyClick(month->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(month->currentText(), QString());
    month->setEditText(u"Marzolino"_s);
    auto* amount = g_screen.on<QLineEdit>(u"txtCosto"_s);
    amount->setFocus(); // leaving the month erases what is not an entry
    EXPECT_EQ(month->currentText(), QString());
    amount->clear();
    QTest::keyClicks(amount, u"12a,345-65"_s);
    EXPECT_EQ(amount->text(), u"12,34565"_s);
    g_screen.on(u"txtNote"_s)->setFocus();
    EXPECT_EQ(amount->text(), u"12,3457"_s);

    fillRequired();
    g_screen.on<QCheckBox>(u"chkEffettuata"_s)->setChecked(true);
    const auto printed = static_cast<ui::RecordCard*>(g_screen.widget())->cardReport();
    EXPECT_EQ(printed.title, u"SCHEDA SCADENZA / APPUNTAMENTO"_s);
    ASSERT_EQ(printed.rows.size(), 24);
    EXPECT_EQ(printed.rows[0].value, u"05 Marzo 2024"_s);
    EXPECT_EQ(printed.rows[1].value, u"00:00"_s);
    EXPECT_EQ(printed.rows[15].value, u"12,3457"_s);
    EXPECT_EQ(printed.rows[18].value, u"No"_s);
    EXPECT_EQ(printed.rows[19].value, u"S\u00EC"_s);
    EXPECT_EQ(printed.rows[23].label, u" "_s);
}

TEST(DeadlineCard, ImportCopiesTenPracticeFieldsAndNothingElse) {
    writeYear(2024, {});
    QFile::remove(g_folder + u"Pratiche.pro"_s);
    ASSERT_TRUE(
        writeRecords(g_folder + u"Pratiche.pro"_s,
                     {makeRecord(records::practiceLayout(), {{u"Oggetto", u"Ricorso TAR"_s},
                                                             {u"Tipologia", u"Amministrativa"_s},
                                                             {u"Protocollo", u"P-9"_s},
                                                             {u"Apertura", u"01/02/2024"_s},
                                                             {u"Chiusura", u"01/06/2024"_s},
                                                             {u"Stato", u"Aperta"_s},
                                                             {u"Consulente", u"Studio Verdi"_s},
                                                             {u"Cliente", u"Neri Paola"_s},
                                                             {u"Recapito", u"06 1234"_s},
                                                             {u"CodFisc", u"NRIPLA80A01H501X"_s},
                                                             {u"Note", u"non copiata"_s}})}));
    enter();
    openYear(u"2024"_s);
    fillRequired();
    QString tag;
    withNextModal([] { g_screen.click(u"cmdImporta"_s); },
                  [&](QWidget* dialog) {
                      tag = child<QLabel>(dialog, u"lblMemory"_s)->text();
                      child<QAbstractButton>(dialog, u"btnCerca"_s)->click();
                      static_cast<ui::ListScreen*>(dialog)->activateRow(0);
                  });
    EXPECT_EQ(tag, u"scadenzario"_s);
    const std::pair<QString, QString> copied[] = {
        {u"txtOggetto"_s, u"Ricorso TAR"_s},     {u"txtTipologia"_s, u"Amministrativa"_s},
        {u"txtProtocollo"_s, u"P-9"_s},          {u"txtApertura"_s, u"01/02/2024"_s},
        {u"txtChiusura"_s, u"01/06/2024"_s},     {u"txtStato"_s, u"Aperta"_s},
        {u"txtConsulente"_s, u"Studio Verdi"_s}, {u"txtCliente"_s, u"Neri Paola"_s},
        {u"txtRecapito"_s, u"06 1234"_s},        {u"txtCodFisc"_s, u"NRIPLA80A01H501X"_s}};
    for (const auto& [control, value] : copied)
        EXPECT_EQ(g_screen.shown(control), value) << control.toStdString();
    EXPECT_EQ(g_screen.shown(u"txtDettagli"_s), u"Bollo auto"_s);
    EXPECT_EQ(g_screen.shown(u"txtNote"_s), QString());
    EXPECT_EQ(g_screen.shown(u"txtGiorno"_s), u"05"_s);
}

// Deadlines of 10/03 15:00, 10/03 09:30, 09/03 18:00 and 06/03 08:00, stored in that order.
TEST(DueLists, SortedByKeyWithFileNumbersAndEditsReachOnlyTheExport) {
    QFile::remove(path(2025));
    writeYear(2024, {deadline(u"10/03/2024"_s, u"10"_s, {{u"Importo", u"10,00"_s}}, u"15:00"_s),
                     deadline(u"10/03/2024"_s, u"10"_s, {{u"Importo", u"20,00"_s}}, u"09:30"_s),
                     deadline(u"09/03/2024"_s, u"0"_s, {}, u"18:00"_s),
                     deadline(u"06/03/2024"_s, u"0"_s, {}, u"08:00"_s)});
    enter();
    // Imminent on 07/03: the first two (ten notice days); not 09/03 (no notice) nor 06/03.
    QStringList numbers, keys;
    withNextModal([] { g_screen.click(u"btnOK"_s); },
                  [&](QWidget* dialog) {
                      auto* grid = static_cast<ui::GridScreen*>(dialog);
                      EXPECT_EQ(dialog->windowTitle(), u" Scadenze imminenti"_s);
                      for (int r = 0; r < grid->rowCount(); ++r) {
                          numbers << grid->cellText(r, 0);
                          keys << grid->cellText(r, 20);
                      }
                      auto* view = child<QTableView>(dialog, u"grdRecords"_s);
                      view->model()->setData(view->model()->index(0, 15), u"99,99"_s);
                      answerBoxes([&] { child<QAbstractButton>(dialog, u"cmdEsporta"_s)->click(); },
                                  {u"S\u00EC"_s, u"No"_s});
                      static_cast<QDialog*>(dialog)->reject();
                  });
    EXPECT_EQ(numbers, (QStringList{u"2"_s, u"1"_s}));
    EXPECT_EQ(keys, (QStringList{u"03100930"_s, u"03101500"_s}));
    const QByteArray sheet = bytesOf(g_folder + u"Scadenze_Imminenti.xls"_s);
    EXPECT_TRUE(sheet.contains("Scadenze imminenti"));
    EXPECT_TRUE(sheet.contains("99,99"));
    EXPECT_FALSE(sheet.contains("20,00"));
    EXPECT_TRUE(sheet.contains("10,00"));
    EXPECT_FALSE(bytesOf(path(2024)).contains("99,99"));

    // The month of the calendar's date: all four, in date and time order.
    QStringList monthNumbers;
    withNextModal([] { g_screen.click(u"btnMese"_s); },
                  [&](QWidget* dialog) {
                      auto* grid = static_cast<ui::GridScreen*>(dialog);
                      for (int r = 0; r < grid->rowCount(); ++r)
                          monthNumbers << grid->cellText(r, 0);
                      static_cast<QDialog*>(dialog)->reject();
                  });
    EXPECT_EQ(monthNumbers, (QStringList{u"4"_s, u"3"_s, u"2"_s, u"1"_s}));
}

TEST(ConfirmationLists, SelectSortAndLoadTheCard) {
    writeYear(
        2024,
        {deadline(
             u"05/03/2024"_s, u"1"_s,
             {{u"Causale", u"Bollo"_s}, {u"Effettuato", u"No"_s}, {u"DaConfermare", u"S\u00EC"_s}}),
         deadline(
             u"06/03/2024"_s, u"1"_s,
             {{u"Causale", u"affitto"_s}, {u"Effettuato", u"No"_s}, {u"DaConfermare", u"No"_s}}),
         deadline(u"07/03/2024"_s, u"1"_s,
                  {{u"Causale", u"Canone"_s},
                   {u"Effettuato", u"S\u00EC"_s},
                   {u"DaConfermare", u"No"_s}})});
    enter();
    openYear(u"2024"_s);
    struct Case {
        QString button, caption;
        QStringList reasons;
    };
    const Case cases[] = {
        {u"cmdDaEffettuare"_s, u" Riepilogo pagamenti da effettuare"_s, {u"affitto"_s, u"Bollo"_s}},
        {u"cmdEffettuate"_s, u" Riepilogo pagamenti effettuati"_s, {u"Canone"_s}},
        {u"cmdDaConfermare"_s, u" Riepilogo appuntamenti da confermare"_s, {u"Bollo"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button.toStdString());
        QStringList reasons;
        QString caption;
        withNextModal([&] { g_screen.click(c.button); },
                      [&](QWidget* dialog) {
                          caption = dialog->windowTitle();
                          for (const QString& line : static_cast<ui::ListScreen*>(dialog)->lines())
                              reasons << line.left(30).trimmed();
                          static_cast<ui::ListScreen*>(dialog)->activateRow(0);
                      });
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(reasons, c.reasons);
        EXPECT_EQ(g_screen.shown(u"txtDettagli"_s), c.reasons.first());
    }
    EXPECT_EQ(g_screen.shown(u"lblPosizione"_s), u"1"_s); // Bollo, record 1
}

// An appointment written with the same line after the list was made (by another program):
// the double-click still loads the last record with that line.
TEST(ConfirmationLists, DoubleClickFindsATwinWrittenAfterTheList) {
    const auto appointment = [](const QString& note) {
        return deadline(u"05/03/2024"_s, u"1"_s,
                        {{u"Causale", u"Bollo"_s},
                         {u"Cliente", u"Rossi Mario"_s},
                         {u"Effettuato", u"No"_s},
                         {u"DaConfermare", u"S\u00EC"_s},
                         {u"Note", note}});
    };
    const auto other = [](int day) {
        return deadline(u"%1/03/2024"_s.arg(day, 2, 10, QChar(u'0')), u"1"_s,
                        {{u"Causale", u"Canone"_s}, {u"DaConfermare", u"No"_s}});
    };
    const QList<records::Record> first = {other(1), other(2), other(3), other(4),
                                          appointment(u"quinto"_s)};
    struct Case {
        const char* what;
        QList<records::Record> listed, changedTo;
        QString position, note;
    };
    const Case cases[] = {
        {"unchanged", first, {}, u"5"_s, u"quinto"_s},
        {"a twin appended", first, first + QList{appointment(u"sesto"_s)}, u"6"_s, u"sesto"_s},
        {"the last record overwritten with a twin", first + QList{other(6)},
         first + QList{appointment(u"sesto"_s)}, u"6"_s, u"sesto"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeYear(2024, c.listed);
        ASSERT_TRUE(ageFile(path(2024))); // saved long ago: the list may trust its record
        enter();
        openYear(u"2024"_s);
        withNextModal([&] { g_screen.click(u"cmdDaConfermare"_s); },
                      [&](QWidget* dialog) {
                          auto* list = static_cast<ui::ListScreen*>(dialog);
                          EXPECT_EQ(dialog->objectName(), u"TfrmDaConfermare"_s);
                          ASSERT_EQ(list->lineCount(), 1);
                          EXPECT_EQ(list->positionAt(0), 5);
                          if (!c.changedTo.isEmpty()) {
                              ASSERT_TRUE(writeRecords(path(2024), c.changedTo));
                          }
                          list->activateRow(0);
                      });
        EXPECT_EQ(g_screen.shown(u"lblPosizione"_s), c.position);
        EXPECT_EQ(g_screen.shown(u"txtNote"_s), c.note);
    }
}

TEST(DeadlineSearch, FiltersCountAndLoadAndExportTheWholeYear) {
    QList<records::Record> year;
    for (int i = 1; i <= 12; ++i)
        year << deadline(u"%1/03/2024"_s.arg(i, 2, 10, QChar(u'0')), u"1"_s,
                         {{u"Cliente", i % 2 ? u"Rossi Mario"_s : u"ROSSINI ANNA"_s},
                          {u"Causale", i == 4 ? u"IMU saldo"_s : u"Affitto"_s}});
    writeYear(2024, year);
    writeYear(2025, {});
    enter();
    openYear(u"2024"_s);
    QString count;
    withNextModal([] { g_screen.click(u"cmdTrova"_s); },
                  [&](QWidget* dialog) {
                      EXPECT_EQ(dialog->windowTitle(), u" Trova scadenze pagamenti in archivio"_s);
                      EXPECT_EQ(child<QLabel>(dialog, u"lblMemory"_s)->text(), u"Scadenzario"_s);
                      child<QLineEdit>(dialog, u"txtCliente"_s)->setText(u"ROSSI"_s);
                      child<QLineEdit>(dialog, u"txtDettagli"_s)->setText(u"imu"_s);
                      child<QLineEdit>(dialog, u"txtNote"_s)->setText(u"   "_s);
                      child<QAbstractButton>(dialog, u"btnCerca"_s)->click();
                      count = child<QLabel>(dialog, u"lblTrovate"_s)->text();
                      static_cast<ui::ListScreen*>(dialog)->activateRow(0);
                  });
    EXPECT_EQ(count, u"Il presente elenco contiene 1 schede."_s);
    EXPECT_EQ(g_screen.shown(u"lblPosizione"_s), u"4"_s);
    EXPECT_EQ(g_screen.shown(u"txtCliente"_s), u"ROSSINI ANNA"_s);

    int rows = -1;
    withNextModal([] { g_screen.click(u"cmdEsporta"_s); },
                  [&](QWidget* dialog) {
                      EXPECT_EQ(dialog->windowTitle(),
                                u" Esporta archivio Scadenzario pagamenti"_s);
                      rows = static_cast<ui::GridScreen*>(dialog)->rowCount();
                      answerBoxes([&] { child<QAbstractButton>(dialog, u"cmdEsporta"_s)->click(); },
                                  {u"S\u00EC"_s, u"No"_s});
                      static_cast<QDialog*>(dialog)->reject();
                  });
    EXPECT_EQ(rows, 12);
    const QByteArray sheet = bytesOf(g_folder + u"Scadenze_e_Appuntamenti.xls"_s);
    EXPECT_TRUE(sheet.contains("Scadenze e appuntamenti"));
    EXPECT_EQ(sheet.count("<tr"), 13);
    EXPECT_FALSE(sheet.contains("Codice univoco"));
}

} // namespace

// Every field of the deadline card with a typing rule: text pasted, or committed by an input
// method, meets the rule that its keys meet.
TEST(DeadlineCard, PastedAndInputMethodTextKeepsEveryTypingRule) {
    writeYear(2024, {});
    enter();
    openYear(u"2024"_s);
    struct Case {
        const char16_t* field;
        QString before, pasted, after;
    };
    const Case cases[] = {
        {u"txtAvviso", u"3"_s, u"dieci"_s, u"3"_s},
        {u"txtAvviso", u"3"_s, u"-5"_s, u"3"_s},
        {u"txtAvviso", u"3"_s, u"15"_s, u"15"_s},
        {u"txtCosto", u"5,00"_s, u"-12,50"_s, u"5,00"_s},
        {u"txtCosto", u"5,00"_s, u"12,50\u20AC"_s, u"5,00"_s},
        {u"txtCosto", u"5,00"_s, u"1.234,50"_s, u"5,00"_s},
        {u"txtCosto", u"5,00"_s, u"1234,5678"_s, u"1234,5678"_s},
        {u"txtGiorno", u"05"_s, u"5 maggio"_s, u"05"_s},
        {u"txtGiorno", u"05"_s, u"32"_s, u"05"_s},
        {u"txtGiorno", u"05"_s, u"12"_s, u"12"_s},
        {u"txtMese", u"Marzo"_s, u"Marzolino"_s, u"Marzo"_s},
        {u"txtMese", u"Marzo"_s, u"Aprile"_s, u"Aprile"_s},
        {u"txtOreApp", u"09"_s, u"25"_s, u"09"_s},
        {u"txtOreApp", u"09"_s, u"10"_s, u"10"_s},
        {u"txtMinutiApp", u"30"_s, u"3O"_s, u"30"_s},
        {u"txtMinutiApp", u"30"_s, u"45"_s, u"45"_s},
        {u"txtCodFisc", u""_s, u"nripla80a01h501x"_s, u"NRIPLA80A01H501X"_s},
    };
    for (const Case& c : cases) {
        for (const PasteWay way : kPasteWays) {
            const QString name = QString::fromUtf16(c.field);
            SCOPED_TRACE(name.toStdString() + " <- " + c.pasted.toStdString() + " by " +
                         pasteWayName(way));
            EXPECT_EQ(pastedInto(g_screen.on(name), c.before, c.pasted, way), c.after);
        }
    }
    // A stored form out of its rule is refused at Save with the focus on the field.
    fillRequired();
    g_screen.type(u"txtCosto"_s, u"-3,50"_s);
    const SeenBox box = answerNextBox([] { g_screen.click(u"cmdSalva"_s); });
    EXPECT_TRUE(box.text.startsWith(u"Attenzione: l'importo indicato non \u00E8 valido."_s));
    EXPECT_EQ(g_screen.widget()->focusWidget(), g_screen.on(u"txtCosto"_s));
    EXPECT_TRUE(bytesOf(path(2024)).isEmpty());
    // Shown whole, an amount longer than its record field is refused rather than stored cut.
    g_screen.type(u"txtCosto"_s, u"1234567890123,4567"_s);
    EXPECT_EQ(g_screen.shown(u"txtCosto"_s), u"1234567890123,4567"_s);
    EXPECT_EQ(answerNextBox([] { g_screen.click(u"cmdSalva"_s); }).text,
              u"Attenzione: l'importo indicato \u00E8 troppo grande per essere salvato in "
              u"archivio."_s);
    EXPECT_TRUE(bytesOf(path(2024)).isEmpty());
}

// The year of the open archive is shown large beside day and month, with no caption of its own.
TEST(DeadlineCard, TheYearIsShownLargeBesideDayAndMonth) {
    writeYear(2024, {});
    enter();
    openYear(u"2024"_s);
    auto* year = g_screen.on<QLabel>(u"lblAnno"_s);
    EXPECT_EQ(year->text(), u"2024"_s);
    EXPECT_GE(year->font().pointSizeF(), 1.6 * g_screen.on(u"txtGiorno"_s)->font().pointSizeF());
    EXPECT_EQ(g_screen.widget()->findChildren<QLabel*>(u"lblAnno"_s).size(), 1);
    for (const QLabel* label : g_screen.on(u"panContainer"_s)->findChildren<QLabel*>())
        EXPECT_NE(label->text(), u"Anno:"_s);
}
