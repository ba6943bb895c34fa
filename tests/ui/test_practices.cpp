// The practices application inside the whole program: card, document list, folder, search,
// urgent list and export, driven by objectName with real message boxes answered.
#include "support/program.h"
#include "support/recordfixtures.h"
#include "support/uitest.h"

#include "records/layouts.h"
#include "records/record.h"
#include "ui/app/application.h"
#include "ui/common/clock.h"
#include "ui/common/exportgrid.h"
#include "ui/common/listscreen.h"
#include "ui/common/misc.h"
#include "ui/common/recordcard.h"
#include "ui/practices/TfrmTrovaPratica.h"

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
#include <QTest>
#include <gtest/gtest.h>

using namespace tavolex;
using namespace tavolex::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const ScreenDriver g_screen(u"TfrmPratica"_s);
const QString& g_folder = ProgramEnvironment::folder();
QStringList& g_opened = ProgramEnvironment::opened();

QByteArray archiveBytes() {
    QFile f(g_folder + u"Pratiche.pro"_s);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
QString field(const QByteArray& record, const char16_t* name) {
    const auto& layout = records::practiceLayout();
    return records::readField(record.constData(), layout.field(layout.indexOf(QStringView(name))));
}
records::Record practice(FieldValues values) {
    return makeRecord(records::practiceLayout(), values);
}
void freshArchive(const QList<records::Record>& records = {}) {
    QFile::remove(g_folder + u"Pratiche.pro"_s);
    if (!records.isEmpty()) {
        ASSERT_TRUE(writeRecords(g_folder + u"Pratiche.pro"_s, records));
    }
}
void openCard() {
    if (!g_screen.widget()->isVisible())
        child<QAbstractButton>(topLevel(u"TfrmAvvio"_s), u"btnPratiche"_s)->click();
    ASSERT_TRUE(g_screen.widget()->isVisible());
}
void fillRequired() {
    g_screen.type(u"txtOggetto"_s, u"Successione"_s);
    g_screen.type(u"txtProtocollo"_s, u"P-17"_s);
    g_screen.type(u"txtApertura"_s, u"02/01/2025"_s);
    g_screen.type(u"txtCliente"_s, u"Rossi Mario"_s);
}

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(
    new ProgramEnvironment(QDateTime(QDate(2025, 3, 15), QTime(9, 0))));

TEST(PracticeCard, OpensFromTheMenuAndNewProposesOnlyTheOpeningDate) {
    freshArchive();
    openCard();
    EXPECT_EQ(g_screen.widget()->windowTitle(), u" Tavolex - Archivio Pratiche"_s);
    EXPECT_EQ(g_screen.shown(u"panInfo"_s), u"Pronto per stampare una nuova scheda..."_s);
    EXPECT_EQ(g_screen.shown(u"txtApertura"_s), QString()); // showing the card does not fill it
    g_screen.type(u"txtNote"_s, u"resto"_s);
    g_screen.click(u"cmdNuovo"_s);
    EXPECT_EQ(g_screen.shown(u"txtApertura"_s), u"15/03/2025"_s);
    EXPECT_EQ(g_screen.shown(u"txtNote"_s), QString());
    EXPECT_EQ(g_screen.on<QComboBox>(u"txtStato"_s)->count(), 5);
    const SeenBox box = g_screen.clickAndAnswer(u"cmdSalva"_s);
    EXPECT_EQ(box.text, u"Attenzione: per salvare la scheda \u00E8 necessario indicare "
                        u"l'oggetto della pratica."_s);
    EXPECT_TRUE(archiveBytes().isEmpty());
    g_screen.click(u"cmdEsci"_s);
    EXPECT_FALSE(g_screen.widget()->isVisible());
    EXPECT_TRUE(topLevel(u"TfrmAvvio"_s)->isVisible());
}

TEST(PracticeCard, SaveChecksInOrderAndFocusesTheField) {
    freshArchive();
    openCard();
    g_screen.click(u"cmdNuovo"_s);
    const QString prefix = u"Attenzione: per salvare la scheda \u00E8 necessario indicare "_s;
    const std::tuple<QString, QString, QString> steps[] = {
        {u"txtOggetto"_s, u"Successione"_s, u"l'oggetto della pratica."_s},
        {u"txtProtocollo"_s, u"P-17"_s, u"il numero di protocollo della pratica."_s},
        {u"txtApertura"_s, u"02/01/2025"_s, u"la data di apertura della pratica."_s},
        {u"txtCliente"_s, u"Rossi Mario"_s, u"il nome del Cliente."_s},
    };
    g_screen.type(u"txtApertura"_s, u"   "_s);
    for (const auto& [control, value, message] : steps) {
        SCOPED_TRACE(control.toStdString());
        const SeenBox box = g_screen.clickAndAnswer(u"cmdSalva"_s);
        EXPECT_EQ(box.text, prefix + message);
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        EXPECT_EQ(g_screen.widget()->focusWidget(), g_screen.on(control));
        g_screen.type(control, value);
    }
    EXPECT_EQ(g_screen.clickAndAnswer(u"cmdSalva"_s).text,
              u"La scheda corrente \u00E8 stata inserita in archivio."_s);
    EXPECT_EQ(g_screen.shown(u"lblPosizione"_s), u"1"_s);
}

TEST(PracticeCard, WritesTheRecordLayoutAndLoadsAFileWrittenElsewhere) {
    freshArchive();
    openCard();
    g_screen.click(u"cmdNuovo"_s);
    fillRequired();
    g_screen.type(u"txtStato"_s,
                  u"Attesa perizia del tribunale"_s); // typed by hand, not in the list
    g_screen.type(u"txtProvRes"_s, u"mi"_s);
    g_screen.on<QCheckBox>(u"chkUrgente"_s)->setChecked(true);
    g_screen.on<QLabel>(u"lblDoc05"_s)->setText(u"Visura"_s);
    g_screen.on<QLabel>(u"lblFile02"_s)->setText(u"atto.pdf"_s);
    g_screen.clickAndAnswer(u"cmdSalva"_s);
    const QByteArray bytes = archiveBytes();
    ASSERT_EQ(bytes.size(), 5075);
    EXPECT_EQ(bytes.mid(0, 12), QByteArray("\x0bSuccessione"));
    EXPECT_EQ(bytes.mid(1934, 3), QByteArray("\x02S\xEC"));
    EXPECT_EQ(field(bytes, u"Stato"), u"Attesa perizia del tribunale"_s);
    EXPECT_EQ(field(bytes, u"Doc05"), u"Visura"_s);
    EXPECT_EQ(bytes.mid(1937 + 51 * 4, 7), QByteArray("\x06Visura"));
    EXPECT_EQ(field(bytes, u"File02"), u"atto.pdf"_s);

    // A file written in this layout elsewhere: every field comes back on the card.
    freshArchive({practice({{u"Oggetto", u"Ricorso TAR"_s},
                            {u"Stato", u"Sospesa"_s},
                            {u"ProvRes", u"RM"_s},
                            {u"Urgente", u"No"_s},
                            {u"Doc32", u"Ultimo documento"_s},
                            {u"Desc03", u"ricevuta"_s}})});
    g_screen.click(u"cmdPrimo"_s);
    EXPECT_EQ(g_screen.shown(u"lblPosizione"_s), u"1"_s);
    EXPECT_EQ(g_screen.shown(u"txtOggetto"_s), u"Ricorso TAR"_s);
    EXPECT_EQ(g_screen.shown(u"txtStato"_s), u"Sospesa"_s);
    EXPECT_EQ(g_screen.shown(u"txtProvRes"_s), u"RM"_s);
    EXPECT_FALSE(g_screen.on<QCheckBox>(u"chkUrgente"_s)->isChecked());
    EXPECT_EQ(g_screen.shown(u"lblDoc32"_s), u"Ultimo documento"_s);
    EXPECT_EQ(g_screen.shown(u"lblDesc03"_s), u"ricevuta"_s);
}

TEST(PracticeCard, ClientImportReplacesTheEightClientFieldsTrimmed) {
    freshArchive();
    QByteArray client = makeRecord(records::clientLayout(), {{u"Recapito", u"06 1234"_s},
                                                             {u"IndirizzoRes", u"Via Po 1"_s},
                                                             {u"ComuneRes", u"Roma"_s},
                                                             {u"ProvRes", u"RM"_s},
                                                             {u"CapRes", u"00100"_s},
                                                             {u"CodFisc", u"NRIPLA80A01H501X"_s},
                                                             {u"PartitaIva", u"01234567890"_s},
                                                             {u"Note", u"non copiata"_s}})
                            .bytes();
    const QByteArray name = "  Neri Paola ";
    client[0] = char(name.size());
    client.replace(1, name.size(), name);
    QFile clients(g_folder + u"Clienti.pro"_s);
    ASSERT_TRUE(clients.open(QIODevice::WriteOnly));
    clients.write(client);
    clients.close();

    openCard();
    g_screen.click(u"cmdNuovo"_s);
    g_screen.type(u"txtOggetto"_s, u"Successione"_s);
    g_screen.type(u"txtCliente"_s, u"Vecchio Cliente"_s);
    g_screen.type(u"txtNote"_s, u"restano"_s);
    QString tag;
    withNextModal([] { g_screen.click(u"impCliente"_s); },
                  [&](QWidget* dialog) {
                      tag = child<QLabel>(dialog, u"lblMemory"_s)->text();
                      child<QAbstractButton>(dialog, u"btnCerca"_s)->click();
                      static_cast<ui::ListScreen*>(dialog)->activateRow(0);
                  });
    EXPECT_EQ(tag, u"pratica"_s);
    EXPECT_EQ(g_screen.shown(u"txtCliente"_s), u"Neri Paola"_s);
    EXPECT_EQ(g_screen.shown(u"txtRecapito"_s), u"06 1234"_s);
    EXPECT_EQ(g_screen.shown(u"txtProvRes"_s), u"RM"_s);
    EXPECT_EQ(g_screen.shown(u"txtCodFisc"_s), u"NRIPLA80A01H501X"_s);
    EXPECT_EQ(g_screen.shown(u"txtPartitaIva"_s), u"01234567890"_s);
    EXPECT_EQ(g_screen.shown(u"txtOggetto"_s), u"Successione"_s);
    EXPECT_EQ(g_screen.shown(u"txtNote"_s), u"restano"_s);
    EXPECT_EQ(g_screen.shown(u"txtApertura"_s), u"15/03/2025"_s);
    QFile::remove(g_folder + u"Clienti.pro"_s);
}

TEST(PracticeCard, DocumentListAppliesWithItsGapsAndAnnullaChangesNothing) {
    freshArchive();
    openCard();
    g_screen.click(u"cmdNuovo"_s);
    fillRequired();
    QStringList seen;
    withNextModal(
        [] { g_screen.click(u"btnElenco"_s); },
        [&](QWidget* dialog) {
            EXPECT_EQ(dialog->objectName(), u"TfrmDettagli"_s);
            for (int i = 1; i <= 32; ++i)
                seen << child<QLineEdit>(dialog, u"txtDoc%1"_s.arg(i, 2, 10, QChar(u'0')))->text();
            child<QLineEdit>(dialog, u"txtDoc01"_s)->setText(u"Atto"_s);
            child<QLineEdit>(dialog, u"txtDoc03"_s)->setText(u"  Perizia "_s);
            child<QAbstractButton>(dialog, u"btnChiudi"_s)->click();
        });
    EXPECT_EQ(seen, QStringList(32, QString()));
    EXPECT_EQ(g_screen.shown(u"lblDoc01"_s), u"Atto"_s);
    EXPECT_EQ(g_screen.shown(u"lblDoc02"_s), QString());
    EXPECT_EQ(g_screen.shown(u"lblDoc03"_s), u"Perizia"_s);

    withNextModal([] { g_screen.click(u"btnElenco"_s); },
                  [&](QWidget* dialog) {
                      EXPECT_EQ(child<QLineEdit>(dialog, u"txtDoc03"_s)->text(), u"Perizia"_s);
                      child<QLineEdit>(dialog, u"txtDoc02"_s)->setText(u"annullato"_s);
                      child<QAbstractButton>(dialog, u"btnAnnulla"_s)->click();
                  });
    EXPECT_EQ(g_screen.shown(u"lblDoc02"_s), QString());

    g_screen.clickAndAnswer(u"cmdSalva"_s);
    const QByteArray bytes = archiveBytes();
    EXPECT_EQ(field(bytes, u"Doc01"), u"Atto"_s);
    EXPECT_EQ(field(bytes, u"Doc02"), QString());
    EXPECT_EQ(field(bytes, u"Doc03"), u"Perizia"_s);

    // The card's print shows documents 1 to 5 as applied.
    const auto* practiceCard = static_cast<ui::RecordCard*>(g_screen.widget());
    const auto printed = practiceCard->cardReport();
    ASSERT_EQ(printed.rows.size(), 24);
    EXPECT_EQ(printed.title, u"SCHEDA DETTAGLI PRATICA"_s);
    EXPECT_EQ(printed.rows[15].value, u"N. "_s);
    EXPECT_EQ(printed.rows[21].label, u"Documento associato 3:"_s);
    EXPECT_EQ(printed.rows[21].value, u"Perizia"_s);
}

TEST(PracticeCard, FolderNeedsASavedPracticeThenIsCreatedAndOpened) {
    freshArchive();
    openCard();
    g_screen.click(u"cmdNuovo"_s);
    const SeenBox box = g_screen.clickAndAnswer(u"cmdCartella"_s);
    EXPECT_EQ(box.text, u"Attenzione: l'abbinamento di una cartella ad una pratica pu\u00F2 "
                        u"avvenire soltanto dopo che la scheda \u00E8 stata inserita in "
                        u"archivio."_s);
    EXPECT_FALSE(QDir(g_folder + u"Pratica_1"_s).exists());

    fillRequired();
    g_screen.clickAndAnswer(u"cmdSalva"_s);
    g_opened.clear();
    for (int round = 0; round < 2; ++round) {
        QString tag;
        withNextModal([] { g_screen.click(u"cmdCartella"_s); },
                      [&](QWidget* dialog) {
                          tag = child<QLabel>(dialog, u"lblMemory"_s)->text();
                          child<QAbstractButton>(dialog, u"btnApriCartella"_s)->click();
                      });
        EXPECT_EQ(tag, u"1"_s);
    }
    EXPECT_TRUE(QDir(g_folder + u"Pratica_1"_s).exists());
    EXPECT_EQ(g_opened, QStringList(2, u'"' + g_folder + u"Pratica_1\""_s));
}

TEST(PracticeLists, SearchHandsBackToItsCallerAndUrgentListLoadsTheCard) {
    freshArchive(
        {practice({{u"Oggetto", u"Divisione"_s}, {u"Stato", u"Chiusa e saldata"_s}}),
         practice(
             {{u"Oggetto", u"Ricorso"_s}, {u"Protocollo", u"P-2"_s}, {u"Urgente", u"S\u00EC"_s}}),
         practice({{u"Oggetto", u"Perizia"_s}, {u"Urgente", u"No"_s}})});
    // The deadline card's tag: the practice comes back to the caller, whatever it does.
    std::optional<ui::ChosenRecord> picked;
    withNextModal([&] { picked = ui::TfrmTrovaPratica::pick(nullptr, u"scadenzario"_s); },
                  [](QWidget* dialog) {
                      child<QLineEdit>(dialog, u"txtStato"_s)->setText(u"chiusa"_s);
                      child<QAbstractButton>(dialog, u"btnCerca"_s)->click();
                      EXPECT_EQ(child<QLabel>(dialog, u"lblTrovate"_s)->text(),
                                u"Il presente riepilogo contiene 1 schede."_s);
                      static_cast<ui::ListScreen*>(dialog)->activateRow(0);
                  });
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(picked->position, 1);

    openCard();
    g_screen.click(u"cmdNuovo"_s);
    int lines = -1;
    withNextModal([] { g_screen.click(u"cmdUrgente"_s); },
                  [&](QWidget* dialog) {
                      EXPECT_EQ(dialog->windowTitle(), u" Riepilogo pratiche urgenti"_s);
                      lines = static_cast<ui::ListScreen*>(dialog)->lineCount();
                      static_cast<ui::ListScreen*>(dialog)->activateRow(0);
                  });
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(g_screen.shown(u"txtOggetto"_s), u"Ricorso"_s);
    EXPECT_EQ(g_screen.shown(u"lblPosizione"_s), u"2"_s);
    EXPECT_TRUE(g_screen.on<QCheckBox>(u"chkUrgente"_s)->isChecked());
}

// The first Enter in "txtTrova" only moves the focus to "Trova"; Enter on "Trova" searches,
// one match at a time.
TEST(PracticeLists, EnterInTheSearchFieldMovesToTrovaWhichEnterPresses) {
    freshArchive({practice({{u"Oggetto", u"Ricorso A"_s}}), practice({{u"Oggetto", u"Perizia"_s}}),
                  practice({{u"Oggetto", u"Ricorso B"_s}})});
    QList<int> rows;
    bool focusedTrova = false;
    withNextModal([&] { ui::TfrmTrovaPratica::pick(nullptr, u"scadenzario"_s); },
                  [&](QWidget* dialog) {
                      auto* list = static_cast<ui::ListScreen*>(dialog);
                      child<QAbstractButton>(dialog, u"btnCerca"_s)->click();
                      auto* find = child<QLineEdit>(dialog, u"txtTrova"_s);
                      auto* trova = child<QPushButton>(dialog, u"btnTrova"_s);
                      find->setText(u"ricorso"_s);
                      find->setFocus();
                      rows << list->selectedRow();
                      QTest::keyClick(find, Qt::Key_Return);
                      focusedTrova = dialog->focusWidget() == trova;
                      rows << list->selectedRow();
                      QTest::keyClick(trova, Qt::Key_Return);
                      rows << list->selectedRow();
                      QTest::keyClick(trova, Qt::Key_Enter);
                      rows << list->selectedRow();
                      static_cast<QDialog*>(dialog)->reject();
                  });
    EXPECT_TRUE(focusedTrova);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[1], rows[0]); // the first Enter did not search
    EXPECT_NE(rows[2], rows[1]); // each Enter on "Trova" goes to the next match
    EXPECT_NE(rows[3], rows[2]);
    EXPECT_NE(rows[3], -1);
}

