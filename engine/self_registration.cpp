#include "engine/self_registration.h"

#include <windows.h>

#include "wizard/waiting.h"

namespace {

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
