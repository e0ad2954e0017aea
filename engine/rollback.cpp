#include "engine/rollback.h"

#include <windows.h>

#include <cstring>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "engine/portable/file_line.h"
#include "engine/portable/file_rules.h"
#include "resources/string_ids.h"

namespace {

bool WasCopiedByThisRun(const InstallJob& job, const char* path)
{
    return job.copiedFiles != nullptr && StringListFind(job.copiedFiles, path, true) >= 0;
}

bool MayDelete(const InstallJob& job, const FileLineFields& fields, const char* path)
{
    return ProtectedLibraryClass(fields.name, ProtectedTest::Wide) == NotProtected && !IsFontFile(path) &&
           WasCopiedByThisRun(job, path);
}

void DeleteInstalledFiles(const InstallJob& job)
{
    StringList files = job.model->files;
    int count = static_cast<int>(StringListSize(files));
    for (int i = 0; i < count; ++i) {
        char line[kTextCapacity];
        char path[kTextCapacity];
        StringListGet(files, i, line);
        FileLineFields fields;
        SplitFileLine(line, fields);
        CopyText(path, fields.folder);
        JoinPath(path, fields.name);
        if (!MayDelete(job, fields, path))
            continue;
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        if (DeleteFileA(path))
            job.view->Pause(10, true);
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

void DeleteHelpIndexFiles(const char* helpFile)
{
    if (helpFile[0] == '\0')
        return;
    DeleteWithExtension(helpFile, ".GID");
    DeleteWithExtension(helpFile, ".chw");
}

void RemoveTargetFolders(const InstallJob& job)
{
    StringList files = job.model->files;
    int count = static_cast<int>(StringListSize(files));
    for (int i = 0; i < count; ++i) {
        char line[kTextCapacity];
        StringListGet(files, i, line);
        FileLineFields fields;
        SplitFileLine(line, fields);
        RemoveFolderChain(job, fields.folder);
        job.view->Pause(20, true);
    }
}

// Deepest first: each folder was created after the one that holds it.
void RemoveCreatedFolders(const InstallJob& job)
{
    StringList folders = job.createdFolders;
    if (folders == nullptr)
        return;
    for (int i = static_cast<int>(StringListSize(folders)) - 1; i >= 0; --i) {
        char folder[kTextCapacity];
        StringListGet(folders, i, folder);
        SetFileAttributesA(folder, FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(folder);
    }
}

}  // namespace

void RemoveFolderChain(const InstallJob& job, const char* path)
{
    std::size_t bound = std::strlen(job.defaultFolder);
    char folder[kTextCapacity];
    CopyText(folder, path);
    std::size_t length = std::strlen(folder);
    while (length > 0 && length >= bound) {
        SetFileAttributesA(folder, FILE_ATTRIBUTE_NORMAL);
        if (!RemoveDirectoryA(folder))
            return;
        job.view->Pause(10, true);
        char* backslash = std::strrchr(folder, '\\');
        if (backslash == nullptr)
            return;
        *backslash = '\0';
        length = static_cast<std::size_t>(backslash - folder);
    }
}

void RollBack(InstallJob& job)
{
    InstallView& view = *job.view;
    bool afterCancel = *job.cancel != 0;
    *job.cancel = 1;
    view.ShowBusy(true);
    view.Pause(10, true);

    view.ShowProgress(false);
    view.EnableCancel(false);
    view.ShowTask(IDS_ROLLING_BACK);
    view.Pause(100, true);

    DeleteInstalledFiles(job);
    DeleteHelpIndexFiles(job.helpFile);
    view.Pause(100, true);
    RemoveTargetFolders(job);
    RemoveCreatedFolders(job);

    *job.cancel = 1;
    view.ShowTask(IDS_INSTALL_INTERRUPTED);
    view.ShowBusy(false);
    if (afterCancel) {
        char text[kTextCapacity];
        LoadTableString(IDS_CANCELLED_BY_USER, text);
        ShowMessage(text, MB_OK | MB_ICONHAND);
    }
}
