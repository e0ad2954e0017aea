#pragma once
// A shell link file made through the shell-link object.
#include <windows.h>

// Saves a link at linkPath to target, with the target's first icon, the
// target's folder as working folder and the description (when not null).
// The target text is cut in place to its folder. Returns the first failing
// HRESULT, or S_OK.
HRESULT CreateShellLink(char* target, const char* linkPath, const char* description);
