#pragma once
// How a run's journal ends: completed with the install, undone by a cancel
// or a failure, or undone at the next start after an interruption.
#include "engine/install_view.h"
#include "engine/journal.h"

// The install is complete: "end" is noted, the files it replaced are
// dropped and the journal is deleted.
void CompleteJournal(Journal& journal);

// Undoes every change the journal names, the last first, pausing on the view
// after each deletion when there is one, and deletes the journal. When a
// change cannot be put right now (a file held by a running program), the
// journal stays for the next start and the user is told which file waits.
void UndoJournal(Journal& journal, InstallView* view, int osCode);

// What the next start says about an interrupted install, as strings of the
// program's own table: the message before the undo, and those after it when
// something was left or still waits.
struct RecoveryMessages {
    int interrupted;
    int leftAlone;    // followed by the number of changes left as they were
    int waiting;      // followed by the path of the file that waits
};

enum class Recovery {
    NothingToDo,
    Undone,               // an interrupted install was undone
    HeldByAnotherRun,     // a wizard of the product runs now and holds its journal
    StillWaiting,         // a change could not be undone yet: the journal stays
    Failed,               // the journal is there but cannot be opened
};

// At the start of the wizard or the uninstaller: the journal of the product
// that a run left open is completed or undone (after telling the user, for
// an undo).
Recovery RecoverInterruptedInstall(const char* productKey, const RecoveryMessages& messages, int osCode);
