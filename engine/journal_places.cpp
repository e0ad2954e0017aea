#include "engine/journal_places.h"

#include <windows.h>

#include "base/registry.h"

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Paths are compared in short form: a record may name a file by its long
// name in a folder given short, or the other way round. The part of the path
// that does not exist (any more) is kept as it stands.
std::string ShortForm(const std::string& path)
{
    char shortPath[MAX_PATH];
    DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    if (length > 0 && length < sizeof shortPath)
        return shortPath;
    std::size_t backslash = path.find_last_of('\\');
    if (backslash == std::string::npos || backslash <= 2)
        return path;
    return ShortForm(path.substr(0, backslash)) + path.substr(backslash);
}

void AddFolder(JournalPlaces& places, std::string folder)
{
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    if (folder.size() > 3)
        places.folders.push_back(ShortForm(folder));
}

void AddShellFolders(JournalPlaces& places, RootCode root, const char* const* names)
{
    for (; *names != nullptr; ++names) {
        char folder[MAX_PATH] = "";
        if (ReadRegValue(root, kShellFolders, *names, folder))
            AddFolder(places, folder);
    }
}

}  // namespace

JournalPlaces CollectPlaces(const std::vector<JournalRecord>& records)
{
    static const char* const kUserFolders[] = {"Desktop", "Programs", "Start Menu", nullptr};
    static const char* const kCommonFolders[] = {"Common Desktop", "Common Programs", "Common Start Menu", nullptr};
    JournalPlaces places;
    char folder[MAX_PATH];
    if (GetWindowsDirectoryA(folder, sizeof folder) > 0)
        AddFolder(places, folder);
    if (GetSystemDirectoryA(folder, sizeof folder) > 0)
        AddFolder(places, folder);
    if (GetTempPathA(sizeof folder, folder) > 0)
        AddFolder(places, folder);
    AddShellFolders(places, kCurrentUser, kUserFolders);
    AddShellFolders(places, kLocalMachine, kCommonFolders);
    for (const JournalRecord& record : records) {
        if (record.kind == JournalKind::Destination || record.kind == JournalKind::Folder)
            AddFolder(places, record.fields[0]);
    }
    return places;
}

bool HoldsPath(const JournalPlaces& places, const std::string& path)
{
    std::string shortPath = ShortForm(path);
    for (const std::string& folder : places.folders) {
        if (PathLiesIn(shortPath, folder) && shortPath.size() > folder.size())
            return true;
    }
    return false;
}
