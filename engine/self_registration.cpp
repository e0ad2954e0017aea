#include "engine/self_registration.h"

#include <windows.h>

#include "base/waiting.h"

namespace {

using RegisterServerProc = HRESULT(STDAPICALLTYPE*)();

int CallServerEntry(const char* path, const char* entryName)
{
    HMODULE library = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library == nullptr)
        return 0;
    auto registerServer =
        reinterpret_cast<RegisterServerProc>(reinterpret_cast<void*>(GetProcAddress(library, entryName)));
    if (registerServer == nullptr || FAILED(registerServer())) {
        FreeLibrary(library);
        return 0;
    }
    FreeLibrary(library);
    WaitMilliseconds(100, true);
    return 1;
}

}  // namespace

int SelfRegister(const char* path)
{
    return CallServerEntry(path, "DllRegisterServer");
}

int SelfUnregister(const char* path)
{
    return CallServerEntry(path, "DllUnregisterServer");
}
