#pragma once
// The install journal: a file in the Windows directory named after the
// product key, to which every change of the machine is appended (and flushed
// to the disk) before it is made. While a run holds it open nobody else may
// open it; one that can be opened was left by a run that ended without
// closing it, and is undone at the next start.
#include <windows.h>

#include <string>

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

// The journal's path for the product key, in the Windows directory: false
// when the key is no plain name.
bool ComposeJournalPath(const char* productKey, char* path);

// The journal's records; a last line that a kill cut short is cut off the
// file, so that what is appended next starts a line of its own. Its change
// was never made: a change waits for its note to reach the disk.
JournalContents ReadJournal(Journal& journal);

// Closes the journal and deletes its file.
void CloseAndDelete(Journal& journal);
