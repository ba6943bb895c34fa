#pragma once

#include "lines.h"
#include "lists/lastmatch.h"
#include "rules.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavolex::deadlines {

// The yearly deadline archive of `year`: program folder + four-digit year + ".sca".
QString archivePath(int year);

// Read-only passes over a yearly deadline archive (1328-byte records), in file order. A
// missing file has no record; each function returns false only when the file exists but
// cannot be read. None of them creates or changes the file: a screen that must create a
// missing archive first prepares it (records::Archive::prepare).
//
// A record whose due date or notice days cannot be read is skipped, never the end of a
// scan: one damaged record must not hide the deadlines stored after it.

// The number of records imminent on `today`. The start panel warns when it is not zero.
bool countImminent(const records::Archive& archive, const QDate& today, qint64* count);

// The rows of a due-date list: each record that `selection` selects, numbered 1, 2, … in
// file order, with its 19 fields and its order key, then sorted by the order key. On a read
// failure `rows` holds the rows read until then, unsorted, and the result is false.
bool dueListRows(const records::Archive& archive, const DueSelection& selection,
                 QList<DeadlineRow>* rows);

// The summary lines of a confirmation list, sorted (sortSummaryLines). On a read failure
// `lines` holds the lines read until then, sorted too, and the result is false.
// Each line comes with the record behind it: of every record giving that line, whatever its
// flags, the last.
bool confirmationLines(const records::Archive& archive, ConfirmationList list,
                       lists::ListedLines* lines);

// The search: the summary line of every record that passes the ten filters (searchFields()
// order), sorted. False (and `lines` left as it was) when the archive cannot be read.
bool searchArchive(const records::Archive& archive, const QStringList& filterTexts,
                   lists::ListedLines* lines);

// The record behind a summary line of the confirmation lists or of the search, whatever its
// flags: of the records whose line equals `line` (both trimmed), the last one in the file,
// with its 1-based position.
// `listed`: the record the list found behind the line (lists::findLastWithLine).
bool findByLine(const records::Archive& archive, const QString& line,
                std::optional<lists::ChosenRecord>* found, const lists::ListedRecord& listed = {});

// The export grid: one row per record, numbered with its position (1, 2, … in file order),
// none left out or sorted; the key stays empty. On a read failure `rows` holds the rows read
// until then and the result is false.
bool archiveRows(const records::Archive& archive, QList<DeadlineRow>* rows);

} // namespace tavolex::deadlines
