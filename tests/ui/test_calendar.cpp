// The "Calendario" commands of the deadline card and of the payments-due list, their settings
// screen and the calendar file kept current by every save, inside the whole program.
#include "support/program.h"
#include "support/recordfixtures.h"
#include "support/uitest.h"

#include "calendar/icsexport.h"
#include "records/layouts.h"
#include "records/record.h"
#include "ui/common/calendarfiles.h"
#include "ui/movements/TfrmSospesiMov.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavolex;
using namespace tavolex::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const ScreenDriver g_screen(u"TfrmScadenzario"_s);
const QString& g_folder = ProgramEnvironment::folder();

QByteArray bytesOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

records::Record deadline(const QString& date, const QString& time, const QString& reason) {
    return makeRecord(records::deadlineLayout(), {{u"DataSca", date},
                                                  {u"Giorno", date.left(2)},
                                                  {u"Mese", u"Marzo"_s},
                                                  {u"Anno", date.right(4)},
                                                  {u"Ore", time.left(2)},
                                                  {u"Minuti", time.right(2)},
                                                  {u"Ora", time},
                                                  {u"Preavviso", u"2"_s},
                                                  {u"Cliente", u"Rossi Mario"_s},
                                                  {u"Causale", reason}});
}

// Fills the settings screen and answers the message that follows "Esporta".
SeenBox exportFrom(const QString& command, bool keepCurrent, const QString& folder,
                   const QString& answer) {
    SeenBox box;
    withNextModal([&] { g_screen.click(command); },
                  [&](QWidget* dialog) {
                      EXPECT_EQ(dialog->objectName(), u"TfrmImpostaCalendario"_s);
                      child<QCheckBox>(dialog, u"chkAggiorna"_s)->setChecked(keepCurrent);
                      child<QLineEdit>(dialog, u"txtCartella"_s)->setText(folder);
                      box = answerNextBox(
                          [&] { child<QPushButton>(dialog, u"btnEsporta"_s)->click(); }, answer);
                      if (dialog->isVisible()) child<QPushButton>(dialog, u"btnChiudi"_s)->click();
                  });
    return box;
}

class CalendarProgram : public ProgramEnvironment {
public:
    CalendarProgram() : ProgramEnvironment(QDateTime(QDate(2024, 3, 7), QTime(9, 0))) {}
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new CalendarProgram);

void openDeadlineYear() {
    QWidget* menu = topLevel(u"TfrmAvvio"_s);
    if (g_screen.widget()->isVisible()) g_screen.click(u"cmdEsci"_s);
    child<QAbstractButton>(menu, u"btnScadenzario"_s)->click();
    ASSERT_TRUE(g_screen.widget()->isVisible());
    g_screen.type(u"txtAnno"_s, u"2024"_s);
    g_screen.click(u"btnApri"_s);
}

