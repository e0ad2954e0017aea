#include "engine/bar_position.h"

#include <commctrl.h>

namespace {

bool BarCanShow(HWND bar, unsigned percent)
{
    return IsWindow(bar) && SendMessageA(bar, PBM_GETRANGE, FALSE, 0) >= static_cast<LRESULT>(percent);
}

}  // namespace

void ShowBarPosition(HWND bar, unsigned percent)
{
    SendMessageA(bar, PBM_SETPOS, percent, 0);
    if (percent == 0)
        return;
    while (BarCanShow(bar, percent) && static_cast<unsigned>(SendMessageA(bar, PBM_GETPOS, 0, 0)) < percent)
        SendMessageA(bar, PBM_SETPOS, percent, 0);
}
