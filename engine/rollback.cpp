#include "engine/rollback.h"

#include <windows.h>

#include <cstring>

#include "engine/journal_end.h"
#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "resources/string_ids.h"

namespace {

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

}  // namespace

void RollBack(InstallJob& job)
{
    InstallView& view = *job.view;
    bool afterCancel = *job.cancel != 0;
    bool undone = !IsJournalOpen(job.journal);
    *job.cancel = 1;
    // Already undone (the user agreed to cancel when the session was ending):
    // nothing is left to undo or to tell.
    if (undone && job.rolledBack)
        return;
    job.rolledBack = true;
    view.ShowBusy(true);
    view.Pause(10, true);

    view.ShowProgress(false);
    view.EnableCancel(false);
    view.ShowTask(IDS_ROLLING_BACK);
    view.Pause(100, true);

    UndoJournal(job.journal, &view, job.osCode);
    DeleteHelpIndexFiles(job.helpFile);
    view.Pause(100, true);

    *job.cancel = 1;
    view.ShowTask(IDS_INSTALL_INTERRUPTED);
    view.ShowBusy(false);
    if (afterCancel) {
        char text[kTextCapacity];
        LoadTableString(IDS_CANCELLED_BY_USER, text);
        ShowMessage(IDS_CANCELLED_BY_USER, text, MB_OK | MB_ICONHAND);
    }
}