TEST(DeadlineCalendar, ExportsToTheChosenFolderAndEverySaveRewritesTheFile) {
    records::Record damaged = deadline(u"31/02/2024"_s, u"10:00"_s, u"Rovinata"_s);
    ASSERT_TRUE(writeRecords(g_folder + u"2024.sca"_s,
                             {deadline(u"05/03/2024"_s, u"00:00"_s, u"Bollo auto"_s), damaged,
                              deadline(u"31/03/2024"_s, u"02:30"_s, u"Udienza"_s)}));
    const QString synced = g_folder + u"Sincronizzata"_s;
    ASSERT_TRUE(QDir().mkpath(synced));
    openDeadlineYear();

    // A folder that does not exist is refused before anything is written.
    const SeenBox refused = exportFrom(u"cmdCalendario"_s, true, g_folder + u"Manca"_s, {});
    EXPECT_EQ(refused.icon, QMessageBox::Warning);
    EXPECT_EQ(refused.text,
              u"Attenzione: la cartella indicata non esiste:\r\n"_s + g_folder + u"Manca"_s);

    ProgramEnvironment::opened().clear();
    const QString file = synced + u"/Scadenze_2024.ics"_s;
    const SeenBox box = exportFrom(u"cmdCalendario"_s, true, synced, u"S\u00EC"_s);
    EXPECT_EQ(box.text, u"Il file del calendario\r\n"_s + QDir::toNativeSeparators(file) +
                            u"\r\ncontiene 2 eventi.\r\n1 scheda con data, ora o preavviso "
                            u"illeggibili non \u00E8 stata esportata.\r\n\r\nSi vuole aprirlo con "
                            u"il calendario?"_s);
    EXPECT_EQ(ProgramEnvironment::opened(), QStringList{file});
    const QByteArray ics = bytesOf(file);
    EXPECT_TRUE(ics.contains("UID:2024-1-scadenza@tavolex"));
    EXPECT_TRUE(ics.contains("DTSTART;TZID=Europe/Rome:20240331T030000"));
    EXPECT_FALSE(QFile::exists(g_folder + u"Scadenze_2024.ics"_s));
    const QByteArray ini = bytesOf(g_folder + u"Cartovia.ini"_s);
    EXPECT_TRUE(
        ini.contains(QByteArray("[Calendario]\r\nAggiorna=S\xEC\r\nCartella=" + synced.toUtf8())));

    // A new deadline saved on the card is in the file at once.
    g_screen.type(u"txtGiorno"_s, u"20"_s);
    g_screen.type(u"txtMese"_s, u"Marzo"_s);
    g_screen.type(u"txtAvviso"_s, u"3"_s);
    g_screen.type(u"txtCliente"_s, u"Bianchi Anna"_s);
    g_screen.type(u"txtOggetto"_s, u"Successione"_s);
    g_screen.type(u"txtDettagli"_s, u"Deposito atti"_s);
    g_screen.clickAndAnswer(u"cmdSalva"_s);
    EXPECT_TRUE(bytesOf(file).contains("UID:2024-4-scadenza@tavolex"));
    EXPECT_TRUE(bytesOf(file).contains("SUMMARY:Deposito atti - Bianchi Anna"));

    // Without "Aggiorna" a save leaves the file as it was.
    exportFrom(u"cmdCalendario"_s, false, synced, u"No"_s);
    const QByteArray before = bytesOf(file);
    g_screen.type(u"txtDettagli"_s, u"Deposito memoria"_s);
    g_screen.clickAndAnswer(u"cmdSalva"_s);
    EXPECT_EQ(bytesOf(file), before);
    g_screen.click(u"cmdEsci"_s);
}

// Enter in the folder or on the check box moves on and never exports by itself, whatever the
// folder: an existing one (nothing written), a missing one (no warning). Only Enter on
// "Esporta" exports.
TEST(DeadlineCalendar, EnterInTheSettingsOnlyMovesOn) {
    ASSERT_TRUE(writeRecords(g_folder + u"2024.sca"_s,
                             {deadline(u"05/03/2024"_s, u"10:00"_s, u"Bollo auto"_s)}));
    const QString target = g_folder + u"Invio"_s;
    ASSERT_TRUE(QDir().mkpath(target));
    const QString file = target + u"/Scadenze_2024.ics"_s;
    const QByteArray ini = bytesOf(g_folder + u"Cartovia.ini"_s);
    for (const QString& folder : QStringList{target, g_folder + u"Manca"_s}) {
        SCOPED_TRACE(folder.toStdString());
        ui::TfrmImpostaCalendario dialog(calendar::Kind::Deadlines,
                                         records::archiveId(records::ArchiveKind::Deadlines, 2024));
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        auto* field = child<QLineEdit>(&dialog, u"txtCartella"_s);
        auto* keep = child<QCheckBox>(&dialog, u"chkAggiorna"_s);
        auto* esporta = child<QPushButton>(&dialog, u"btnEsporta"_s);
        field->setText(folder);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            field->setFocus();
            EXPECT_FALSE(answerNextBox([&] { QTest::keyClick(field, key); }).seen);
            EXPECT_EQ(QApplication::focusWidget(), keep);
            EXPECT_FALSE(answerNextBox([&] { QTest::keyClick(keep, key); }).seen);
            EXPECT_EQ(QApplication::focusWidget(), esporta);
            EXPECT_TRUE(dialog.isVisible());
        }
        EXPECT_FALSE(QFile::exists(file));
        EXPECT_EQ(bytesOf(g_folder + u"Cartovia.ini"_s), ini);
        EXPECT_EQ(field->text(), folder);
        dialog.close();
    }

    // Enter on the focused "Esporta" presses it.
    ui::TfrmImpostaCalendario dialog(calendar::Kind::Deadlines,
                                     records::archiveId(records::ArchiveKind::Deadlines, 2024));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    child<QLineEdit>(&dialog, u"txtCartella"_s)->setText(target);
    auto* esporta = child<QPushButton>(&dialog, u"btnEsporta"_s);
    esporta->setFocus();
    const SeenBox box = answerNextBox([&] { QTest::keyClick(esporta, Qt::Key_Return); }, u"No"_s);
    EXPECT_TRUE(box.text.startsWith(u"Il file del calendario\r\n"_s)) << box.text.toStdString();
    EXPECT_TRUE(QFile::exists(file));
    ASSERT_TRUE(calendar::writeSettings({}).ok());
}

