#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace tavolex::ui {

// The record a list or search dialog hands back to its caller after a double-click:
// its raw bytes and its 1-based position in the archive. The caller copies what it
// needs, so no dialog ever writes into another screen.
struct ChosenRecord {
    QByteArray bytes;
    qint64 position = 0;
};

// Builds the list line of every record of the archive in file order and returns the
// last record whose trimmed line equals the trimmed `entry` (several records can give
// the same line; the one stored later wins). Nothing when no record matches, the entry
// is empty or the archive cannot be read.
std::optional<ChosenRecord> lastRecordWithLine(const QString& archivePath, int recordSize,
                                               const std::function<QString(const char*)>& lineOf,
                                               const QString& entry);

} // namespace tavolex::ui
