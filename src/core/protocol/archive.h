#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "lists/lastmatch.h"

namespace tavolex::protocol {

// Read-only passes over a yearly protocol archive (3403-byte records). A missing file
// has no record; each function returns false only when the file exists but cannot be
// read. None of them creates or changes the file.

// The search: the result line of every record that passes the ten filters, in file order.
bool searchArchive(const records::Archive& archive, const QStringList& filterTexts,
                   lists::ListedLines* lines);

// The record behind a result line: of the records whose line equals `line` (both
// trimmed), the last one in the file, with its 1-based position. `listed`: the record
// the search found behind the line, with its stamp (lists::findLastWithLine).
bool findByLine(const records::Archive& archive, const QString& line,
                std::optional<lists::ChosenRecord>* found, const lists::ListedRecord& listed = {});

// The period summary's rule: registered between start and end, both days included. A
// record whose registration date cannot be read is not listed, and the records after it
// still are (one damaged record must not hide the rest of the year).
bool isRegisteredWithin(const char* record, const QDate& start, const QDate& end);

} // namespace tavolex::protocol
