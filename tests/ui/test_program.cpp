// The program as a whole against its surroundings: a second copy on the same program
// folder, and a file-size limit met in the middle of a save.
#include "backup/backupcopy.h"
#include "backup/restore.h"
#include "files/folderlock.h"
#include "records/layouts.h"
#include "security/passwordstore.h"
#include "support/uitest.h"
#include "ui/app/application.h"
#include "ui/common/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavolex;
using namespace tavolex::test;
using namespace tavolex::ui;
using namespace Qt::Literals::StringLiterals;

namespace {

// Every entry of a folder with its size and time of last change, to show that nothing was
// touched.
QStringList snapshot(const QString& folder) {
    QStringList entries;
    for (const QFileInfo& info : QDir(folder).entryInfoList(
             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
        entries << info.fileName() + u' ' + QString::number(info.size()) + u' ' +
                       QString::number(info.lastModified().toMSecsSinceEpoch()) + u' ' +
                       QString::number(info.metadataChangeTime().toMSecsSinceEpoch());
    return entries;
}

// Another copy of the program holding `folder`, in a process of its own, until killed.
pid_t otherCopyHolding(const QString& folder) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        files::FolderLock lock(folder);
        const char locked = lock.tryLock() ? 1 : 0;
        if (write(ready[1], &locked, 1) != 1) _exit(1);
        for (;;)
            pause();
    }
    char locked = 0;
    const bool told = read(ready[0], &locked, 1) == 1;
    close(ready[0]);
    close(ready[1]);
    return child > 0 && told && locked ? child : -1;
}

// Whether a new copy could take the folder now (asked from a process of its own).
bool anotherCopyCouldStart(const QString& folder) {
    const pid_t child = fork();
    if (child == 0) _exit(files::FolderLock(folder).tryLock() ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool visible(const QString& screen) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == screen && w->isVisible()) return true;
    return false;
}

TEST(Program, SecondCopyOnTheSameFolderIsRefusedAndACrashedCopyBlocksNothing) {
    const QString folder = makeProgramFolder();
    const pid_t other = otherCopyHolding(folder);
    ASSERT_GT(other, 0);
    const QStringList before = snapshot(folder);

    bool started = true;
    const SeenBox box = answerNextBox([&] { started = startApplication(); }, u"OK"_s);
    EXPECT_FALSE(started);
    EXPECT_TRUE(box.seen);
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.text, u"Attenzione: Tavolex \u00E8 gi\u00E0 in uso con questa cartella di "
                        u"archivi sul computer "_s +
                            QSysInfo::machineHostName() + u'.');
    EXPECT_FALSE(visible(u"TfrmPassword"_s));
    EXPECT_EQ(snapshot(folder), before) << "the refused copy touched the folder";

    // The first copy dies without releasing the folder: the next start takes it over.
    kill(other, SIGKILL);
    waitpid(other, nullptr, 0);
    ASSERT_TRUE(QFile::exists(folder + u"tavolex.lock"_s));
    msg::answerNextBoxes({});
    EXPECT_TRUE(startApplication());
    EXPECT_TRUE(msg::takeShownBoxes().isEmpty());
    EXPECT_TRUE(visible(u"TfrmPassword"_s));
    EXPECT_FALSE(anotherCopyCouldStart(folder));

    stopApplication();
    EXPECT_FALSE(QFile::exists(folder + u"tavolex.lock"_s));
    EXPECT_TRUE(anotherCopyCouldStart(folder));
}

// A file-size limit (a quota, a limit set by the administrator) met by a save: the save
// fails with the access error and the archive keeps its whole records, instead of the
// program being ended by the system. The test leaves SIGXFSZ as the program sets it.
TEST(Program, SaveBeyondAFileSizeLimitIsAnAccessErrorNotAnEnd) {
    const QString folder = makeProgramFolder();
    ASSERT_TRUE(startApplication());
    QWidget* card = topLevel(u"TfrmClienti"_s);
    const auto save = [card](const QString& name) {
        child<QAbstractButton>(card, u"cmdNuovo"_s)->click();
        child<QLineEdit>(card, u"txtCliente"_s)->setText(name);
        return answerNextBox([card] { child<QAbstractButton>(card, u"cmdSalva"_s)->click(); });
    };
    const QString archive = folder + u"Clienti.pro"_s;
    const qint64 size = records::clientLayout().recordSize();
    EXPECT_EQ(save(u"Rossi Mario"_s).icon, QMessageBox::Information);
    EXPECT_EQ(save(u"Neri Anna"_s).icon, QMessageBox::Information);
    ASSERT_EQ(QFileInfo(archive).size(), 2 * size);

    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limit = old;
    limit.rlim_cur = rlim_t(2 * size + size / 3); // a third of the record fits
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const SeenBox box = save(u"Bianchi Luca"_s);
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.text, msg::archiveAccessErrorText());
    EXPECT_EQ(QFileInfo(archive).size(), 2 * size);
    stopApplication();
}

