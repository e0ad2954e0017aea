#pragma once
// Undoing a copy step that stopped half way.
#include "engine/install_job.h"

// Deletes the files this run installed (never protected libraries or
// fonts), the help system's index files and the folders that became empty,
// shows the status texts and, after a cancel, tells the user. Leaves the
// cancel flag set.
void RollBack(InstallJob& job);

// Removes the folder and then its parents while they are empty, down to the
// length of the job's default folder name.
void RemoveFolderChain(const InstallJob& job, const char* path);
