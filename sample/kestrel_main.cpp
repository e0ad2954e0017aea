// Stand-in for the product's main program in the sample package: a window
// class that the wizard can recognise and a box that says what it is.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    MessageBoxA(nullptr, "Kestrel 1.0 (mostra)", "Kestrel", MB_OK | MB_ICONINFORMATION);
    return 0;
}
