#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace tavolex::ui {

// Hands a file, folder, web address or "mailto:" link to the desktop's associated
// program. Double quotes that callers put around paths are stripped; local paths
// open as file URLs. Nothing ever goes through a shell, and nothing is reported.
class TMisc {
public:
    static void Open(const QString& sCommand);

    // The URL that Open hands to the desktop for a command.
    static QUrl urlFor(const QString& sCommand);

    // Replaces the desktop opener (tests record the requests instead of launching).
    using Opener = std::function<void(const QString& sCommand, const QUrl& url)>;
    static void setOpener(Opener opener);
};

} // namespace tavolex::ui
