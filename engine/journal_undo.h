#pragma once
// What each journal record means for an undo and for a completed install.
// Every step may be repeated: an undo that is itself interrupted is simply
// run again from the same records.
#include <vector>

#include "engine/install_view.h"
#include "engine/portable/journal_format.h"

// Undoes the records' changes, the last first: restores replaced files and
// old registry data, unregisters libraries, cancels scheduled renames and
// removes what was created, deepest first.
void UndoRecords(const std::vector<JournalRecord>& records, InstallView* view);

// Deletes the files that the install moved aside, and their folders.
void DropKeptFiles(const std::vector<JournalRecord>& records);
