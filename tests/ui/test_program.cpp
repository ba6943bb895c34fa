// The program as a whole against its surroundings: a second copy on the same program
// folder, and a file-size limit met in the middle of a save.
#include "files/folderlock.h"
#include "records/layouts.h"
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

} // namespace

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
