#include "archive.h"

#include "protocollines.h"
#include "records/layouts.h"
#include "records/record.h"

namespace tavolex::protocol {

bool searchArchive(const records::Archive& archive, const QStringList& filterTexts,
                   lists::ListedLines* lines) {
    return search::listMatching(archive, searchFilter(filterTexts), &searchLine, lines,
                                &searchLineHead);
}

bool findByLine(const records::Archive& archive, const QString& line,
                std::optional<lists::ChosenRecord>* found, const lists::ListedRecord& listed) {
    return lists::findLastWithLine(archive, &searchLine, line, found, listed);
}

bool isRegisteredWithin(const char* record, const QDate& start, const QDate& end) {
    static const records::FieldSpec& dataReg = records::protocolLayout().field(u"DataReg");
    const std::optional<QDate> date = parseDate(records::readField(record, dataReg));
    return date && start <= *date && *date <= end;
}

} // namespace tavolex::protocol
