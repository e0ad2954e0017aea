#include "engine/restart_rename.h"

#include <windows.h>

#include "base/portable/text_helpers.h"
#include "engine/portable/file_rules.h"
#include "engine/short_path.h"

bool ScheduleRenameAtRestart(const char* temporaryPath, const char* target, int osCode)
{
    if (!IsWindows9xFamily(osCode))
        return MoveFileExA(temporaryPath, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
    char wininit[kTextCapacity];
    char source[kTextCapacity];
    char destination[kTextCapacity];
    GetWindowsDirectoryA(wininit, sizeof wininit);
    JoinPath(wininit, "WININIT.INI");
    ToShortForm(wininit);
    CopyText(source, temporaryPath);
    ToShortForm(source);
    CopyText(destination, target);
    ToShortForm(destination);
    return WritePrivateProfileStringA("Rename", destination, source, wininit) != 0;
}
