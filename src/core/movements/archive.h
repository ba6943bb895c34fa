#pragma once

#include "lists/lastmatch.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavolex::movements {

// The yearly movement archive: trimmed year + ".eur" in the program folder ("2024.eur").
// The year menu opens it only for a year accepted by protocol::isAcceptableYear (exactly four
// characters as typed, no folder separator).
QString archiveFileName(const QString& yearText);
QString archivePath(const QString& yearText);
// " Tavolex - Entrate e uscite anno " + trimmed year.
QString cardCaption(const QString& yearText);

// Read-only passes over a yearly movement archive. A missing file has no record; each pass
// returns false only when the file exists but cannot be read, and then leaves its result as
// it was. None of them creates or changes the file (screens that must create a missing
// archive prepare it first, records::Archive::prepare).

// The payments-due rule: not settled (Saldato "No") and the notice period has begun, that is
// DataSca minus Preavviso days is `today` or earlier. A record whose due date, notice days or
// signed amount (Totale) cannot be read is not listed, and the records after it still are: one
// damaged record must not hide the payments stored after it.
bool isDue(const char* record, const QDate& today);
// The list line of every due movement, in file order, each with the record behind it (of
// every movement giving that line, due or not, the last).
bool dueLines(const records::Archive& archive, const QDate& today, lists::ListedLines* lines);

// The search: the list line of every record that passes the ten filters (in the order of
// searchFields()), in file order.
bool searchArchive(const records::Archive& archive, const QStringList& filterTexts,
                   lists::ListedLines* lines);

// The record behind a list entry (both lists): of the records whose list line equals `line`
// (both trimmed), the last one in the file, with its 1-based position. `listed`: the
// record the list found behind the line (lists::findLastWithLine).
bool findByLine(const records::Archive& archive, const QString& line,
                std::optional<lists::ChosenRecord>* found, const lists::ListedRecord& listed = {});

// The export grid: one gridRow() per record, numbered from 1, in file order.
bool exportRows(const records::Archive& archive, QList<QStringList>* rows);

} // namespace tavolex::movements
