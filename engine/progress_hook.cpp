#include "engine/progress_hook.h"

#include <commctrl.h>

#include "wizard/wizard_state.h"

namespace {

// The bar can show the position: it still exists and its range reaches it.
// Without this check a destroyed bar or a shorter range would hold the
// read-back loop forever.
bool BarCanShow(HWND bar, unsigned percent)
{
    return IsWindow(bar) && SendMessageA(bar, PBM_GETRANGE, FALSE, 0) >= static_cast<LRESULT>(percent);
}

void ShowPosition(HWND bar, unsigned percent)
{
    SendMessageA(bar, PBM_SETPOS, percent, 0);
    if (percent == 0)
        return;
    while (BarCanShow(bar, percent) &&
           static_cast<unsigned>(SendMessageA(bar, PBM_GETPOS, 0, 0)) < percent)
        SendMessageA(bar, PBM_SETPOS, percent, 0);
}

}  // namespace

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
    uint32_t done = CountProgress(progress.count, count, end);
    ShowPosition(progress.bar, ProgressPercent(done, progress.total));
    Sleep(2);
    UpdateWindow(progress.bar);
}
