#pragma once
// The changes of an install, each noted in the journal before it is made.
// The notes answer false when the journal could not take them: the change
// must then not be made. Without a journal they answer true.
#include <string>
#include <vector>

#include "base/registry.h"
#include "engine/journal.h"

bool NoteNewFolder(Journal& journal, const char* path);
bool NoteNewFile(Journal& journal, const char* path);
// After a noted file is complete: its size and time, so that an undo deletes
// it only while it still holds what the install wrote. Appended without
// waiting for the disk: a lost note only makes the undo less careful.
void NoteWrittenFile(Journal& journal, const char* path);
// A folder the install puts files in: an undo acts only on files in such
// places (and the system's own folders that installs write to).
bool NoteDestination(Journal& journal, const char* folder);
bool NoteRegistration(Journal& journal, const char* path);
bool NoteRenameAtRestart(Journal& journal, const char* temporaryPath, const char* target);
// A new group and the titles of the items about to be added to it: an undo
// deletes the group only while it holds nothing else.
bool NoteProgramGroup(Journal& journal, const char* name, const std::vector<std::string>& itemTitles);
// A shared library's count about to be raised by one: an undo lowers it by
// one again, whatever other installs did to it since.
bool NoteSharedCount(Journal& journal, RootCode root, const char* subkey, const char* valueName);

// Moves an existing file into a "~Kept" folder beside it, where it waits for
// the end of the install. False when it stays (held by a running program, or
// the note failed).
bool MoveAside(Journal& journal, const char* path);

// The registry layer's writes, each noted first.
int WriteJournaledString(Journal& journal, RootCode root, const char* subkey, const char* valueName, const char* text);
int WriteJournaledNumber(Journal& journal, RootCode root, const char* subkey, const char* valueName, DWORD number);
// Deletes a key and everything below it after noting each of its values.
int DeleteJournaledTree(Journal& journal, RootCode root, const char* subkey);
