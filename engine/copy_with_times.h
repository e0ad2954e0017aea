#pragma once
// Copying one file in chunks while the window stays alive.
#include <windows.h>

#include "engine/install_job.h"

// Copies the source over the target in 16 KB chunks, moving the bar from
// the step's done count on, and gives the target the source's times and
// attributes. A copy stopped by the cancel flag deletes its partial target
// and also returns 1: the caller sees the flag. Returns 0 when a file cannot
// be opened, read or written, or when the source ends before its size; a
// target it had created or truncated is then deleted, so no partial file
// remains. While it copies, the journal names both files (an undo meanwhile
// cannot delete them, and leaves them to this copy and the temp cleanup).
int CopyWithTimes(InstallJob& job, const char* source, const char* target, ULONGLONG done);