// A save that cannot rewrite the kept calendar file (its folder is gone) keeps the record and
// warns, in the words of every warning.
TEST(DeadlineCalendar, ASaveThatCannotRewriteTheFileWarns) {
    ASSERT_TRUE(writeRecords(g_folder + u"2024.sca"_s,
                             {deadline(u"05/03/2024"_s, u"10:00"_s, u"Bollo auto"_s)}));
    const QString gone = g_folder + u"Sparita"_s;
    ASSERT_TRUE(calendar::writeSettings({true, gone}).ok());
    openDeadlineYear();
    g_screen.type(u"txtGiorno"_s, u"21"_s);
    g_screen.type(u"txtMese"_s, u"Marzo"_s);
    g_screen.type(u"txtAvviso"_s, u"1"_s);
    g_screen.type(u"txtCliente"_s, u"Neri Luca"_s);
    g_screen.type(u"txtOggetto"_s, u"Perizia di parte"_s);
    g_screen.type(u"txtDettagli"_s, u"Perizia"_s);
    const QList<SeenBox> boxes =
        answerBoxes([&] { g_screen.click(u"cmdSalva"_s); }, {QString(), QString(), QString()});
    QStringList warnings;
    for (const SeenBox& b : boxes)
        if (b.icon == QMessageBox::Warning) warnings << b.text;
    ASSERT_EQ(warnings.size(), 1) << boxes.size();
    const QString file = QDir::toNativeSeparators(gone + u"/Scadenze_2024.ics"_s);
    EXPECT_TRUE(warnings[0].startsWith(u"Attenzione: il calendario non \u00E8 stato aggiornato."
                                       u"\r\n\r\nNon \u00E8 stato possibile scrivere il file "
                                       u"del calendario\r\n"_s +
                                       file + u"\r\n\r\n"_s))
        << warnings[0].toStdString();
    EXPECT_EQ(QFileInfo(g_folder + u"2024.sca"_s).size(),
              2 * records::deadlineLayout().recordSize());
    ASSERT_TRUE(calendar::writeSettings({}).ok());
    g_screen.click(u"cmdEsci"_s);
}

TEST(PaymentsCalendar, TheDueListWritesTheUnsettledPaymentsWithADueDate) {
    const QString no = u"No"_s;
    auto movement = [&](const QString& due, const QString& settled, const QString& reason) {
        return makeRecord(records::movementLayout(), {{u"Entrata", no},
                                                      {u"Uscita", u"S\u00EC"_s},
                                                      {u"Data", u"01/02/2024"_s},
                                                      {u"DataSca", due},
                                                      {u"Preavviso", u"5"_s},
                                                      {u"Causale", reason},
                                                      {u"Importo", u"80,00"_s},
                                                      {u"Beneficiario", u"Enel"_s},
                                                      {u"Saldato", settled}});
    };
    const QString archive = g_folder + u"2024.eur"_s;
    ASSERT_TRUE(writeRecords(archive, {movement(u"10/03/2024"_s, no, u"Luce"_s),
                                       movement(u"11/03/2024"_s, u"S\u00EC"_s, u"Gas"_s),
                                       movement(u""_s, no, u"Acqua"_s)}));
    ui::TfrmSospesiMov list;
    list.setArchive(records::archiveId(records::ArchiveKind::Movements, 2024));
    list.show();
    const ScreenDriver screen(u"TfrmSospesiMov"_s);
    EXPECT_FALSE(screen.on(u"cmdCalendario"_s)->toolTip().isEmpty());
    SeenBox box;
    withNextModal([&] { screen.click(u"cmdCalendario"_s); },
                  [&](QWidget* dialog) {
                      child<QLineEdit>(dialog, u"txtCartella"_s)->clear();
                      box = answerNextBox(
                          [&] { child<QPushButton>(dialog, u"btnEsporta"_s)->click(); }, u"No"_s);
                  });
    const QString file = g_folder + u"Pagamenti_2024.ics"_s;
    EXPECT_EQ(box.text, u"Il file del calendario\r\n"_s + QDir::toNativeSeparators(file) +
                            u"\r\ncontiene 1 evento.\r\n\r\nSi vuole aprirlo con il calendario?"_s);
    const QByteArray ics = bytesOf(file);
    EXPECT_TRUE(ics.contains("UID:2024-1-pagamento@tavolex"));
    EXPECT_TRUE(ics.contains("SUMMARY:Luce - Enel"));
    EXPECT_TRUE(ics.contains("TRIGGER:-P5D"));
    EXPECT_FALSE(ics.contains("Gas"));
    list.close();
}

} // namespace
