#include "base/portable/os_code.h"

int OsCodeFor(unsigned platformId, unsigned majorVersion, unsigned minorVersion)
{
    if (platformId == kPlatformWin9x)
        return minorVersion == 0 ? OsWindows95 : OsWindows98;
    if (platformId != kPlatformNT)
        return OsUnsupported;
    if (majorVersion < 5)
        return OsWindowsNT4;
    if (majorVersion > 5)
        return OsWindowsLater;
    return minorVersion == 0 ? OsWindows2000 : OsWindowsXP;
}
