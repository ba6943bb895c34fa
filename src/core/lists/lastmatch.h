#pragma once

#include "records/store.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tavolex::lists {

// A record found behind a list entry: its raw bytes and its 1-based position.
struct ChosenRecord {
    QByteArray bytes;
    qint64 position = 0;
};

// An archive as a list found it (its version). Only while an archive still matches can the
// record a list found behind an entry be trusted to be the last one with its line; any append
// or overwrite since (also by another program) gives another version.
class ArchiveStamp {
public:
    // The archive as it is now; no stamp when it is missing or was written too recently to
    // tell a later change apart.
    static ArchiveStamp of(const records::Archive& archive);
    bool isKnown() const { return !m_version.isEmpty(); }
    // Whether the archive is still the one stamped (false without a stamp).
    bool stillMatches(const records::Archive& archive) const;

private:
    QByteArray m_version;
};

// The record a list found behind an entry: its position (0: none) and the archive as it was
// then.
struct ListedRecord {
    qint64 position = 0;
    ArchiveStamp stamp;
};

// The lines of a list, each with the 1-based position of the record a double-click on it
// loads (0: no record is behind it). Several records can give the same line; every equal
// line (both trimmed) leads to the one stored last. `stamp`: the archive as it was before
// the list was read from it.
struct ListedLines {
    QStringList lines;
    QList<qint64> positions; // as many as lines
    ArchiveStamp stamp;

    // Entry `row`'s record, to hand to findLastWithLine.
    ListedRecord recordAt(qsizetype row) const { return {positions.value(row), stamp}; }

    qsizetype size() const { return lines.size(); }
    // Orders the lines (stable), each keeping its record.
    void sortLines(const std::function<bool(const QString&, const QString&)>& less);
};

// Which records a list entry can lead back to.
enum class Behind {
    Listed,    // only those on the list (a list of flagged records)
    AnyRecord, // every record of the archive, listed or not (a search, a list by state)
};

// One pass over an archive that lists the line of every record `isListed` lets through, in
// file order, and finds the record behind each line on the way: of the records allowed by
// `behind` whose line equals it (both trimmed), the last one. An empty line leads nowhere.
// `lines` gets what was read (with the archive's stamp), also when the archive fails half-way;
// false only when the archive exists but cannot be read. A missing archive lists nothing. `headOf`
// (optional, with Behind::AnyRecord): the head of a record's line (lineHead: where the line begins,
// every known head as wide), so that a record not listed whose head matches no listed line's head
// costs no line.
bool listWithRecords(const records::Archive& archive,
                     const std::function<bool(const char*)>& isListed,
                     const std::function<QString(const char*)>& lineOf, Behind behind,
                     ListedLines* lines, const std::function<QString(const char*)>& headOf = {});

// The record behind a double-clicked list entry. Builds the list line of every record in
// file order and keeps the last one whose trimmed line equals the trimmed `entry`:
// several records can give the same line, and the one stored later wins. An empty entry
// matches nothing. False only when the archive exists but cannot be read; `found` is then
// left empty, so a failed read never hands back a record that may not be the last.
//
// `listed`: what the list's own scan found behind the entry. While the archive still matches
// its stamp, that one record is read, and if its line still equals the entry it is the one,
// with no scan. When the archive changed since (a record appended or overwritten, maybe
// with the same line), or no stamp was known, the whole archive is scanned as above.
bool findLastWithLine(const records::Archive& archive,
                      const std::function<QString(const char*)>& lineOf, const QString& entry,
                      std::optional<ChosenRecord>* found, const ListedRecord& listed = {});

// Record `position` of the archive when its line still equals `entry` (both trimmed);
// nothing when the entry is empty, the record is not there or cannot be read, or its line
// differs.
std::optional<ChosenRecord> recordWithLine(const records::Archive& archive,
                                           const std::function<QString(const char*)>& lineOf,
                                           const QString& entry, qint64 position);

} // namespace tavolex::lists
