#pragma once
// Unpacking the package's next entry into a file.
#include "engine/unpacking.h"

// Reads the next entry record from the open package, decompresses it
// (moving the progress bar) and writes its file at the target path with the
// entry's times and attributes. Returns 1, or 0 after reporting the failure.
int ExtractEntry(Unpacking& unpacking, const char* target);
