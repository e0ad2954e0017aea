#pragma once
// Setting the progress bar and making sure it shows the position, as the
// unpacking, the copy and the registration all do.
#include <windows.h>

// Sends the position to the bar and, above 0, sends it again until the bar
// reads it back. A bar that is gone, or whose range stops short of the
// position, ends the loop instead of holding it forever.
void ShowBarPosition(HWND bar, unsigned percent);
