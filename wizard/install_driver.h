#pragma once
// The install sequence: every step in its fixed order, announced on the
// status line, with pauses that keep the window alive.

// Runs the install from the disk check to the finish page. Returns 1 when
// the finish page is shown, 0 when the install stopped (reported, and rolled
// back where the copy had started).
int RunInstall();

// Opens the help file (hiding the main window) and the read-me, when they exist.
void OpenHelpAndReadme();
