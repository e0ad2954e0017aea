#include "registration/desktop_shortcut.h"

#include <windows.h>
#include <shlobj.h>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/portable/install_model.h"
#include "engine/journaled_changes.h"
#include "engine/path_macros.h"
#include "engine/portable/list_file.h"
#include "base/portable/os_code.h"
#include "registration/portable/product_keys.h"
#include "registration/portable/uninstaller_contract.h"
#include "base/registry.h"
#include "registration/shell_link.h"
#include "resources/string_ids.h"

namespace {

// The desktop folder from the shell folders: Windows 95 and per-user
// installs use the user's desktop, per-machine installs the all-users one.
bool ReadDesktopFolder(int osCode, RootCode installRoot, char* folder)
{
    char key[kTextCapacity];
    CopyText(key, kCurrentVersionKey);
    JoinPath(key, "Explorer\\Shell Folders");
    if (osCode < OsWindows98)
        return ReadRegValue(kCurrentUser, key, "Desktop", folder);
    if (installRoot == kLocalMachine)
        return ReadRegValue(kLocalMachine, key, "Common Desktop", folder);
    return ReadRegValue(installRoot, key, "Desktop", folder);
}

}  // namespace

void CreateDesktopShortcut(InstallJob& job)
{
    const InstallModel& model = *job.model;
    if (!job.choices.desktopShortcut || model.systemInstall != 0)
        return;
    job.view->ShowTask(IDS_CREATING_SHORTCUT);

    char target[kTextCapacity];
    char productName[kTextCapacity];
    char linkPath[kTextCapacity];
    GetInformationLine(model, InfoShortcutTarget, target);
    ExpandPathMacro(target, job.choices.destination);
    GetInformationLine(model, InfoProductName, productName);
    // Without a desktop folder there is nowhere to put the link, and
    // recording one would make the uninstaller look for a file never made.
    if (ReadDesktopFolder(job.osCode, job.installRoot, linkPath)) {
        JoinPath(linkPath, productName);
        AppendText(linkPath, ".lnk");
        bool noted = GetFileAttributesA(linkPath) == INVALID_FILE_ATTRIBUTES ? NoteNewFile(job.journal, linkPath)
                                                                              : MoveAside(job.journal, linkPath);
        if (noted)
            CreateShellLink(target, linkPath, productName);

        char productKey[kTextCapacity];
        char recordKey[kTextCapacity];
        GetInformationLine(model, InfoProductKey, productKey);
        ProductRecordKey(recordKey, sizeof recordKey, productKey, "", "Uninstall");
        WriteJournaledString(job.journal, job.installRoot, recordKey, "Shortcut", "1");
    }
    job.view->Pause(250, true);
}

void NotifyShellAndRepaintDesktop()
{
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr);
    RedrawWindow(GetDesktopWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
