#pragma once
// The install sequence: every step in its fixed order, announced on the
// status line, with pauses that keep the window alive.
#include "engine/install_job.h"

// The job from the user's answers, with the wizard's form as the steps' view.
void FillInstallJob(InstallJob& job);

// Runs the install from the disk check to the journal's completion.
// Returns 1 when it is complete; 0 when it stopped (reported, and rolled
// back where the copy had started).
int RunInstall(InstallJob& job);

// Opens the help file (hiding the main window) and the read-me, when they exist.
void OpenHelpAndReadme(const InstallJob& job);
