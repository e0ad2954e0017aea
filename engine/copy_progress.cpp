#include "engine/copy_progress.h"

#include <commctrl.h>

#include <cstdint>

#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/waiting.h"

void ShowCopyProgress(DWORD done, DWORD total, bool pause)
{
    uint64_t percent = total == 0 ? 100 : static_cast<uint64_t>(done) * 100 / total;
    if (percent > 100)
        percent = 100;
    HWND bar = ControlWindow(prbPerCent);
    if (bar != nullptr) {
        do
            SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
        while (static_cast<uint64_t>(SendMessageA(bar, PBM_GETPOS, 0, 0)) < percent);
    }
    if (pause)
        WaitMilliseconds(15, false);
    UpdateWindow(bar);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
