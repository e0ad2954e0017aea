#include "engine/progress_hook.h"

#include "base/waiting.h"
#include "engine/bar_position.h"
#include "wizard/wizard_state.h"

void SetProgressTarget(HWND bar, uint32_t total)
{
    g_wizard.progress.bar = bar;
    g_wizard.progress.total = total;
}

bool HookWouldMoveBar(uint32_t count)
{
    const ProgressState& progress = g_wizard.progress;
    return progress.bar != nullptr && WouldMovePercent(progress.count, count, progress.total);
}

void ProgressHook(uint32_t count, bool end)
{
    ProgressState& progress = g_wizard.progress;
    if (progress.bar == nullptr)
        return;
    ++progress.calls;
    uint32_t done = CountProgress(progress.count, count, end);
    ShowBarPosition(progress.bar, ProgressPercent(done, progress.total));
    RequestMillisecondTimer();
    Sleep(2);
    UpdateWindow(progress.bar);
}