// Every field of the practice card with a typing rule: pasted or input-method text meets it.
TEST(PracticeCard, PastedAndInputMethodTextKeepsEveryTypingRule) {
    openCard();
    g_screen.click(u"cmdNuovo"_s);
    const PasteCase cases[] = {
        {u"txtPartitaIva", u"1"_s, u"IT01234567890"_s, u"1"_s},
        {u"txtPartitaIva", u"1"_s, u"01234567890"_s, u"01234567890"_s},
        {u"txtCodFisc", u""_s, u"nrip la80"_s, u"NRIPLA80"_s},
        {u"txtProvRes", u""_s, u"rm"_s, u"RM"_s},
    };
    for (const PasteCase& c : cases)
        for (const PasteWay way : kPasteWays) {
            const QString name = QString::fromUtf16(c.field);
            SCOPED_TRACE(name.toStdString() + " <- " + c.pasted.toStdString() + " by " +
                         pasteWayName(way));
            EXPECT_EQ(pastedInto(g_screen.on(name), c.before, c.pasted, way), c.after);
        }
    g_screen.click(u"cmdNuovo"_s);
}

TEST(PracticeLists, ExportWritesTheTwentyColumnsOfEveryPractice) {
    freshArchive({practice({{u"Oggetto", u"Divisione & co."_s}, {u"Urgente", u"S\u00EC"_s}}),
                  practice({{u"Oggetto", u"Ricorso"_s}, {u"Doc01", u"Atto segreto"_s}}),
                  practice({{u"Oggetto", u"Perizia"_s}, {u"Note", u"ultima"_s}})});
    openCard();
    QFile::remove(g_folder + u"Pratiche.xls"_s);
    int rows = -1;
    withNextModal([] { g_screen.click(u"cmdExcel"_s); },
                  [&](QWidget* dialog) {
                      EXPECT_EQ(dialog->objectName(), u"TfrmExpPratiche"_s);
                      rows = static_cast<ui::GridScreen*>(dialog)->rowCount();
                      answerBoxes([&] { child<QAbstractButton>(dialog, u"cmdEsporta"_s)->click(); },
                                  {u"S\u00EC"_s, u"No"_s});
                      static_cast<QDialog*>(dialog)->reject();
                  });
    EXPECT_EQ(rows, 3);
    QFile xls(g_folder + u"Pratiche.xls"_s);
    ASSERT_TRUE(xls.open(QIODevice::ReadOnly));
    const QByteArray sheet = xls.readAll();
    EXPECT_TRUE(sheet.contains("Riepilogo Pratiche"));
    EXPECT_TRUE(sheet.contains("Pagamenti da effettuare"));
    EXPECT_TRUE(sheet.contains("Divisione &amp; co."));
    EXPECT_TRUE(sheet.contains("ultima"));
    EXPECT_FALSE(sheet.contains("Atto segreto"));
    EXPECT_FALSE(sheet.contains("S\xEC"));
    EXPECT_EQ(sheet.count("<tr"), 4); // the header row and three practices
}

} // namespace
