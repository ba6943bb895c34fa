#pragma once

#include "lists/lastmatch.h"

namespace tavolex::ui {

// The record a list or search dialog hands back to its caller after a double-click:
// its raw bytes and its 1-based position in the archive. The caller copies what it
// needs, so no dialog ever writes into another screen.
using lists::ChosenRecord;

// The last record whose list line equals `entry`; nothing when none does, the entry is
// empty or the archive cannot be read. `listed`: the record the entry carries, read alone
// while the archive is as the list found it and its line still equals the entry.
inline std::optional<ChosenRecord>
lastRecordWithLine(const records::Archive& archive,
                   const std::function<QString(const char*)>& lineOf, const QString& entry,
                   const lists::ListedRecord& listed = {}) {
    std::optional<ChosenRecord> found;
    lists::findLastWithLine(archive, lineOf, entry, &found, listed);
    return found;
}

} // namespace tavolex::ui
