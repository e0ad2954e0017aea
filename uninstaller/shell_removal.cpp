// What the install showed in the shell: the program group, the desktop link
// and the file associations.
#include "uninstaller/removal.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "base/portable/text_helpers.h"
#include "base/run_log.h"
#include "base/portable/os_code.h"
#include "base/program_manager.h"
#include "registration/portable/uninstaller_contract.h"
#include "engine/program_group_deletion.h"
#include "base/registry.h"
#include "uninstaller/uninstall_window.h"
#include "uninstaller/uninstaller_ids.h"

namespace {

const char* const kDocumentKinds[] = {"Project", "Window", "Module", "Resource"};
const char kProgrammaticPrefix[] = "Kestrel.";

void ShellFoldersKey(char* key)
{
    CopyText(key, kCurrentVersionKey);
    JoinPath(key, "Explorer\\Shell Folders");
}

const char kFileExtsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

// The Explorer choices' parent key goes too when the install was what made it.
void DeleteEmptyKey(RootCode root, const char* subkey)
{
    HKEY key;
    if (RegOpenKeyExA(RootKey(root), subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD subkeys = 1;
    DWORD values = 1;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    if (subkeys == 0 && values == 0)
        RegDeleteKeyA(RootKey(root), subkey);
}

bool StartsWith(const char* text, const char* prefix)
{
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

}  // namespace

bool ReadShellFolder(RootCode root, int osCode, const char* userValue, const char* commonValue, char* folder)
{
    char key[kTextCapacity];
    ShellFoldersKey(key);
    folder[0] = '\0';
    bool found;
    if (osCode < OsWindows98)
        found = ReadRegValue(kCurrentUser, key, userValue, folder);
    else if (root == kLocalMachine)
        found = ReadRegValue(kLocalMachine, key, commonValue, folder);
    else
        found = ReadRegValue(root, key, userValue, folder);
    return found && CheckFullPath(folder) == PathProblem::None;
}

void RemoveProgramGroup(const UninstallPlan& plan, RootCode root)
{
    if (plan.group.empty())
        return;
    ShowStatus(IDS_U_REMOVING_GROUP);
    if (DeleteProgramManagerGroup(plan.group.c_str()) == ProgramManagerAnswer::Accepted) {
        LogLine("Program group removed: " + plan.group);
        return;
    }
    // Without a program manager the folder goes directly; it may have put the
    // group in either programs folder.
    char programs[kTextCapacity];
    for (RootCode folderRoot : {root, kCurrentUser}) {
        if (ReadShellFolder(folderRoot, 2, "Programs", "Common Programs", programs) && JoinPath(programs, plan.group.c_str()))
            RemoveGroupLinks(programs, plan.itemTitles);
    }
    LogLine("Program group removed as a folder of links (no program manager answered): " + plan.group);
}

void RemoveDesktopLink(const UninstallPlan& plan, RootCode root, int osCode)
{
    if (!plan.shortcut || plan.name.empty() || plan.name.find('\\') != std::string::npos ||
        CheckRelativePath(plan.name.c_str()) != PathProblem::None)
        return;
    ShowStatus(IDS_U_REMOVING_SHORTCUT);
    char link[kTextCapacity];
    if (!ReadShellFolder(root, osCode, "Desktop", "Common Desktop", link))
        return;
    JoinPath(link, plan.name.c_str());
    AppendText(link, ".lnk");
    SetFileAttributesA(link, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(link);
    LogLine(std::string("Desktop link removed: ") + link);
}

void RemoveAssociations(const UninstallPlan& plan)
{
    ShowStatus(IDS_U_REMOVING_ASSOCIATIONS);
    for (const std::string& extension : plan.extensions) {
        // Another program may have taken the extension over since: it keeps it.
        char owner[kTextCapacity];
        bool owned = ReadRegValue(kClassesRoot, extension.c_str(), "", owner) && StartsWith(owner, kProgrammaticPrefix);
        if (owned)
            DeleteRegTree(kClassesRoot, extension.c_str());
        LogLine("Association " + extension + (owned ? " removed" : " kept (another program has taken it)"));
        char choiceKey[kTextCapacity];
        CopyText(choiceKey, kFileExtsKey);
        JoinPath(choiceKey, extension.c_str());
        DeleteRegTree(kCurrentUser, choiceKey);
    }
    DeleteEmptyKey(kCurrentUser, kFileExtsKey);
    if (!plan.extensions.empty()) {
        for (const char* kind : kDocumentKinds) {
            char identifier[kTextCapacity];
            CopyText(identifier, kProgrammaticPrefix);
            AppendText(identifier, kind);
            DeleteRegTree(kClassesRoot, identifier);
        }
    }
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST | SHCNF_FLUSH, nullptr, nullptr);
}
