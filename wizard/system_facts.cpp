#include "wizard/system_facts.h"

#include <windows.h>

#include "base/registry.h"

namespace {

bool ReadRegistryValue(RootCode root, const char* key, const char* name, std::string& value)
{
    char text[kTextCapacity] = "";
    if (!ReadRegValue(root, key, name, text))
        return false;
    value = text;
    return true;
}

std::string Folder(UINT (WINAPI* query)(LPSTR, UINT))
{
    char folder[kTextCapacity] = "";
    query(folder, static_cast<UINT>(kTextCapacity));
    return folder;
}

}  // namespace

SystemFacts ReadSystemFacts(int osCode, RootCode installRoot)
{
    return {osCode, installRoot, Folder(GetWindowsDirectoryA), Folder(GetSystemDirectoryA), ReadRegistryValue};
}