// A restore killed after its last move, before it could note that it was done: the next
// start undoes it before the password window, and the password of that state opens the
// main menu with every file as it was.
TEST(Program, ARestoreKilledHalfWayIsUndoneBeforeThePasswordWindow) {
    const QString folder = makeProgramFolder();
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    };
    write(u"Clienti.pro"_s, QByteArray(3372, 'A'));
    QTemporaryDir copies;
    const backup::Outcome made = backup::createCopy(
        folder, copies.path(), QDateTime(QDate(2026, 12, 1), QTime(9, 0)), backup::Kind::Manual);
    ASSERT_TRUE(made.ok) << made.cause.toStdString();
    write(u"Clienti.pro"_s, QByteArray(3372 * 2, 'B'));
    write(u"2027.sca"_s, QByteArray(100, 's'));
    ASSERT_TRUE(security::PasswordStore(folder + u"unins000.dll"_s).write(u"NUOVA"_s));

    // A first, whole restore counts the moves; then the later state is made again.
    int moves = 0;
    ASSERT_TRUE(backup::restoreCopy(made.path, folder, {}, [&](int at) {
                    moves = at;
                    return true;
                }).ok);
    ASSERT_GT(moves, 3);
    write(u"Clienti.pro"_s, QByteArray(3372 * 2, 'B'));
    write(u"2027.sca"_s, QByteArray(100, 's'));
    ASSERT_TRUE(security::PasswordStore(folder + u"unins000.dll"_s).write(u"NUOVA"_s));
    const QStringList before =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    const pid_t restorer = fork();
    if (restorer == 0) {
        backup::restoreCopy(made.path, folder, {}, [&](int at) {
            if (at == moves) _exit(9);
            return true;
        });
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(restorer, &status, 0), restorer);
    ASSERT_EQ(WEXITSTATUS(status), 9);
    ASSERT_TRUE(QFileInfo::exists(folder + u"ripristino.journal"_s));

    ASSERT_TRUE(startApplication());
    EXPECT_TRUE(visible(u"TfrmPassword"_s));
    QStringList after =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    after.removeAll(u"tavolex.lock"_s);
    EXPECT_EQ(after, before);
    QFile archive(folder + u"Clienti.pro"_s);
    ASSERT_TRUE(archive.open(QIODevice::ReadOnly));
    EXPECT_EQ(archive.readAll(), QByteArray(3372 * 2, 'B'));
    QWidget* password = topLevel(u"TfrmPassword"_s);
    child<QLineEdit>(password, u"txtPassword"_s)->setText(u"nuova"_s);
    child<QAbstractButton>(password, u"cmdOK"_s)->click();
    QApplication::processEvents();
    EXPECT_TRUE(visible(u"TfrmAvvio"_s));
    stopApplication();
}

// A journal that cannot be followed (damaged, or naming what no restore writes) moves
// nothing, and the start says so instead of going on in silence.
TEST(Program, ARestoreJournalThatCannotBeFollowedIsToldAtStart) {
    const QString folder = makeProgramFolder();
    QFile journal(folder + u"ripristino.journal"_s);
    ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    journal.write("Tavolex ripristino 1\nlavoro ../../etc\naccanto .ripristino-abcdef\n");
    journal.close();
    QDir().mkpath(folder + u".ripristino-abcdef"_s);
    bool started = false;
    const SeenBox box = answerNextBox([&] { started = startApplication(); }, u"OK"_s);
    EXPECT_TRUE(started);
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_TRUE(box.text.startsWith(u"Attenzione: un ripristino interrotto"_s))
        << box.text.toStdString();
    EXPECT_TRUE(QFileInfo::exists(folder + u".ripristino-abcdef"_s));
    EXPECT_TRUE(QFileInfo::exists(folder + u"ripristino.journal"_s));
    stopApplication();
}

} // namespace
