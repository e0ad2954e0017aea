#pragma once
// Files that can only be put in place at the next system start.

// Has the system move the temporary copy over the target at the next start:
// MoveFileExA with a delay on the NT family, a WININIT.INI "Rename" entry on
// Windows 95, 98 and Me (osCode is the runtime's system code). False when
// the system would not take it.
bool ScheduleRenameAtRestart(const char* temporaryPath, const char* target, int osCode);

// Takes back a rename that ScheduleRenameAtRestart made, from whichever of
// the two places holds it; others' renames stay.
void CancelRenameAtRestart(const char* temporaryPath, const char* target);
