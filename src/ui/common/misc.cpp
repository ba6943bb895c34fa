#include "misc.h"

#include <QDesktopServices>
#include <QDir>
#include <QRegularExpression>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {
TMisc::Opener& opener() {
    static TMisc::Opener current;
    return current;
}
} // namespace

QUrl TMisc::urlFor(const QString& sCommand) {
    // Callers enclose paths and mail links in double quotes; only that pair goes.
    QString target = sCommand.trimmed();
    if (target.size() >= 2 && target.startsWith(u'"') && target.endsWith(u'"'))
        target = target.mid(1, target.size() - 2);
    static const QRegularExpression scheme(u"^[A-Za-z][A-Za-z0-9+.-]+:"_s);
    const bool isDrivePath = target.size() > 1 && target[1] == u':'; // "C:\..." is a path
    if (scheme.match(target).hasMatch() && !isDrivePath && !target.startsWith(u"file:"_s))
        return QUrl(target, QUrl::TolerantMode);
    if (target.startsWith(u"file:"_s)) return QUrl(target, QUrl::TolerantMode);
    return QUrl::fromLocalFile(QDir::fromNativeSeparators(target));
}

void TMisc::Open(const QString& sCommand) {
    const QUrl url = urlFor(sCommand);
    if (opener()) {
        opener()(sCommand, url);
        return;
    }
    QDesktopServices::openUrl(url);
}

void TMisc::setOpener(Opener newOpener) {
    opener() = std::move(newOpener);
}

} // namespace tavolex::ui
