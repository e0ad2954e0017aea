// The recorded files: shared libraries lose one count and go only at zero;
// a file in use goes at the next start; a missing file is already gone.
#include "uninstaller/removal.h"

#include <windows.h>

#include "base/portable/text_helpers.h"
#include "engine/restart_delete.h"
#include "engine/self_registration.h"
#include "engine/shared_library_count.h"
#include "engine/short_path.h"
#include "uninstaller/uninstall_window.h"
#include "uninstaller/uninstaller_ids.h"

namespace {

// The wizard counts a library under its short path; a count under the long
// path is honoured too. -1: no count at all.
int ReleaseCount(const char* path)
{
    char shortPath[kTextCapacity];
    CopyText(shortPath, path);
    ToShortForm(shortPath);
    int left = ReleaseSharedLibraryReference(shortPath);
    if (left < 0 && lstrcmpiA(shortPath, path) != 0)
        left = ReleaseSharedLibraryReference(path);
    return left;
}

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// True when the file is gone now or will be at the next start.
bool DeleteRecordedFile(const char* path, int osCode, RemovalOutcome* outcome)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return IsMissing(GetLastError());
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileA(path) || IsMissing(GetLastError()))
        return true;
    if (!ScheduleDeleteAtRestart(path, osCode))
        return false;
    outcome->pendingAtRestart = true;
    return true;
}

void RemoveFile(const PlannedFile& file, int osCode, RemovalOutcome* outcome)
{
    const char* path = file.path.c_str();
    if (file.registered) {
        if (ReleaseCount(path) > 0)
            return;   // another installation still uses the library
        if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
            SelfUnregister(path);
    }
    if (!DeleteRecordedFile(path, osCode, outcome))
        outcome->filesLeft = true;
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
