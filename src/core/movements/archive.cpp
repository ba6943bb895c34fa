#include "archive.h"

#include "dates/datetext.h"
#include "money/amount.h"
#include "movementlines.h"
#include "movementrecord.h"
#include "programfolder.h"
#include "records/archives.h"
#include "records/record.h"
#include "records/store.h"
#include "search/filters.h"
#include "text/casing.h"

namespace tavolex::movements {

using namespace Qt::Literals::StringLiterals;

QString archiveFileName(const QString& yearText) {
    return records::archiveEntry(records::ArchiveKind::Movements).fileName(yearText);
}

QString archivePath(const QString& yearText) {
    return programPath(archiveFileName(yearText));
}

QString cardCaption(const QString& yearText) {
    return u" Tavolex - Entrate e uscite anno "_s + text::trimmed(yearText);
}

bool isDue(const char* record, const QDate& today) {
    const MovementFields& f = fields();
    if (!isNo(record, f.saldato)) return false;
    const std::optional<QDate> due = dates::parseDate(records::readField(record, f.dataSca));
    if (!due) return false;
    // Up to three digits: the field holds three characters, so the number cannot overflow.
    const QString notice = records::readFieldTrimmed(record, f.preavviso);
    if (!text::isDigitsOnly(notice)) return false;
    // A signed amount that is not a number is left out, as the unpaid lists leave it out.
    if (!money::parseAmount(records::readField(record, f.totale))) return false;
    return due->addDays(-notice.toInt()) <= today;
}

bool dueLines(const records::Archive& archive, const QDate& today, lists::ListedLines* lines) {
    lists::ListedLines listed;
    const bool read = lists::listWithRecords(
        archive, [&today](const char* r) { return isDue(r, today); }, &listLine,
        lists::Behind::AnyRecord, &listed, &listLineHead);
    if (read) *lines = std::move(listed);
    return read;
}

bool searchArchive(const records::Archive& archive, const QStringList& filterTexts,
                   lists::ListedLines* lines) {
    return search::listMatching(archive, searchFilter(filterTexts), &listLine, lines,
                                &listLineHead);
}

bool findByLine(const records::Archive& archive, const QString& line,
                std::optional<lists::ChosenRecord>* found, const lists::ListedRecord& listed) {
    return lists::findLastWithLine(archive, &listLine, line, found, listed);
}

bool exportRows(const records::Archive& archive, QList<QStringList>* rows) {
    QList<QStringList> grid;
    const bool read = records::forEachRecord(archive, [&](qint64, const char* r) {
        grid << gridRow(r, grid.size() + 1);
        return true;
    });
    if (read) *rows = std::move(grid);
    return read;
}

} // namespace tavolex::movements
