#include "archives.h"

#include "layouts.h"
#include "text/casing.h"

namespace tavolex::records {

using namespace Qt::StringLiterals;

namespace {

// In the order of ArchiveKind.
const std::array<ArchiveEntry, 5> kCatalogue = {{
    {ArchiveKind::Clients, u"Clienti", u"Clienti.pro", nullptr, &clientLayout, u"TfrmClienti"},
    {ArchiveKind::Protocol, u"Protocollo", nullptr, u"prt", &protocolLayout, u"TfrmProtocollo"},
    {ArchiveKind::Practices, u"Pratiche", u"Pratiche.pro", nullptr, &practiceLayout,
     u"TfrmPratica"},
    {ArchiveKind::Deadlines, u"Scadenze", nullptr, u"sca", &deadlineLayout, u"TfrmScadenzario"},
    {ArchiveKind::Movements, u"Movimenti", nullptr, u"eur", &movementLayout, u"TfrmMovimenti"},
}};

bool isFourDigits(QStringView text) {
    if (text.size() != 4) return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

} // namespace

QString ArchiveEntry::fileName(int year) const {
    if (!isYearly()) return QString::fromUtf16(singleName);
    return u"%1."_s.arg(year, 4, 10, QChar(u'0')) + QString::fromUtf16(extension);
}

QString ArchiveEntry::fileName(const QString& yearText) const {
    if (!isYearly()) return QString::fromUtf16(singleName);
    return text::trimmed(yearText) + u'.' + QString::fromUtf16(extension);
}

const std::array<ArchiveEntry, 5>& archiveCatalogue() {
    return kCatalogue;
}

const ArchiveEntry& archiveEntry(ArchiveKind kind) {
    return kCatalogue[std::size_t(kind)];
}

std::optional<NamedArchive> archiveNamed(const QString& fileName) {
    for (const ArchiveEntry& entry : kCatalogue) {
        if (!entry.isYearly()) {
            if (fileName == QStringView(entry.singleName)) return NamedArchive{&entry, 0};
            continue;
        }
        const QStringView extension(entry.extension);
        if (fileName.size() == 5 + extension.size() && fileName.endsWith(extension) &&
            fileName[4] == u'.' && isFourDigits(QStringView(fileName).first(4)))
            return NamedArchive{&entry, fileName.first(4).toInt()};
    }
    return std::nullopt;
}

} // namespace tavolex::records
