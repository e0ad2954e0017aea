#include "engine/fonts.h"

#include <windows.h>

#include <cstring>

#include "engine/portable/file_rules.h"
#include "base/registry.h"

namespace {

const char kFontValueName[] = "Led Display Normal (TrueType)";
const char kNtFontsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const char k9xFontsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";

const char* BareName(const char* name)
{
    const char* backslash = std::strrchr(name, '\\');
    return backslash != nullptr ? backslash + 1 : name;
}

}  // namespace

int InstallFont(const char* name, int osCode)
{
    if (!IsFontFile(name))
        return 0;
    if (AddFontResourceA(name) == 0)
        return 1;
    const char* key = IsWindows9xFamily(osCode) ? k9xFontsKey : kNtFontsKey;
    WriteRegString(kLocalMachine, key, kFontValueName, BareName(name));
    SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
    return 1;
}
