#include "engine/copy_progress.h"

#include <commctrl.h>

#include "base/waiting.h"
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
    WPARAM percent = CopyPercent(done, total);
    // Set and read back until the bar shows the value; without a bar there
    // is nothing to wait for.
    while (bar != nullptr) {
        SendMessageA(bar, PBM_SETPOS, percent, 0);
        if (static_cast<WPARAM>(SendMessageA(bar, PBM_GETPOS, 0, 0)) >= percent)
            break;
    }
    if (pause)
        WaitMilliseconds(kProgressPause, false);
    UpdateWindow(bar);
    DispatchWaitingMessages();
}
