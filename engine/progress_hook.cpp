#include "engine/progress_hook.h"

#include "base/waiting.h"
#include "engine/bar_position.h"

void SetProgressTarget(ProgressState& progress, InstallView* view, uint32_t total)
{
    progress.view = view;
    progress.total = total;
}

bool HookWouldMoveBar(const ProgressState& progress, uint32_t count)
{
    return progress.view != nullptr && WouldMovePercent(progress.count, count, progress.total);
}

void ProgressHook(ProgressState& progress, uint32_t count, bool end)
{
    if (progress.view == nullptr)
        return;
    ++progress.calls;
    uint64_t done = CountProgress(progress.count, count, end);
    progress.view->ShowBar(static_cast<int>(ProgressPercent(done, progress.total)));
    RequestMillisecondTimer();
    Sleep(2);
}
