#include "uninstaller/system_folders.h"

#include <windows.h>

namespace {

const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kProfileList[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

// What every profile holds, whatever the shell folders of its user say.
const char* const kProfileFolders[] = {"Desktop", "Documents", "My Documents", "Start Menu", "Application Data",
                                       "AppData", "AppData\\Roaming", "AppData\\Local", "Favorites", "Downloads"};

using GetLongPathNameFunction = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);

// Windows 95 has no GetLongPathNameA.
GetLongPathNameFunction LongPathFunction()
{
    return reinterpret_cast<GetLongPathNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA")));
}

std::string Expanded(const char* text)
{
    char expanded[MAX_PATH];
    DWORD length = ExpandEnvironmentStringsA(text, expanded, sizeof expanded);
    return length > 0 && length <= sizeof expanded ? expanded : text;
}

void AddReserved(SystemFolders& system, const std::string& folder)
{
    if (!folder.empty())
        system.reserved.push_back(RealPath(Expanded(folder.c_str())));
}

// Every text value of a key: the shell-folder keys hold one folder a value.
void AddValuesOf(SystemFolders& system, HKEY root, const char* subkey)
{
    HKEY key;
    if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        char name[MAX_PATH];
        char data[MAX_PATH];
        DWORD nameLength = sizeof name;
        DWORD size = sizeof data - 1;
        DWORD type = 0;
        LONG result = RegEnumValueA(key, index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            continue;
        data[size] = '\0';
        AddReserved(system, data);
    }
    RegCloseKey(key);
}

// A text value, expanded; empty when missing.
std::string ReadText(HKEY root, const char* subkey, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::string();
    char data[MAX_PATH];
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::string();
    data[size] = '\0';
    return Expanded(data);
}

void AddProfile(SystemFolders& system, const std::string& profile)
{
    AddReserved(system, profile);
    for (const char* folder : kProfileFolders)
        AddReserved(system, profile + "\\" + folder);
}

// The profiles folder (on the 9x family WINDIR\Profiles, inside the Windows
// folder anyway) and every folder in it, each a user's profile.
void AddProfiles(SystemFolders& system)
{
    std::string profiles = ReadText(HKEY_LOCAL_MACHINE, kProfileList, "ProfilesDirectory");
    if (profiles.empty())
        return;
    AddReserved(system, profiles);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((profiles + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        bool dots = lstrcmpA(found.cFileName, ".") == 0 || lstrcmpA(found.cFileName, "..") == 0;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !dots)
            AddProfile(system, profiles + "\\" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

std::string RealPath(const std::string& path)
{
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full)
        return path;
    char longForm[MAX_PATH];
    GetLongPathNameFunction getLongPathName = LongPathFunction();
    if (getLongPathName != nullptr) {
        length = getLongPathName(full, longForm, sizeof longForm);
        if (length > 0 && length < sizeof longForm)
            return longForm;
    }
    return full;
}

SystemFolders ReadSystemFolders()
{
    SystemFolders system;
    system.realPath = RealPath;
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, sizeof folder);
    system.windows = RealPath(folder);
    folder[0] = '\0';
    GetSystemDirectoryA(folder, sizeof folder);
    AddReserved(system, folder);
    folder[0] = '\0';
    GetTempPathA(sizeof folder, folder);
    AddReserved(system, folder);
    for (const char* name : {"ProgramFilesDir", "ProgramFilesDir (x86)", "CommonFilesDir", "CommonFilesDir (x86)"})
        AddReserved(system, ReadText(HKEY_LOCAL_MACHINE, kCurrentVersion, name));
    AddValuesOf(system, HKEY_CURRENT_USER, kShellFolders);
    AddValuesOf(system, HKEY_LOCAL_MACHINE, kShellFolders);
    for (const char* variable : {"%USERPROFILE%", "%ALLUSERSPROFILE%", "%PUBLIC%"}) {
        std::string profile = Expanded(variable);
        if (profile != variable)
            AddProfile(system, profile);
    }
    AddProfiles(system);
    return system;
}
