#include "engine/path_macros.h"

#include <windows.h>

#include "base/portable/text_helpers.h"
#include "engine/portable/path_macro.h"
#include "base/registry.h"

namespace {

const char kShellFoldersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void FontsFolder(char* buffer)
{
    if (ReadRegValue(kCurrentUser, kShellFoldersKey, "Fonts", buffer))
        return;
    GetWindowsDirectoryA(buffer, static_cast<UINT>(kTextCapacity));
    JoinPath(buffer, "Fonts");
}

void MacroExpansion(PathMacro macro, const char* destination, char* buffer)
{
    buffer[0] = '\0';
    switch (macro) {
    case PathMacro::WinDir:
        GetWindowsDirectoryA(buffer, static_cast<UINT>(kTextCapacity));
        break;
    case PathMacro::WinSysDir:
        GetSystemDirectoryA(buffer, static_cast<UINT>(kTextCapacity));
        break;
    case PathMacro::Fonts:
        FontsFolder(buffer);
        break;
    case PathMacro::AppDir:
        CopyText(buffer, destination);
        break;
    case PathMacro::None:
        break;
    }
}

}  // namespace

int ExpandPathMacro(char* text, const char* destination, std::size_t capacity)
{
    const char* rest = nullptr;
    PathMacro macro = RecognizePathMacro(text, &rest);
    if (macro == PathMacro::None)
        return 0;
    char expanded[2 * kTextCapacity];
    MacroExpansion(macro, destination, expanded);
    AppendText(expanded, rest, sizeof expanded);
    CopyText(text, expanded, capacity);
    return 1;
}
