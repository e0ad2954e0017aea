#include "engine/restart_delete.h"

#include <windows.h>

#include "base/portable/text_helpers.h"
#include "engine/portable/file_rules.h"
#include "engine/short_path.h"

bool ScheduleDeleteAtRestart(const char* path, int osCode)
{
    if (!IsWindows9xFamily(osCode))
        return MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
    char wininit[kTextCapacity];
    char target[kTextCapacity];
    GetWindowsDirectoryA(wininit, sizeof wininit);
    JoinPath(wininit, "WININIT.INI");
    ToShortForm(wininit);
    CopyText(target, path);
    ToShortForm(target);
    return WritePrivateProfileStringA("Rename", "NUL", target, wininit) != 0;
}
