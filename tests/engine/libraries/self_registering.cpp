// A library whose registration entry point leaves a trace that the engine
// tests can see: under HKCU "Software\InstalTests\SelfRegistered", a value
// named by the library's own path (long form) counts the calls. REGISTER_RESULT is what
// the entry point answers.
#include <windows.h>

#include <cstdlib>

namespace {

HMODULE g_module;
const char kTraceKey[] = "Software\\InstalTests\\SelfRegistered";

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = instance;
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer()
{
    char loaded[MAX_PATH];
    char path[MAX_PATH];
    GetModuleFileNameA(g_module, loaded, sizeof loaded);
    if (GetLongPathNameA(loaded, path, sizeof path) == 0)
        lstrcpynA(path, loaded, sizeof path);
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kTraceKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return E_FAIL;
    DWORD count = 0;
    DWORD size = sizeof count;
    RegQueryValueExA(key, path, nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size);
    ++count;
    RegSetValueExA(key, path, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof count);
    RegCloseKey(key);
    return REGISTER_RESULT;
}
