#pragma once
// The folders of this machine that no product owns, read from the system,
// and the real spelling of a path that is compared with them.
#include <string>

#include "uninstaller/portable/uninstall_plan.h"

// Full and long, without a trailing backslash; the path as given when the
// system cannot resolve it (a folder that does not exist).
std::string RealPath(const std::string& path);

// The Windows and system folders, the program-files folders, the profiles
// folder with every profile and its shell folders, the shell folders of the
// user and of all users, and the temp folder.
SystemFolders ReadSystemFolders();
