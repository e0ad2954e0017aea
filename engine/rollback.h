#pragma once
// Undoing a copy step that stopped half way.

// Deletes the files this run installed (never protected libraries or
// fonts), the help system's index files and the folders that became empty,
// shows the status texts and, after a cancel, tells the user. Leaves the
// cancel flag set.
void RollBack();

// Removes the folder and then its parents while they are empty, down to the
// length of the default folder name.
void RemoveFolderChain(const char* path);
