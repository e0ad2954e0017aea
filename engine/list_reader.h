#pragma once
// Reading the unpacked list file into the install model.
#include <windows.h>

// Reads the whole open list file into the wizard's install model and closes
// it. On the way it sets the main window's caption and, for setup kind 2,
// hides grpPackage. Returns 1, or 0 after reporting IDS_LIST_DAMAGED with
// the list file's name (the file is closed then too).
int ReadListFile(HANDLE file, const char* listName);

// Destroys the install model's string lists.
void ReleaseInstallModel();
