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

std::optional<QUrl> TMisc::mailLink(const QString& address) {
    for (const QChar c : address) {
        if (c == u'?' || c == u'&' || c == u'%' || c.isSpace() ||
            c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return std::nullopt;
    }
    // Built from its parts: whatever the address holds stays in the path, never the query.
    QUrl url;
    url.setScheme(u"mailto"_s);
    url.setPath(address, QUrl::DecodedMode);
    if (!url.isValid() || url.hasQuery() || url.hasFragment()) return std::nullopt;
    return url;
}

bool TMisc::OpenMail(const QString& address) {
    const std::optional<QUrl> url = mailLink(address);
    if (!url) return false;
    if (opener()) {
        opener()(u"\"mailto:"_s + address + u'"', *url);
        return true;
    }
    QDesktopServices::openUrl(*url);
    return true;
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
