// The backup screen inside the whole program: settings kept in the settings file, a copy made
// and listed, verification of a damaged copy, restore refused while an application is open
// and done from the main menu, the automatic copy when the main menu closes the program.
#include "backup/backupcopy.h"
#include "support/program.h"
#include "ui/common/screens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tavolex;
using namespace tavolex::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSi = u"S\u00EC"_s;
const QString& g_folder = ProgramEnvironment::folder();
const ScreenDriver g_copies(u"TfrmCopie"_s);

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(
    new ProgramEnvironment(QDateTime(QDate(2026, 12, 10), QTime(18, 30))));

QString backups() {
    return g_folder + u"Copie_di_sicurezza"_s;
}

void openScreen() {
    ui::Screens::show(u"TfrmCopie"_s);
    QApplication::processEvents();
}

void put(const QString& name, const QByteArray& bytes) {
    QFile file(g_folder + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QTableWidget* grid() {
    return g_copies.on<QTableWidget>(u"grdCopie"_s);
}

TEST(BackupScreen, SettingsStartAsDefaultsAndAreKeptInTheSettingsFile) {
    openScreen();
    EXPECT_EQ(g_copies.widget()->windowTitle(), u" Tavolex - Copie di sicurezza"_s);
    EXPECT_EQ(QDir::fromNativeSeparators(g_copies.shown(u"txtCartella"_s)), backups());
    EXPECT_TRUE(g_copies.on<QCheckBox>(u"chkAutomatica"_s)->isChecked());
    EXPECT_EQ(g_copies.on<QSpinBox>(u"txtConserva"_s)->value(), 10);
    // The default folder is on the archives' disk: the notice says so.
    EXPECT_FALSE(g_copies.on<QLabel>(u"lblStessoDisco"_s)->isHidden());
    for (const QString& command : {u"cmdSfoglia"_s, u"cmdCrea"_s, u"cmdVerifica"_s,
                                   u"cmdRipristina"_s, u"cmdGuida"_s, u"cmdEsci"_s})
        EXPECT_NE(g_copies.on(command), nullptr) << command.toStdString();
    // The standard commands carry their standard captions and pictures.
    for (const auto& [command, caption] :
         {std::pair{u"cmdGuida"_s, u"Guida"_s}, std::pair{u"cmdEsci"_s, u"Esci"_s}}) {
        EXPECT_EQ(g_copies.on<QAbstractButton>(command)->text(), caption);
        EXPECT_FALSE(g_copies.on<QAbstractButton>(command)->icon().isNull());
    }

    g_copies.on<QSpinBox>(u"txtConserva"_s)->setValue(3);
    g_copies.on<QCheckBox>(u"chkAutomatica"_s)->setChecked(false);
    const QByteArray ini = fileBytes(g_folder + u"Cartovia.ini"_s);
    EXPECT_TRUE(ini.contains("[CopieSicurezza]")) << ini.constData();
    EXPECT_TRUE(ini.contains("Conserva=3"));
    EXPECT_TRUE(ini.contains("Automatica=0"));
    g_copies.on<QCheckBox>(u"chkAutomatica"_s)->setChecked(true);
    g_copies.on<QSpinBox>(u"txtConserva"_s)->setValue(10);
    g_copies.click(u"cmdEsci"_s);
}

TEST(BackupScreen, ACopyIsMadeListedVerifiedAndRestored) {
    put(u"Clienti.pro"_s, QByteArray(3372, 'A'));
    openScreen();
    const SeenBox made = g_copies.clickAndAnswer(u"cmdCrea"_s);
    EXPECT_EQ(made.icon, QMessageBox::Information) << made.text.toStdString();
    EXPECT_TRUE(made.text.startsWith(u"La copia di sicurezza \u00E8 stata creata:"_s));
    ASSERT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(grid()->item(0, 1)->text(), u"Manuale"_s);
    EXPECT_TRUE(grid()->item(0, 4)->text().startsWith(u"Integra"_s));
    const QString copy = backup::findCopies(backups()).value(0).path;
    ASSERT_FALSE(copy.isEmpty());
    EXPECT_EQ(backup::countFiles(copy), grid()->item(0, 3)->text().toInt());

    // The archive changes, then the copy is restored from the main menu's screen.
    put(u"Clienti.pro"_s, QByteArray(3372 * 2, 'B'));
    grid()->selectRow(0);
    const QList<SeenBox> boxes = answerBoxes([] { g_copies.click(u"cmdRipristina"_s); }, {kSi, {}});
    ASSERT_EQ(boxes.size(), 2) << boxes.value(0).text.toStdString();
    EXPECT_EQ(boxes[0].icon, QMessageBox::Question);
    EXPECT_TRUE(boxes[0].text.contains(u"copia del "_s)) << boxes[0].text.toStdString();
    EXPECT_TRUE(boxes[1].text.startsWith(u"Gli archivi sono stati ripristinati"_s))
        << boxes[1].text.toStdString();
    EXPECT_EQ(fileBytes(g_folder + u"Clienti.pro"_s), QByteArray(3372, 'A'));
    // The state before the restore is kept in a copy of its own.
    bool before = false;
    for (const backup::FoundCopy& c : backup::findCopies(backups()))
        before = before || c.kind == backup::Kind::BeforeRestore;
    EXPECT_TRUE(before);
    // It was read back as it was made: its last verification shows.
    for (int row = 0; row < grid()->rowCount(); ++row) {
        if (grid()->item(row, 1)->text() != u"Prima del ripristino"_s) continue;
        EXPECT_TRUE(grid()->item(row, 4)->text().startsWith(u"Integra, "_s))
            << grid()->item(row, 4)->text().toStdString();
    }
    g_copies.click(u"cmdEsci"_s);
}

TEST(BackupScreen, ADamagedCopyIsReportedAndNotRestored) {
    QDir().mkpath(backups());
    const QString broken = backups() + u"/Tavolex_2026-01-01_10-00-00.zip"_s;
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("PK\x03\x04 not really a zip");
    file.close();
    put(u"Clienti.pro"_s, QByteArray(3372, 'C'));
    openScreen();
    int row = -1;
    for (int r = 0; r < grid()->rowCount(); ++r)
        if (grid()->item(r, 0)->text() == u"01/01/2026 10:00:00"_s) row = r;
    ASSERT_GE(row, 0);
    grid()->selectRow(row);
    const SeenBox checked = g_copies.clickAndAnswer(u"cmdVerifica"_s);
    EXPECT_EQ(checked.icon, QMessageBox::Warning);
    EXPECT_TRUE(checked.text.startsWith(u"Attenzione: la copia \u00E8 danneggiata"_s));
    grid()->selectRow(row);
    EXPECT_TRUE(grid()->item(row, 4)->text().startsWith(u"Danneggiata"_s));
    const QList<SeenBox> boxes = answerBoxes([] { g_copies.click(u"cmdRipristina"_s); }, {kSi, {}});
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes[1].text.startsWith(u"Attenzione"_s));
    EXPECT_EQ(fileBytes(g_folder + u"Clienti.pro"_s), QByteArray(3372, 'C'));
    g_copies.click(u"cmdEsci"_s);
}

TEST(BackupScreen, RestoreIsRefusedWhileAnApplicationIsOpen) {
    openScreen();
    ASSERT_GT(grid()->rowCount(), 0);
    grid()->selectRow(0);
    ui::Screens::show(u"TfrmClienti"_s);
    QApplication::processEvents();
    const SeenBox refused = g_copies.clickAndAnswer(u"cmdRipristina"_s);
    EXPECT_EQ(refused.text, u"Attenzione: chiudere tutte le applicazioni prima di ripristinare "
                            u"una copia di sicurezza."_s);
    ui::Screens::get(u"TfrmClienti"_s)->hide();
    g_copies.click(u"cmdEsci"_s);
}

TEST(BackupScreen, ClosingTheMainMenuMakesTheDaysAutomaticCopyOnce) {
    auto automaticCopies = [] {
        int n = 0;
        for (const backup::FoundCopy& c : backup::findCopies(backups()))
            n += c.kind == backup::Kind::Automatic ? 1 : 0;
        return n;
    };
    ASSERT_EQ(automaticCopies(), 0);
    ui::Screens::show(u"TfrmAvvio"_s);
    QWidget* menu = ui::Screens::get(u"TfrmAvvio"_s);
    ASSERT_NE(child<QToolButton>(menu, u"btnCopie"_s), nullptr);
    EXPECT_FALSE(child<QToolButton>(menu, u"btnCopie"_s)->toolTip().isEmpty());
    menu->close();
    EXPECT_EQ(automaticCopies(), 1);
    // A second closing the same day makes none.
    ui::Screens::show(u"TfrmAvvio"_s);
    menu->close();
    EXPECT_EQ(automaticCopies(), 1);
}

TEST(BackupScreen, ACopiesFolderThatWouldHoldItsOwnCopiesIsRefused) {
    openScreen();
    const QString chosen = g_copies.shown(u"txtCartella"_s);
    const QStringList refused = {g_folder, g_folder + u"Documenti_Allegati"_s};
    for (const QString& folder : refused) {
        g_copies.on<QLineEdit>(u"txtCartella"_s)->setText(folder);
        const SeenBox box = g_copies.clickAndAnswer(u"cmdCrea"_s);
        EXPECT_EQ(box.icon, QMessageBox::Warning) << folder.toStdString();
        EXPECT_TRUE(
            box.text.startsWith(u"Attenzione: non \u00E8 stato possibile creare la copia"_s))
            << box.text.toStdString();
        EXPECT_TRUE(box.text.contains(u"La cartella delle copie non pu\u00F2"_s))
            << box.text.toStdString();
        EXPECT_TRUE(backup::findCopies(folder).isEmpty()) << folder.toStdString();
    }
    // The folder typed is kept as the field is left: the chosen one goes back the same way.
    g_copies.on<QLineEdit>(u"txtCartella"_s)->setText(chosen);
    Q_EMIT g_copies.on<QLineEdit>(u"txtCartella"_s)->editingFinished();
    g_copies.click(u"cmdEsci"_s);
}

// A copy whose stored bytes were damaged inside one file: the warning and the list name it.
TEST(BackupScreen, VerifyingNamesTheDamagedFile) {
    QDir().mkpath(g_folder + u"Documenti_Allegati"_s);
    QByteArray noise(400'000, Qt::Uninitialized);
    quint32 seed = 11;
    for (char& c : noise) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    put(u"Documenti_Allegati/grande.bin"_s, noise);
    openScreen();
    const SeenBox made = g_copies.clickAndAnswer(u"cmdCrea"_s);
    ASSERT_EQ(made.icon, QMessageBox::Information) << made.text.toStdString();
    QFile::remove(g_folder + u"Documenti_Allegati/grande.bin"_s);
    const QString copy = backup::findCopies(backups()).value(0).path;
    QFile zip(copy);
    ASSERT_TRUE(zip.open(QIODevice::ReadWrite));
    QByteArray bytes = zip.readAll();
    for (qsizetype i = bytes.size() / 2; i < bytes.size() / 2 + 32; ++i)
        bytes[i] = char(bytes[i] ^ 0x33);
    zip.seek(0);
    zip.write(bytes);
    zip.close();
    openScreen();
    grid()->selectRow(0);
    const SeenBox checked = g_copies.clickAndAnswer(u"cmdVerifica"_s);
    EXPECT_EQ(checked.text, u"Attenzione: la copia \u00E8 danneggiata. File non integri:\n\r"
                            u"Documenti_Allegati/grande.bin"_s);
    EXPECT_TRUE(
        grid()->item(0, 4)->text().startsWith(u"Danneggiata (Documenti_Allegati/grande.bin), "_s))
        << grid()->item(0, 4)->text().toStdString();
    QFile::remove(copy);
    g_copies.click(u"cmdEsci"_s);
}

} // namespace
