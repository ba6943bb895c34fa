#pragma once

#include "backupcopy.h"

#include <functional>

namespace tavolex::backup {

// Called before each change a restore makes to the program folder, numbered from 1;
// returning false makes that change fail as a full disk would. For tests of faults.
using RestoreStep = std::function<bool(int step)>;

// Puts the files of a copy in place, so that the program folder becomes exactly the copy's
// state. The copy is extracted into a work folder inside the program folder, every file
// synced and judged by the rule "Verifica" uses; nothing is changed when it fails. The
// swap is planned in a journal ("ripristino.journal", synced) before the first move: each
// top-level entry of the kinds a copy holds (an archive, the settings file, the password
// store, an attachment or practice folder, also one the copy lacks) goes aside and the
// copy's takes its place, the password store last and never absent. A failure half-way
// undoes every move; a kill or a power cut is settled by `recoverRestore` at the next start.
Outcome restoreCopy(const QString& zipPath, const QString& programFolder,
                    const Progress& progress = {}, const RestoreStep& step = {});

enum class Recovery {
    Nothing,  // no restore was interrupted
    Undone,   // the folder is back as it was before the restore
    Finished, // the restore had put everything in place; its leftovers are gone
    Failed,   // the journal could not be followed; the work folders are kept
};

// At start, before anything reads the folder: settles a restore left half-way from its
// journal, then removes the work folders of restores and the leftovers they leave.
Recovery recoverRestore(const QString& programFolder);

} // namespace tavolex::backup
