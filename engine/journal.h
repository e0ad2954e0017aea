#pragma once
// The install journal: a file in the Windows directory named after the
// product key, to which every change of the machine is appended (and flushed
// to the disk) before it is made. While a run holds it open nobody else may
// open it; one that can be opened was left by a run that ended without
// closing it, and is undone at the next start.
#include <windows.h>

#include <string>

#include "engine/install_view.h"
#include "engine/portable/journal_format.h"

struct Journal {
    HANDLE file;                 // nullptr while no journal is kept
    char path[MAX_PATH];
    // The files a copy of this run holds open now. An undo that runs
    // meanwhile (the session is ending during the copy) cannot delete them:
    // the copy deletes a cancelled target itself, the temp cleanup the
    // source.
    char copySource[MAX_PATH];
    char copyTarget[MAX_PATH];
};

bool IsJournalOpen(const Journal& journal);

// Why a journal could not be begun.
enum class JournalOpening {
    Opened,
    HeldByAnotherRun,    // a wizard of the same product runs now
    Failed,              // the product key is no plain name, or the file cannot be made
};

// Creates the run's journal, noting whose it is.
JournalOpening OpenJournal(Journal& journal, const char* productKey);

// Appends the record and waits until it is on the disk: true then, or when
// no journal is kept; false when the change must not be made.
bool AppendToJournal(Journal& journal, const JournalRecord& record);

// Appends the record without waiting for the disk: for notes whose loss
// only makes an undo less careful; the next flushed note carries them too.
void AppendToJournalUnflushed(Journal& journal, const JournalRecord& record);

// A file's size, last-write time and identity on its volume, as a "written"
// note keeps them. The identity tells a file that another install wrote in
// its place with the same bytes and time (0 when the system gives none).
struct FileStamp {
    ULONGLONG size;
    ULONGLONG time;
    ULONGLONG identity;
};
bool ReadFileStamp(const char* path, FileStamp& stamp);

// The name of the user this program runs as.
std::string CurrentUserName();

// The install is complete: "end" is noted, the files it replaced are
// dropped and the journal is deleted.
void CompleteJournal(Journal& journal);

// Undoes every change the journal names, the last first, pausing on the view
// after each deletion when there is one, and deletes the journal. When a
// change cannot be put right now (a file held by a running program), the
// journal stays for the next start and the user is told which file waits.
void UndoJournal(Journal& journal, InstallView* view, int osCode);

// What the next start says about an interrupted install: the message before
// the undo, and those after it when something was left or still waits.
struct RecoveryTexts {
    const char* interrupted;
    const char* leftAlone;    // followed by the number of changes left as they were
    const char* waiting;      // followed by the path of the file that waits
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
Recovery RecoverInterruptedInstall(const char* productKey, const RecoveryTexts& texts, int osCode);
