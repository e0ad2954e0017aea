#pragma once
// Files that can only be deleted at the next system start.

// Has the system delete the file at the next start: MoveFileExA with a delay
// on the NT family, a WININIT.INI "Rename" entry to NUL on Windows 95, 98
// and Me (osCode is the runtime's operating-system code). True when the
// request was recorded.
bool ScheduleDeleteAtRestart(const char* path, int osCode);
