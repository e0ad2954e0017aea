#pragma once
// The run's log (/LOG): a UTF-8 text file, a line per event, open for the
// whole run. Without /LOG every call does nothing.
#include <string>

#include "engine/install_job.h"

// Creates the log: at the path given, or (for an empty one) under a new
// name in the temp folder, never over another log. False when it cannot be
// created. Its first lines say what runs, how, where, for whom and when.
bool OpenRunLog(const std::string& path, const char* commandLine);

// Appends a line, given in the wizard's code page.
void LogLine(const std::string& line);

// A message the wizard showed, or would have shown, and the button taken.
void LogMessage(const char* text, int answer);

// Each change the journal names, before the journal is completed.
void LogChanges(Journal& journal);

// The program group with its items and the desktop link, as the install
// was asked to make them (a group the user had already is not the
// journal's, but it is the install's answer all the same).
void LogShellEntries(const InstallJob& job);

// The exit code as the last line, and the file closed.
void CloseRunLog(unsigned exitCode);
