#include "attachmentfolder.h"

#include "TfrmAllegaCartella.h"
#include "core/files/safewrite.h"
#include "core/programfolder.h"
#include "ui/common/filechooser.h"
#include "ui/common/messages.h"
#include "ui/common/misc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
bool copyReplacing(const QString& source, const QString& destination) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return false;
    return bool(files::replaceFile(destination, [&in](QIODevice& out) {
        char chunk[64 * 1024];
        for (;;) {
            const qint64 n = in.read(chunk, sizeof chunk);
            if (n < 0 || (n > 0 && out.write(chunk, n) != n)) return false;
            if (n == 0) return true;
        }
    }));
}
} // namespace

bool copyIn(const QString& source, const QString& name,
            const std::function<bool()>& confirmOverwrite) {
    const QString bare = name.trimmed();
    if (bare.isEmpty() || !isPlainName(bare)) return false;
    const QFileInfo from(source);
    if (!from.isFile() || !QDir().mkpath(folder())) return false;
    const QString destination = folder() + bare;
    const QFileInfo to(destination);
    if (to.exists()) {
        if (to.canonicalFilePath() == from.canonicalFilePath()) return false;
        if (confirmOverwrite && !confirmOverwrite()) return false;
    }
    return copyReplacing(source, destination);
}

QString chooseAndCopy(QWidget* parent) {
    const QString chosen = FileChooser::chooseAttachment(parent);
    if (chosen.isEmpty()) return {};
    const QString name = QFileInfo(chosen).fileName();
    copyIn(chosen, name,
           [parent] { return msg::question(parent, TfrmAllegaCartella::overwriteQuestion()); });
    return name;
}

} // namespace tavolex::ui::attachments
