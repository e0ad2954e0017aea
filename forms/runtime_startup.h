#pragma once
// Start-up of the form runtime: buffers, start-up strings, system code,
// screen factors, default font, window map and window classes.
#include <windows.h>

// Runs once before the first form. projectTitle may be nullptr; mainFormKind
// chooses the class by which a running copy of the application is found.
void StartRuntime(HINSTANCE instance, const char* applicationName, const char* exeName,
                  const char* projectTitle, int mainFormKind);

// The operating-system code; the service-pack text is copied into the
// buffer (at least 132 bytes) when one is given.
int OsCode(char* servicePackText);
