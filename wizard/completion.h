#pragma once
// The finish page, the data left for the next start of Windows, and the
// choice between restarting now and later.

#include "engine/install_job.h"

// When files wait for the restart: the libraries to register then, and the
// uninstaller's run-once command, each noted in the run's journal.
void WriteRestartData(InstallJob& job);

// Shows the finish page (page 8) and, when files wait for the restart,
// offers the restart choice.
void ShowFinishPage();

// Restarts Windows when "restart now" is checked, else reminds the user;
// the main form closes either way.
void RestartOrRemind();
