#include "base/system_version.h"

#include <windows.h>

int SystemOsCode()
{
    static int code = -1;
    if (code < 0) {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        code = GetVersionExA(&version)
                   ? OsCodeFor(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion)
                   : OsUnsupported;
    }
    return code;
}
