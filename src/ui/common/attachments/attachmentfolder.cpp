#include "attachmentfolder.h"

#include "TfrmAllegaCartella.h"
#include "core/files/regularfile.h"
#include "core/files/safewrite.h"
#include "core/programfolder.h"
#include "ui/common/filechooser.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"
#include "ui/common/wait.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>

namespace tavolex::ui::attachments {

using namespace Qt::Literals::StringLiterals;

QString folder() {
    return tavolex::programPath(u"Documenti_Allegati/"_s);
}

bool isPlainName(const QString& name) {
    const QString bare = name.trimmed();
    return bare != u"."_s && bare != u".."_s && !bare.contains(u'/');
}

QString pathOf(const QString& name) {
    return isPlainName(name) ? folder() + name.trimmed() : QString();
}

void open(const QString& name) {
    const QString path = pathOf(name);
    if (!path.isEmpty()) TMisc::Open(u'"' + path + u'"');
}

namespace {

// Files at least this large are copied behind a progress window.
constexpr qint64 kShowProgressFrom = 8 * 1024 * 1024;

bool copyReplacing(const QString& source, const QString& destination,
                   std::atomic<qint64>* copied = nullptr) {
    QFile in(source);
    if (!files::openRegular(in, QIODevice::ReadOnly)) return false; // never a pipe
    return bool(files::replaceFile(destination, [&in, copied](QIODevice& out) {
        char chunk[64 * 1024];
        for (;;) {
            const qint64 n = in.read(chunk, sizeof chunk);
            if (n < 0 || (n > 0 && out.write(chunk, n) != n)) return false;
            if (n == 0) return true;
            if (copied) *copied += n;
        }
    }));
}

// A large copy runs on a worker thread behind a window-modal progress dialog (no cancel: a
// half-made copy is never put in place anyway), so the program keeps painting.
bool copyWithProgress(const QString& source, const QString& destination, qint64 size,
                      QWidget* parent) {
    QProgressDialog progress(u"Copia del file in corso. Attendere..."_s, QString(), 0, 1000,
                             parent);
    progress.setObjectName(u"dlgCopia"_s);
    progress.setWindowTitle(u" Allega file"_s);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    std::atomic<qint64> copied = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &progress, [&] {
        progress.setValue(int(copied.load() * 1000 / std::max<qint64>(size, 1)));
    });
    tick.start(50);
    return runWaiting<bool>(nullptr, [&] { return copyReplacing(source, destination, &copied); });
}

} // namespace

Copy copyIn(const QString& source, const QString& name,
            const std::function<bool()>& confirmOverwrite, QWidget* progressParent) {
    const QString bare = name.trimmed();
    if (bare.isEmpty() || !isPlainName(bare)) return Copy::Failed;
    const QFileInfo from(source);
    if (!from.isFile() || !QDir().mkpath(folder())) return Copy::Failed;
    const QString destination = folder() + bare;
    const QFileInfo to(destination);
    if (to.exists()) {
        if (to.canonicalFilePath() == from.canonicalFilePath()) return Copy::Kept;
        if (confirmOverwrite && !confirmOverwrite()) return Copy::Kept;
    }
    const bool copied = progressParent && from.size() >= kShowProgressFrom
                            ? copyWithProgress(source, destination, from.size(), progressParent)
                            : copyReplacing(source, destination);
    return copied ? Copy::Done : Copy::Failed;
}

void reportFailedCopy(QWidget* parent, const QString& source) {
    msg::archiveAccessError(parent, u"cannot copy "_s + source + u" into "_s + folder());
}

QString chooseAndCopy(QWidget* parent) {
    const QString chosen = FileChooser::chooseAttachment(parent);
    if (chosen.isEmpty()) return {};
    const QString name = QFileInfo(chosen).fileName();
    const Copy copy = copyIn(
        chosen, name,
        [parent] { return msg::question(parent, TfrmAllegaCartella::overwriteQuestion()); },
        parent);
    if (copy == Copy::Failed) {
        reportFailedCopy(parent, chosen);
        return {};
    }
    return name;
}

} // namespace tavolex::ui::attachments
