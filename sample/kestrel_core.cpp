// The sample product's self-registering library: the wizard calls
// DllRegisterServer after copying it, the uninstaller DllUnregisterServer
// before deleting it. It registers one class key, so that both can be seen.
#include <windows.h>
#include <olectl.h>

namespace {

const char kClassKey[] = "KestrelCore.Library";
const char kDescription[] = "Kestrel Core";

}  // namespace

extern "C" HRESULT __stdcall DllRegisterServer()
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, kClassKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kDescription), sizeof kDescription);
    RegCloseKey(key);
    return S_OK;
}

extern "C" HRESULT __stdcall DllUnregisterServer()
{
    LONG result = RegDeleteKeyA(HKEY_CLASSES_ROOT, kClassKey);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}
