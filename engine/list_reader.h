#pragma once
// Reading the unpacked list file into the install model.
#include <windows.h>

#include "engine/portable/install_model.h"
#include "engine/install_view.h"

// Reads the whole open list file into the install model and closes it, then
// lets the view show what was read (the title, the setup kind), damaged or
// not. Returns 1, or 0 after reporting IDS_LIST_DAMAGED with the list
// file's name (the file is closed then too).
int ReadListFile(HANDLE file, const char* listName, InstallModel& model, InstallView& view);
