#pragma once
// A run's log (/LOG): a UTF-8 text file, a line per event, open for the
// whole run, for the administrator who deployed the program. Without /LOG
// every call does nothing.
#include <string>

// Creates the log: at the path given, or (for an empty one) under a new name
// in the temp folder that begins with the product, never over another log.
// False when it cannot be created. Its first lines name the program and say
// how it was started, on which Windows, for whom and when.
bool OpenRunLog(const std::string& path, const std::string& product, const std::string& program,
                const char* commandLine);

// Appends a line, given in the program's code page.
void LogLine(const std::string& line);

// A message the program showed, or would have shown, by the number of its
// table string, and the button taken.
void LogMessage(int messageId, const char* text, int answer);

// The exit code as the last line, and the file closed.
void CloseRunLog(unsigned exitCode);
