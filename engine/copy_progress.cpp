#include "engine/copy_progress.h"

#include "base/waiting.h"
#include "engine/bar_position.h"
#include "engine/portable/file_rules.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"

namespace {

constexpr DWORD kProgressPause = 15;

void DispatchWaitingMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        // The quit is the main loop's: posted again, and the copy goes on.
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

void ShowCopyProgress(DWORD done, DWORD total, bool pause)
{
    HWND bar = ControlWindow(prbPerCent);
    if (bar != nullptr)
        ShowBarPosition(bar, CopyPercent(done, total));
    if (pause)
        WaitMilliseconds(kProgressPause, false);
    UpdateWindow(bar);
    DispatchWaitingMessages();
}
