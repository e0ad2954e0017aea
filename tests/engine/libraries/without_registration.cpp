// A library with exports but no registration entry point.
#include <windows.h>

extern "C" __declspec(dllexport) int STDAPICALLTYPE DllUnregisterServer()
{
    return 0;
}
