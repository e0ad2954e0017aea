#pragma once
// The path macros of list lines: <WinDir>, <WinSysDir>, <Fonts>, <AppDir>.

// Rewrites a 260-byte text in place when it starts with a macro; returns 1
// then, 0 when it does not (the text is unchanged).
int ExpandPathMacro(char* text);
