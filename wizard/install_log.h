#pragma once
// What an install writes into the run's log besides its messages: the
// changes it made and the shell entries it was asked for.
#include "engine/install_job.h"

// What the copy did with each listed file, and whether the install's
// changes were undone after it.
void LogFileDecisions(const InstallJob& job);

// Each change the journal names, before the journal is completed.
void LogChanges(Journal& journal);

// The program group with its items and the desktop link, as the install
// was asked to make them (a group the user had already is not the
// journal's, but it is the install's answer all the same).
void LogShellEntries(const InstallJob& job);
