#pragma once
// The file-version functions of the system's version library, bound at first
// use from the system folder by full path: the library is not a known one,
// so a static import of it would be looked for beside the program first.
#include <windows.h>

struct VersionFunctions {
    decltype(&GetFileVersionInfoSizeA) GetFileVersionInfoSizeA;
    decltype(&GetFileVersionInfoA) GetFileVersionInfoA;
    decltype(&VerQueryValueA) VerQueryValueA;
};

// The three functions, all bound; nullptr when the library or one of them
// cannot be had.
const VersionFunctions* VersionLibrary();
