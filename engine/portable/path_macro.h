#pragma once
// Recognition of the path macros with which list lines name their folders.

enum class PathMacro {
    None,
    WinDir,
    WinSysDir,
    Fonts,
    AppDir,
};

// The macro that the text starts with: the text up to and including its
// first ">", compared without regard to case. When one is found, *rest points
// at the character after the ">".
PathMacro RecognizePathMacro(const char* text, const char** rest);
