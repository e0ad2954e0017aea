#pragma once
// Undoing an install that stopped half way.
#include "engine/install_job.h"

// Undoes every change the job's journal names (protected libraries and
// fonts are never among them), deletes the help system's index files, shows
// the status texts and, after a cancel, tells the user. A second call after
// the first has undone everything does nothing. Leaves the cancel flag set.
void RollBack(InstallJob& job);
