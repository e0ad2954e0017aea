#pragma once
// Where our programs look for libraries. For a library that is not one of
// the system's known libraries Windows looks in the program's own folder
// first, and a setup program is usually started from a downloads folder that
// holds whatever else was downloaded. So the search is narrowed to the system
// folder before anything else loads, and the system libraries that we load
// ourselves are named by their full path.
#include <windows.h>

// Narrows the library search of the process to the system folder and takes
// the current folder out of it, where the system offers the means (Windows 9x
// and early NT lack them and go on as before). The first call of every
// program's entry point.
void RestrictLibrarySearch();

// Loads a library of the system folder by its full path; nullptr when it
// cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);
