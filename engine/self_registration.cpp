#include "engine/self_registration.h"

#include <windows.h>

#include "base/waiting.h"

namespace {

using RegisterServerProc = HRESULT(STDAPICALLTYPE*)();

}  // namespace

int SelfRegister(const char* path)
{
    HMODULE library = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library == nullptr)
        return 0;
    auto registerServer =
        reinterpret_cast<RegisterServerProc>(reinterpret_cast<void*>(GetProcAddress(library, "DllRegisterServer")));
    if (registerServer == nullptr || FAILED(registerServer())) {
        FreeLibrary(library);
        return 0;
    }
    FreeLibrary(library);
    WaitMilliseconds(100, true);
    return 1;
}
