// The recorded files: shared libraries lose one count and go only at zero;
// a file in use goes at the next start; a missing file is already gone.
#include "uninstaller/removal.h"

#include <windows.h>

#include <cstring>

#include "base/portable/text_helpers.h"
#include "base/run_log.h"
#include "engine/restart_delete.h"
#include "engine/self_registration.h"
#include "engine/shared_library_count.h"
#include "engine/short_path.h"
#include "uninstaller/uninstall_window.h"
#include "uninstaller/uninstaller_ids.h"

namespace {

// The wizard counts a library under its folder's short form and its name as
// listed; counts under the wholly short or the long path are honoured too.
// -1: no count at all.
int ReleaseCount(const char* path)
{
    char folderShort[kTextCapacity];
    char wholeShort[kTextCapacity];
    CopyText(folderShort, path);
    char* name = std::strrchr(folderShort, '\\');
    if (name != nullptr) {
        *name = '\0';
        ToShortForm(folderShort);
        JoinPath(folderShort, std::strrchr(path, '\\') + 1);
    }
    CopyText(wholeShort, path);
    ToShortForm(wholeShort);
    for (const char* candidate : {static_cast<const char*>(folderShort), static_cast<const char*>(wholeShort), path}) {
        int left = ReleaseSharedLibraryReference(candidate);
        if (left >= 0)
            return left;
    }
    return -1;
}

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

enum class FileFate { Deleted, AlreadyGone, AtRestart, Left };

FileFate DeleteRecordedFile(const char* path, int osCode)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return IsMissing(GetLastError()) ? FileFate::AlreadyGone : FileFate::Left;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return FileFate::Left;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileA(path) || IsMissing(GetLastError()))
        return FileFate::Deleted;
    return ScheduleDeleteAtRestart(path, osCode) ? FileFate::AtRestart : FileFate::Left;
}

void RemoveFile(const PlannedFile& file, int osCode, RemovalOutcome* outcome)
{
    const char* path = file.path.c_str();
    if (file.registered) {
        if (ReleaseCount(path) > 0) {
            LogLine("File kept: " + file.path + " (another installation still uses it)");
            return;
        }
        if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
            SelfUnregister(path);
    }
    const char* const kFates[] = {"File removed: ", "File already gone: ", "File removed at the next start: ",
                                  "File left (it cannot be deleted): "};
    FileFate fate = DeleteRecordedFile(path, osCode);
    LogLine(kFates[static_cast<int>(fate)] + file.path);
    outcome->pendingAtRestart |= fate == FileFate::AtRestart;
    outcome->filesLeft |= fate == FileFate::Left;
}

}  // namespace

void RemoveFiles(const UninstallPlan& plan, int osCode, RemovalOutcome* outcome)
{
    ShowStatus(IDS_U_REMOVING_FILES);
    unsigned total = static_cast<unsigned>(plan.files.size());
    for (unsigned i = 0; i < total; ++i) {
        RemoveFile(plan.files[i], osCode, outcome);
        ShowProgress(i + 1, total);
    }
}
