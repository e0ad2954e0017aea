#include "engine/shared_library_count.h"

#include <windows.h>

#include "base/registry.h"

int AddSharedLibraryReference(const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0, kWriteAccess, &key) != ERROR_SUCCESS)
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

int ReleaseSharedLibraryReference(const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0, kWriteAccess, &key) != ERROR_SUCCESS)
        return -1;
    DWORD count = 0;
    DWORD size = sizeof count;
    DWORD type = 0;
    int left = -1;
    if (RegQueryValueExA(key, path, nullptr, &type, reinterpret_cast<BYTE*>(&count), &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof count) {
        left = count > 1 ? static_cast<int>(count - 1) : 0;
        if (left > 0)
            RegSetValueExA(key, path, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&left), sizeof count);
        else
            RegDeleteValueA(key, path);
    }
    RegCloseKey(key);
    return left;
}
