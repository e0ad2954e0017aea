#include "engine/rollback.h"

#include <windows.h>

#include <cstring>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/portable/file_line.h"
#include "engine/portable/file_rules.h"
#include "resources/string_ids.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"

namespace {

bool WasCopiedByThisRun(const char* path)
{
    return g_wizard.copiedFiles != nullptr && StringListFind(g_wizard.copiedFiles, path, true) >= 0;
}

bool MayDelete(const FileLineFields& fields, const char* path)
{
    return ProtectedLibraryClass(fields.name, ProtectedTest::Wide) == NotProtected && !IsFontFile(path) &&
           WasCopiedByThisRun(path);
}

void DeleteInstalledFiles()
{
    StringList files = g_wizard.model.files;
    int count = static_cast<int>(StringListSize(files));
    for (int i = 0; i < count; ++i) {
        char line[kTextCapacity];
        char path[kTextCapacity];
        StringListGet(files, i, line);
        FileLineFields fields;
        SplitFileLine(line, fields);
        CopyText(path, fields.folder);
        JoinPath(path, fields.name);
        if (!MayDelete(fields, path))
            continue;
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        if (DeleteFileA(path))
            WaitMilliseconds(10, true);
    }
}

void DeleteWithExtension(const char* path, const char* extension)
{
    char index[kTextCapacity];
    CopyText(index, path);
    std::size_t length = std::strlen(index);
    if (length < 4)
        return;
    index[length - 4] = '\0';
    AppendText(index, extension);
    SetFileAttributesA(index, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(index);
}

void DeleteHelpIndexFiles()
{
    const char* helpFile = g_wizard.buffers.helpFile;
    if (helpFile == nullptr || helpFile[0] == '\0')
        return;
    DeleteWithExtension(helpFile, ".GID");
    DeleteWithExtension(helpFile, ".chw");
}

void RemoveTargetFolders()
{
    StringList files = g_wizard.model.files;
    int count = static_cast<int>(StringListSize(files));
    for (int i = 0; i < count; ++i) {
        char line[kTextCapacity];
        StringListGet(files, i, line);
        FileLineFields fields;
        SplitFileLine(line, fields);
        RemoveFolderChain(fields.folder);
        WaitMilliseconds(20, true);
    }
}

// Deepest first: each folder was created after the one that holds it.
void RemoveCreatedFolders()
{
    StringList folders = g_wizard.createdFolders;
    if (folders == nullptr)
        return;
    for (int i = static_cast<int>(StringListSize(folders)) - 1; i >= 0; --i) {
        char folder[kTextCapacity];
        StringListGet(folders, i, folder);
        SetFileAttributesA(folder, FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(folder);
    }
}

void ShowStatus(int stringId)
{
    char status[kTextCapacity];
    SetControlTextFromTable(stcCurrentTask, stringId, status, 0);
}

}  // namespace

void RemoveFolderChain(const char* path)
{
    const char* defaultFolder = g_wizard.buffers.defaultFolder;
    std::size_t bound = defaultFolder != nullptr ? std::strlen(defaultFolder) : 0;
    char folder[kTextCapacity];
    CopyText(folder, path);
    std::size_t length = std::strlen(folder);
    while (length > 0 && length >= bound) {
        SetFileAttributesA(folder, FILE_ATTRIBUTE_NORMAL);
        if (!RemoveDirectoryA(folder))
            return;
        WaitMilliseconds(10, true);
        char* backslash = std::strrchr(folder, '\\');
        if (backslash == nullptr)
            return;
        *backslash = '\0';
        length = static_cast<std::size_t>(backslash - folder);
    }
}

void RollBack()
{
    bool afterCancel = g_wizard.cancel != 0;
    g_wizard.cancel = 1;
    BeginWaitCursor(g_wizard.mainWindow);
    WaitMilliseconds(10, true);

    ShowControl(stcFile, false);
    ShowControl(prbPerCent, false);
    EnableControl(btnCancel, false);
    ShowStatus(IDS_ROLLING_BACK);
    WaitMilliseconds(100, true);

    DeleteInstalledFiles();
    DeleteHelpIndexFiles();
    WaitMilliseconds(100, true);
    RemoveTargetFolders();
    RemoveCreatedFolders();

    g_wizard.cancel = 1;
    ShowStatus(IDS_INSTALL_INTERRUPTED);
    EndWaitCursor();
    if (afterCancel) {
        char text[kTextCapacity];
        LoadTableString(IDS_CANCELLED_BY_USER, text);
        ShowMessage(text, MB_OK | MB_ICONHAND);
    }
}
