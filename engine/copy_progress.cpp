#include "engine/copy_progress.h"

#include "engine/portable/file_rules.h"

void ShowCopyProgress(InstallView& view, ULONGLONG done, DWORD total, bool pause)
{
    view.ShowBar(CopyPercent(done, total));
    if (pause)
        view.Pause(kProgressPause, false);
    view.DispatchWaiting();
}
