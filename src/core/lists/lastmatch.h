#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace tavolex::lists {

// A record found behind a list entry: its raw bytes and its 1-based position.
struct ChosenRecord {
    QByteArray bytes;
    qint64 position = 0;
};

// The record behind a double-clicked list entry. Builds the list line of every record in
// file order and keeps the last one whose trimmed line equals the trimmed `entry`:
// several records can give the same line, and the one stored later wins. An empty entry
// matches nothing. False only when the archive exists but cannot be read; `found` is then
// left empty, so a failed read never hands back a record that may not be the last.
bool findLastWithLine(const QString& archivePath, int recordSize,
                      const std::function<QString(const char*)>& lineOf, const QString& entry,
                      std::optional<ChosenRecord>* found);

} // namespace tavolex::lists
