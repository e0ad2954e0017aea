#include "engine/program_group_deletion.h"

#include <windows.h>

#include "base/portable/text_helpers.h"
#include "base/registry.h"

namespace {

bool NamesATitle(const std::string& name, const std::vector<std::string>& itemTitles)
{
    for (const std::string& title : itemTitles) {
        if (lstrcmpiA(name.c_str(), (title + ".lnk").c_str()) == 0)
            return true;
    }
    return false;
}

}  // namespace

bool FindProgramGroupFolder(const char* groupName, std::string& folder)
{
    const char key[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    char programs[kTextCapacity];
    for (bool common : {false, true}) {
        if (ReadRegValue(common ? kLocalMachine : kCurrentUser, key, common ? "Common Programs" : "Programs",
                         programs) &&
            JoinPath(programs, groupName) && GetFileAttributesA(programs) != INVALID_FILE_ATTRIBUTES) {
            folder = programs;
            return true;
        }
    }
    return false;
}

bool GroupHoldsOnly(const std::string& folder, const std::vector<std::string>& itemTitles)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    bool onlyItems = true;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != ".." &&
            ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !NamesATitle(name, itemTitles)))
            onlyItems = false;
    } while (onlyItems && FindNextFileA(search, &found));
    FindClose(search);
    return onlyItems;
}

void RemoveGroupLinks(const std::string& folder, const std::vector<std::string>& itemTitles)
{
    for (const std::string& title : itemTitles) {
        std::string link = folder + "\\" + title + ".lnk";
        SetFileAttributesA(link.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(link.c_str());
    }
    RemoveDirectoryA(folder.c_str());
}
