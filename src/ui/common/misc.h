#pragma once

#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

namespace tavolex::ui {

// Hands a file, folder, web address or "mailto:" link to the desktop's associated
// program. Double quotes that callers put around paths are stripped; local paths
// open as file URLs. Nothing ever goes through a shell, and nothing is reported.
class TMisc {
public:
    static void Open(const QString& sCommand);

    // The URL that Open hands to the desktop for a command.
    static QUrl urlFor(const QString& sCommand);

    // The "mailto:" link to `address` alone, or nothing for an address that could carry
    // more than a recipient: a "?", "&" or "%" (mail-link parameters such as a file to
    // attach, or an encoded line break), a blank or a control character.
    static std::optional<QUrl> mailLink(const QString& address);
    // Opens the mail program on mailLink(address); false, with nothing opened, when the
    // address is refused. An empty address opens it with no recipient.
    static bool OpenMail(const QString& address);

    // Replaces the desktop opener (tests record the requests instead of launching).
    using Opener = std::function<void(const QString& sCommand, const QUrl& url)>;
    static void setOpener(Opener opener);
};

} // namespace tavolex::ui
