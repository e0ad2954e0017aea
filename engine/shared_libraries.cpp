#include "engine/shared_libraries.h"

#include <windows.h>

#include "wizard/waiting.h"

namespace {

const char kSharedLibrariesKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

using RegisterServerEntry = HRESULT(STDAPICALLTYPE*)();

}  // namespace

int SelfRegister(const char* path)
{
    HMODULE library = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library == nullptr)
        return 0;
    auto entry = reinterpret_cast<RegisterServerEntry>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllRegisterServer")));
    HRESULT status = entry != nullptr ? entry() : E_FAIL;
    FreeLibrary(library);
    if (FAILED(status))
        return 0;
    WaitMilliseconds(100, true);
    return 1;
}

int AddSharedLibraryReference(const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedLibrariesKey, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return 1;
    DWORD count = 0;
    DWORD size = sizeof count;
    DWORD type = 0;
    if (RegQueryValueExA(key, path, nullptr, &type, reinterpret_cast<BYTE*>(&count), &size) != ERROR_SUCCESS ||
        size != sizeof count)
        count = 0;
    ++count;
    RegSetValueExA(key, path, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof count);
    RegCloseKey(key);
    return 1;
}
