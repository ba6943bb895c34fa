#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavolex::protocol {

// Read-only passes over a yearly protocol archive (3403-byte records). A missing file
// has no record; each function returns false only when the file exists but cannot be
// read. None of them creates or changes the file.

// The search: the result line of every record that passes the ten filters, in file order.
bool searchArchive(const QString& path, const QStringList& filterTexts, QStringList* lines);

// The record behind a result line: of the records whose line equals `line` (both
// trimmed), the last one in the file, with its 1-based position.
struct FoundRecord {
    QByteArray bytes;
    qint64 position = 0;
};
bool findByLine(const QString& path, const QString& line, std::optional<FoundRecord>* found);

// The period summary: grid rows of the records registered between start and end, both
// days included, numbered 1, 2, 3 ... in file order. A record whose registration date
// cannot be read is skipped, so one damaged record does not hide the ones after it.
bool summaryRows(const QString& path, const QDate& start, const QDate& end,
                 QList<QStringList>* rows);

// The export screen's grid: every record, numbered.
bool allRows(const QString& path, QList<QStringList>* rows);

} // namespace tavolex::protocol
