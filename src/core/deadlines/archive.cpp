#include "archive.h"

#include "programfolder.h"
#include "records/archives.h"
#include "records/layouts.h"
#include "records/store.h"

namespace tavolex::deadlines {

using namespace Qt::Literals::StringLiterals;

namespace {
bool scan(const records::Archive& archive, const std::function<void(qint64, const char*)>& visit) {
    return records::forEachRecord(archive, [&](qint64 k, const char* record) {
        visit(k, record);
        return true;
    });
}
} // namespace

QString archivePath(int year) {
    return programPath(records::archiveEntry(records::ArchiveKind::Deadlines).fileName(year));
}

bool countImminent(const records::Archive& archive, const QDate& today, qint64* count) {
    qint64 n = 0;
    const bool read = scan(archive, [&](qint64, const char* record) {
        if (imminenceOf(record, today).value_or(false)) ++n;
    });
    *count = n;
    return read;
}

bool dueListRows(const records::Archive& archive, const DueSelection& selection,
                 QList<DeadlineRow>* rows) {
    QList<DeadlineRow> listed;
    const bool read = scan(archive, [&](qint64, const char* record) {
        if (!selection.selects(record)) return;
        listed.append({listed.size() + 1, gridFields(record), orderKey(record)});
    });
    if (read) sortByOrderKey(listed);
    *rows = std::move(listed);
    return read;
}

bool confirmationLines(const records::Archive& archive, ConfirmationList list,
                       lists::ListedLines* lines) {
    lists::ListedLines listed;
    const bool read = lists::listWithRecords(
        archive, [list](const char* record) { return isInList(record, list); }, &summaryLine,
        lists::Behind::AnyRecord, &listed, &summaryLineHead);
    sortSummaryLines(listed);
    *lines = std::move(listed);
    return read;
}

bool searchArchive(const records::Archive& archive, const QStringList& filterTexts,
                   lists::ListedLines* lines) {
    lists::ListedLines listed;
    if (!search::listMatching(archive, searchFilter(filterTexts), &summaryLine, &listed,
                              &summaryLineHead))
        return false;
    sortSummaryLines(listed);
    *lines = std::move(listed);
    return true;
}

bool findByLine(const records::Archive& archive, const QString& line,
                std::optional<lists::ChosenRecord>* found, const lists::ListedRecord& listed) {
    return lists::findLastWithLine(archive, &summaryLine, line, found, listed);
}

bool archiveRows(const records::Archive& archive, QList<DeadlineRow>* rows) {
    QList<DeadlineRow> listed;
    const bool read = scan(archive, [&](qint64 k, const char* record) {
        listed.append({k, gridFields(record), QString()});
    });
    *rows = std::move(listed);
    return read;
}

} // namespace tavolex::deadlines
