#pragma once
// Unpacking the whole data package at start-up.
#include "engine/unpacking.h"

// Opens "_Data.001" in the current directory, unpacks and reads the list
// file into the model, unpacks the logo into the temp folder, the
// uninstaller and its second copy into the Windows directory and every
// listed file into the temp folder. Returns non-zero on success; 0 after a
// reported failure, or silently after a cancel. The package is closed
// then, except after a failure, when the error report's clean-up closes it.
int ExtractPackage(Unpacking& unpacking);
