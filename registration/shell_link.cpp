#include "registration/shell_link.h"

#include <objidl.h>
#include <shlobj.h>

#include <cstring>

namespace {

constexpr int kWidePathCharacters = 270;

// Runs the setters in order; the first failure ends the sequence.
HRESULT DescribeAndSave(IShellLinkA* link, IPersistFile* file, char* target, const char* linkPath,
                        const char* description, WCHAR* widePath)
{
    HRESULT result = link->SetPath(target);
    if (SUCCEEDED(result))
        result = link->SetIconLocation(target, 0);
    if (FAILED(result))
        return result;
    char* lastBackslash = std::strrchr(target, '\\');
    if (lastBackslash != nullptr)
        *lastBackslash = '\0';
    result = link->SetWorkingDirectory(target);
    if (SUCCEEDED(result) && description != nullptr)
        result = link->SetDescription(description);
    if (FAILED(result))
        return result;
    MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH);
    return file->Save(widePath, TRUE);
}

}  // namespace

HRESULT CreateShellLink(char* target, const char* linkPath, const char* description)
{
    CoInitialize(nullptr);
    auto* widePath = static_cast<WCHAR*>(GlobalAlloc(GPTR, kWidePathCharacters * sizeof(WCHAR)));
    IShellLinkA* link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      reinterpret_cast<void**>(&link));
    if (SUCCEEDED(result)) {
        IPersistFile* file = nullptr;
        result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        if (SUCCEEDED(result)) {
            result = widePath != nullptr
                         ? DescribeAndSave(link, file, target, linkPath, description, widePath)
                         : E_OUTOFMEMORY;
            file->Release();
        }
        link->Release();
    }
    if (widePath != nullptr)
        GlobalFree(widePath);
    CoUninitialize();
    return result;
}
