// The sample product's self-registering library: the wizard calls
// DllRegisterServer after copying it. It registers nothing itself.
#include <windows.h>

extern "C" HRESULT __stdcall DllRegisterServer()
{
    return S_OK;
}

extern "C" HRESULT __stdcall DllUnregisterServer()
{
    return S_OK;
}
