#include "forms/runtime_fonts.h"

#include "forms/portable/screen_metrics.h"
#include "forms/runtime_state.h"

HFONT CreateRuntimeFont(HWND window, int points, bool bold, bool italic, bool underline,
                        bool strikeOut, const char* faceName, bool at96Dpi)
{
    HDC dc = window != nullptr ? GetDC(window) : CreateCompatibleDC(nullptr);
    int dotsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    if (window != nullptr)
        ReleaseDC(window, dc);
    else
        DeleteDC(dc);
    int divisor = at96Dpi ? g_runtime.FontDpiDivisor : 72;
    int height = FontCharacterHeight(points, dotsPerInch, divisor);
    return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, strikeOut,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, faceName);
}
