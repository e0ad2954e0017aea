#pragma once
// What each journal record means for an undo and for a completed install.
// An undo marks each record "undone" in the journal once its change is put
// right, so that an undo that is itself interrupted, run again, skips what
// it did; and each record undoes only what is still as the install left it.
#include <cstddef>
#include <string>
#include <vector>

#include "engine/install_view.h"
#include "engine/journal.h"
#include "engine/portable/journal_format.h"

struct UndoResult {
    std::size_t leftAlone = 0;           // changed since, another user's, outside the install's places
    std::vector<std::string> waiting;    // files that could not be put right now
};

// Undoes the records' changes that are not marked undone, the last first:
// restores replaced files and old registry data, lowers shared counts,
// unregisters libraries, cancels scheduled renames and removes what was
// created, deepest first. The marks go to the journal, which must be open.
// The system's code chooses how a file in use is dealt with at the restart.
UndoResult UndoRecords(const JournalContents& contents, Journal& journal, InstallView* view, int osCode);

// Deletes the files that the install moved aside, and their folders.
void DropKeptFiles(const std::vector<JournalRecord>& records);
