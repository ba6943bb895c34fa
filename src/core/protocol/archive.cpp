#include "archive.h"

#include "protocollines.h"
#include "records/layouts.h"
#include "records/record.h"
#include "records/recordfile.h"
#include "text/casing.h"

namespace tavolex::protocol {

namespace {
int recordSize() {
    return records::protocolLayout().recordSize();
}
} // namespace

bool searchArchive(const QString& path, const QStringList& filterTexts, QStringList* lines) {
    const search::RecordFilter filter = searchFilter(filterTexts);
    QStringList found;
    const bool ok = records::RecordFile::scan(path, recordSize(), [&](qint64, const char* record) {
        if (filter.matches(record)) found << searchLine(record);
        return true;
    });
    if (ok) *lines = std::move(found);
    return ok;
}

bool findByLine(const QString& path, const QString& line, std::optional<FoundRecord>* found) {
    const QString wanted = text::trimmed(line);
    std::optional<FoundRecord> last;
    const bool ok =
        records::RecordFile::scan(path, recordSize(), [&](qint64 k, const char* record) {
            if (text::trimmed(searchLine(record)) == wanted)
                last = FoundRecord{QByteArray(record, recordSize()), k};
            return true;
        });
    if (ok) *found = std::move(last);
    return ok;
}

bool summaryRows(const QString& path, const QDate& start, const QDate& end,
                 QList<QStringList>* rows) {
    static const records::FieldSpec& dataReg =
        records::protocolLayout().field(records::protocolLayout().indexOf(u"DataReg"));
    QList<QStringList> listed;
    const bool ok = records::RecordFile::scan(path, recordSize(), [&](qint64, const char* record) {
        const std::optional<QDate> date = parseDate(records::readField(record, dataReg));
        if (date && start <= *date && *date <= end) listed << gridRow(record, listed.size() + 1);
        return true;
    });
    if (ok) *rows = std::move(listed);
    return ok;
}

bool allRows(const QString& path, QList<QStringList>* rows) {
    QList<QStringList> listed;
    const bool ok = records::RecordFile::scan(path, recordSize(), [&](qint64, const char* record) {
        listed << gridRow(record, listed.size() + 1);
        return true;
    });
    if (ok) *rows = std::move(listed);
    return ok;
}

} // namespace tavolex::protocol
