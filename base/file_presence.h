#pragma once
// Whether a file or folder of that name is there, asked the same way by
// every program and subsystem.

// True when the path names an existing file or folder.
bool PathExists(const char* path);
