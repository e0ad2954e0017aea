#include "base/registry.h"

#include <cstring>

#include "base/portable/text_helpers.h"

namespace {

constexpr std::size_t kChildPathCapacity = 520;
const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char* g_installRootProbe = kCurrentVersionKey;

}  // namespace

bool IsRootCode(RootCode root)
{
    return root >= kClassesRoot && root <= kDynData;
}

HKEY RootKey(RootCode root)
{
    if (!IsRootCode(root))
        return nullptr;
    // Predefined keys are the sign-extended 32-bit codes.
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<int32_t>(root)));
}

namespace {

int WriteRegValue(RootCode root, const char* subkey, const char* valueName, DWORD type, const void* data,
                  DWORD size)
{
    if (subkey == nullptr || subkey[0] == '\0' || !IsRootCode(root))
        return 0;
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExA(RootKey(root), subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, kWriteAccess,
                        nullptr, &key, &disposition) != ERROR_SUCCESS)
        return 0;
    LONG result = RegSetValueExA(key, valueName, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

}  // namespace

int WriteRegString(RootCode root, const char* subkey, const char* valueName, const char* text)
{
    return WriteRegValue(root, subkey, valueName, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

int WriteRegNumber(RootCode root, const char* subkey, const char* valueName, DWORD number)
{
    return WriteRegValue(root, subkey, valueName, REG_DWORD, &number, sizeof number);
}

int ReadRegValue(RootCode root, const char* subkey, const char* valueName, char* buffer)
{
    if (!IsRootCode(root))
        return 0;
    HKEY key;
    if (RegOpenKeyExA(RootKey(root), subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    LONG result;
    if (buffer == nullptr) {
        result = RegQueryValueExA(key, valueName, nullptr, nullptr, nullptr, nullptr);
    } else {
        // Read into a copy first: a failing query must leave the caller's
        // buffer as it was, and a value that does not fit is a failure.
        char value[kTextCapacity];
        DWORD size = sizeof value;
        result = RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
        if (result == ERROR_SUCCESS) {
            value[size < sizeof value ? size : sizeof value - 1] = '\0';
            std::memcpy(buffer, value, sizeof value);
        }
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

int DeleteRegValue(RootCode root, const char* subkey, const char* valueName)
{
    HKEY key;
    if (RegOpenKeyExA(RootKey(root), subkey, 0, kWriteAccess, &key) != ERROR_SUCCESS)
        return 0;
    LONG result = RegDeleteValueA(key, valueName);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

int DeleteRegTree(RootCode root, const char* subkey)
{
    HKEY key;
    if (RegOpenKeyExA(RootKey(root), subkey, 0, kWriteAccess, &key) != ERROR_SUCCESS)
        return 0;
    char child[kTextCapacity];
    for (;;) {
        DWORD length = sizeof child;
        if (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        // A child without children of its own goes at once; only one that
        // refuses is descended into.
        if (RegDeleteKeyA(key, child) == ERROR_SUCCESS)
            continue;
        RegCloseKey(key);
        char* childPath = static_cast<char*>(GlobalAlloc(GPTR, kChildPathCapacity));
        int deleted = 0;
        if (childPath != nullptr) {
            CopyText(childPath, subkey, kChildPathCapacity);
            JoinPath(childPath, child, kChildPathCapacity);
            deleted = DeleteRegTree(root, childPath);
            GlobalFree(childPath);
        }
        if (!deleted || RegOpenKeyExA(RootKey(root), subkey, 0, kWriteAccess, &key) != ERROR_SUCCESS)
            return RegDeleteKeyA(RootKey(root), subkey) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return RegDeleteKeyA(RootKey(root), subkey) == ERROR_SUCCESS;
}

RootCode ChooseInstallRoot()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_installRootProbe, 0, kWriteAccess, &key) != ERROR_SUCCESS)
        return kCurrentUser;
    RegCloseKey(key);
    return kLocalMachine;
}

void SetInstallRootProbeKey(const char* subkey)
{
    g_installRootProbe = subkey != nullptr ? subkey : kCurrentVersionKey;
}

bool RegKeyExists(RootCode root, const char* subkey)
{
    HKEY key;
    if (RegOpenKeyExA(RootKey(root), subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}
