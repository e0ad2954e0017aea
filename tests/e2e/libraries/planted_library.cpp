// Planted beside Instal.exe under the name of a system library, as if it had
// been downloaded to the same folder. It does nothing but leave a trace, a
// file named after itself with ".loaded" added, when a process loads it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char trace[MAX_PATH + 8];
    DWORD length = GetModuleFileNameA(instance, trace, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return TRUE;
    lstrcpyA(trace + length, ".loaded");
    HANDLE file = CreateFileA(trace, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return TRUE;
}
