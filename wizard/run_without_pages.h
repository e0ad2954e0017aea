#pragma once
// An install without pages (/SILENT, /VERYSILENT): the answers come from
// the pages' defaults and the command line, every question of the wizard
// has its fixed answer and shows no box, and the run goes straight from the
// unpacking to the end of the install.

// Runs it and returns the run's exit code.
unsigned RunWithoutPages();
