#pragma once
// The one routine that makes every font of the runtime.
#include <windows.h>

// The font of (size in points, bold, italic, underline, strike-out, face)
// for the window's device context (the screen's when window is nullptr);
// with at96Dpi the pixel height is that of a 96-dots-per-inch screen.
HFONT CreateRuntimeFont(HWND window, int points, bool bold, bool italic, bool underline,
                        bool strikeOut, const char* faceName, bool at96Dpi);
