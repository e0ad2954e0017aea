#pragma once
// The install journal: a file in the Windows directory named after the
// product key, to which every change of the machine is appended (and flushed
// to the disk) before it is made. While a run holds it open nobody else may
// open it; one that can be opened was left by a run that ended without
// closing it, and is undone at the next start.
#include <windows.h>

#include "engine/install_view.h"
#include "engine/portable/journal_format.h"

struct Journal {
    HANDLE file;                 // nullptr while no journal is kept
    char path[MAX_PATH];
};

bool IsJournalOpen(const Journal& journal);

// Creates the run's journal. False (and no journal kept) when the product key
// is not a plain name or the file cannot be made.
bool OpenJournal(Journal& journal, const char* productKey);

// Appends the record and waits until it is on the disk: true then, or when
// no journal is kept; false when the change must not be made.
bool AppendToJournal(Journal& journal, const JournalRecord& record);

// The install is complete: "end" is noted, the files it replaced are
// dropped and the journal is deleted.
void CompleteJournal(Journal& journal);

// Undoes every change the journal names, the last first, pausing on the view
// after each deletion when there is one, and deletes the journal.
void UndoJournal(Journal& journal, InstallView* view);

// At the start of the wizard or the uninstaller: the journal of the product
// that a run left open is completed or undone (after telling the user with
// the message, for an undo). True when an install was undone.
bool RecoverInterruptedInstall(const char* productKey, const char* message);
