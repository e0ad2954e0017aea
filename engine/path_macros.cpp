#include "engine/path_macros.h"

#include <windows.h>

#include <cstring>

#include "registration/registry.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/portable/text_helpers.h"

namespace {

const char* const kMacros[] = {"<WinDir>", "<WinSysDir>", "<Fonts>", "<AppDir>"};

void FontsFolder(char* buffer)
{
    if (ReadRegValue(kCurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                     "Fonts", buffer))
        return;
    GetWindowsDirectoryA(buffer, kTextCapacity);
    JoinPath(buffer, "Fonts");
}

void MacroFolder(int macro, char* buffer)
{
    buffer[0] = '\0';
    switch (macro) {
    case 0: GetWindowsDirectoryA(buffer, kTextCapacity); break;
    case 1: GetSystemDirectoryA(buffer, kTextCapacity); break;
    case 2: FontsFolder(buffer); break;
    default: GetControlText(stcDestDir, buffer); break;
    }
}

}  // namespace

int ExpandPathMacro(char* text)
{
    const char* close = std::strchr(text, '>');
    if (close == nullptr)
        return 0;
    std::size_t macroLength = static_cast<std::size_t>(close - text) + 1;
    for (int macro = 0; macro < 4; ++macro) {
        if (std::strlen(kMacros[macro]) != macroLength || _strnicmp(text, kMacros[macro], macroLength) != 0)
            continue;
        char expanded[kTextCapacity];
        MacroFolder(macro, expanded);
        AppendText(expanded, close + 1);
        CopyText(text, expanded);
        return 1;
    }
    return 0;
}
