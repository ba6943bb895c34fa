#include "backupwork.h"

#include "backup/backupsettings.h"
#include "backup/restore.h"
#include "dates/clock.h"
#include "programfolder.h"
#include "settings/programsettings.h"
#include "ui/common/messages.h"
#include "ui/common/wait.h"

#include <QDateTime>
#include <QFileInfo>

namespace tavolex::ui {

using namespace Qt::StringLiterals;

namespace {

// The progress window counts in kibibytes: the totals of a large folder overflow nothing.
constexpr qint64 kUnit = 1024;

backup::Outcome withProgress(QWidget* parent, const QString& label, qint64 totalBytes,
                             std::function<backup::Outcome(const backup::Progress&)> work) {
    return runWithProgress<backup::Outcome>(parent, label,
                                            qsizetype(std::max<qint64>(1, totalBytes / kUnit)),
                                            [work = std::move(work)](const Progress& progress) {
                                                return work([&progress](qint64 done, qint64) {
                                                    return progress(qsizetype(done / kUnit));
                                                });
                                            });
}

qint64 folderBytes() {
    qint64 total = 0;
    const QString root = programFolder();
    for (const QString& name : backup::inventory(root).files)
        total += QFileInfo(root + u'/' + name).size();
    return total;
}

} // namespace

QString copyFailureDetail(const backup::Outcome& made) {
    switch (made.refusal) {
    case backup::Refusal::FolderIsProgramFolder:
        return u"\n\r\n\rLa cartella delle copie non pu\u00F2 essere la cartella degli "
               u"archivi: ogni copia conterrebbe tutte le precedenti. Scegliere un'altra "
               u"cartella."_s;
    case backup::Refusal::FolderInsideCopy:
        return u"\n\r\n\rLa cartella delle copie non pu\u00F2 trovarsi in una cartella che "
               u"le copie contengono (allegati o pratiche). Scegliere un'altra cartella."_s;
    case backup::Refusal::UnusableFiles:
        return u"\n\r\n\rNon \u00E8 possibile copiare questi file (nome non valido, "
               u"collegamento interrotto o file speciale):\n\r"_s +
               made.damaged.join(u"\n\r"_s);
    case backup::Refusal::None:
    case backup::Refusal::NotACopy:
        break;
    }
    if (!made.damaged.isEmpty())
        return u"\n\r\n\rFile che non \u00E8 stato possibile copiare:\n\r"_s +
               made.damaged.join(u"\n\r"_s);
    return u"\n\r\n\rAccertarsi che la cartella sia raggiungibile, scrivibile e che il "
           u"disco non sia pieno."_s;
}

QString verificationText(const backup::Outcome& checked) {
    const QString stamp = dates::Clock::now().toString(u"dd/MM/yyyy HH:mm"_s);
    if (checked.ok) return u"Integra, "_s + stamp;
    if (checked.refusal == backup::Refusal::NotACopy) return u"Non \u00E8 una copia, "_s + stamp;
    if (checked.damaged.isEmpty()) return u"Danneggiata, "_s + stamp;
    return u"Danneggiata ("_s + checked.damaged.join(u", "_s) + u"), "_s + stamp;
}

backup::Outcome makeCopyWithProgress(QWidget* parent, const QString& backupFolder,
                                     backup::Kind kind) {
    const QDateTime now = dates::Clock::now();
    return withProgress(parent, u"Copia di sicurezza in corso\u2026"_s, folderBytes(),
                        [backupFolder, kind, now](const backup::Progress& progress) {
                            return backup::createCopy(programFolder(), backupFolder, now, kind,
                                                      progress);
                        });
}

backup::Outcome verifyWithProgress(QWidget* parent, const QString& zipPath) {
    return withProgress(parent, u"Verifica della copia in corso\u2026"_s, QFileInfo(zipPath).size(),
                        [zipPath](const backup::Progress& progress) {
                            return backup::verifyCopy(zipPath, progress);
                        });
}

backup::Outcome restoreWithProgress(QWidget* parent, const QString& zipPath) {
    return withProgress(parent, u"Ripristino in corso\u2026"_s, QFileInfo(zipPath).size(),
                        [zipPath](const backup::Progress& progress) {
                            return backup::restoreCopy(zipPath, programFolder(), progress);
                        });
}

void makeAutomaticCopyAtClose(QWidget* parent) {
    const backup::Settings settings =
        backup::loadSettings(settings::programSettingsPath(), programFolder());
    if (!settings.automatic) return;
    if (backup::hasAutomaticCopyOf(settings.folder, dates::Clock::today())) return;
    const backup::Outcome made =
        makeCopyWithProgress(parent, settings.folder, backup::Kind::Automatic);
    if (made.cancelled) return;
    if (!made.ok) {
        msg::warning(parent, u"Attenzione: non \u00E8 stato possibile creare la copia di "
                             u"sicurezza automatica nella cartella\n\r"_s +
                                 settings.folder + copyFailureDetail(made));
        return;
    }
    backup::recordVerification(settings.folder, QFileInfo(made.path).fileName(),
                               verificationText(backup::Outcome{.ok = true}));
    backup::rotateAutomaticCopies(settings.folder, settings.keep);
}

} // namespace tavolex::ui
