#include "engine/progress_hook.h"

#include "engine/bar_position.h"

namespace {

// Each step of the bar stays on screen a moment, so that it is seen moving.
constexpr DWORD kBarStepPause = 2;

}  // namespace

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
    progress.view->Pause(kBarStepPause, false);
}
