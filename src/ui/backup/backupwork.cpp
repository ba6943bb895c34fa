#include "backupwork.h"

#include "backup/backupsettings.h"
#include "programfolder.h"
#include "protocol/numbering.h"
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

qint64 folderBytes(const QString& backupFolder) {
    qint64 total = 0;
    const QString root = programFolder();
    for (const QString& name : backup::inventory(root, backupFolder).files)
        total += QFileInfo(root + u'/' + name).size();
    return total;
}

} // namespace

backup::Outcome makeCopyWithProgress(QWidget* parent, const QString& backupFolder,
                                     backup::Kind kind) {
    const QDateTime now = QDateTime::currentDateTime();
    return withProgress(parent, u"Copia di sicurezza in corso\u2026"_s, folderBytes(backupFolder),
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
        backup::loadSettings(protocol::settingsPath(), programFolder());
    if (!settings.automatic) return;
    if (backup::hasAutomaticCopyOf(settings.folder, QDate::currentDate())) return;
    const backup::Outcome made =
        makeCopyWithProgress(parent, settings.folder, backup::Kind::Automatic);
    if (made.cancelled) return;
    if (!made.ok) {
        msg::warning(parent, u"Attenzione: non \u00E8 stato possibile creare la copia di "
                             u"sicurezza automatica nella cartella\n\r"_s +
                                 settings.folder);
        return;
    }
    backup::recordVerification(settings.folder, QFileInfo(made.path).fileName(),
                               u"Integra, "_s +
                                   QDateTime::currentDateTime().toString(u"dd/MM/yyyy HH:mm"_s));
    backup::rotateAutomaticCopies(settings.folder, settings.keep);
}

} // namespace tavolex::ui
