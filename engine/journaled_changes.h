#pragma once
// The changes of an install, each noted in the journal before it is made.
// The notes answer false when the journal could not take them: the change
// must then not be made. Without a journal they answer true.
#include "base/registry.h"
#include "engine/journal.h"

bool NoteNewFolder(Journal& journal, const char* path);
bool NoteNewFile(Journal& journal, const char* path);
bool NoteRegistration(Journal& journal, const char* path);
bool NoteRenameAtRestart(Journal& journal, const char* temporaryPath, const char* target);
bool NoteProgramGroup(Journal& journal, const char* name);
// A value that someone else is about to change (a shared library's count):
// its old data, and the key when it is missing.
bool NoteRegistryValue(Journal& journal, RootCode root, const char* subkey, const char* valueName);

// Moves an existing file into a "~Kept" folder beside it, where it waits for
// the end of the install. False when it stays (held by a running program, or
// the note failed).
bool MoveAside(Journal& journal, const char* path);

// The registry layer's writes, each noted first.
int WriteJournaledString(Journal& journal, RootCode root, const char* subkey, const char* valueName, const char* text);
int WriteJournaledNumber(Journal& journal, RootCode root, const char* subkey, const char* valueName, DWORD number);
// Deletes a key and everything below it after noting each of its values.
int DeleteJournaledTree(Journal& journal, RootCode root, const char* subkey);
