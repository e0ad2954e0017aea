// Stand-in for the product's uninstaller in the sample package; it accepts
// any command line and removes nothing.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
