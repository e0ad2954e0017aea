#pragma once
// Expansion of the path macro at the start of a list text.

// Rewrites the 260-byte text in place when it starts with "<WinDir>",
// "<WinSysDir>", "<Fonts>" or "<AppDir>" (any case) and returns 1; returns 0
// and leaves the text unchanged otherwise.
int ExpandPathMacro(char* text);
