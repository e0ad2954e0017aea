#include "engine/restart_rename.h"

#include <windows.h>

#include <string>
#include <vector>

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

namespace {

const char kSessionManagerKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kPendingRenames[] = "PendingFileRenameOperations";

// The system keeps the paths as "\??\C:\...": compared without that prefix.
bool SamePendingPath(const std::string& pending, const char* path)
{
    std::string bare = pending.compare(0, 4, "\\??\\") == 0 ? pending.substr(4) : pending;
    return lstrcmpiA(bare.c_str(), path) == 0;
}

void RemovePendingRename(const char* temporaryPath)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, kPendingRenames, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ) {
        RegCloseKey(key);
        return;
    }
    std::string data(size, '\0');
    RegQueryValueExA(key, kPendingRenames, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
    std::vector<std::string> strings;
    for (std::size_t start = 0; start < data.size();) {
        std::size_t end = data.find('\0', start);
        if (end == std::string::npos)
            end = data.size();
        strings.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    std::string kept;
    for (std::size_t i = 0; i + 1 < strings.size(); i += 2) {
        if (strings[i].empty() || SamePendingPath(strings[i], temporaryPath))
            continue;
        kept += strings[i] + '\0' + strings[i + 1] + '\0';
    }
    if (kept.empty()) {
        RegDeleteValueA(key, kPendingRenames);
    } else {
        kept += '\0';
        RegSetValueExA(key, kPendingRenames, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                       static_cast<DWORD>(kept.size()));
    }
    RegCloseKey(key);
}

void RemoveWininitRename(const char* temporaryPath, const char* target)
{
    char wininit[kTextCapacity];
    char source[kTextCapacity];
    char temporary[kTextCapacity];
    char destination[kTextCapacity];
    GetWindowsDirectoryA(wininit, sizeof wininit);
    JoinPath(wininit, "WININIT.INI");
    if (GetFileAttributesA(wininit) == INVALID_FILE_ATTRIBUTES)
        return;
    // Scheduled in short form, as the system's start-up reads it.
    CopyText(temporary, temporaryPath);
    ToShortForm(temporary);
    CopyText(destination, target);
    ToShortForm(destination);
    GetPrivateProfileStringA("Rename", destination, "", source, sizeof source, wininit);
    if (source[0] != '\0' && lstrcmpiA(source, temporary) == 0)
        WritePrivateProfileStringA("Rename", destination, nullptr, wininit);
}

}  // namespace

void CancelRenameAtRestart(const char* temporaryPath, const char* target)
{
    RemovePendingRename(temporaryPath);
    RemoveWininitRename(temporaryPath, target);
}
