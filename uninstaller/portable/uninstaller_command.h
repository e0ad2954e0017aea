#pragma once
// The uninstaller's command lines: "K" (the system's list of installed
// programs: ask, then remove), " /S K<suffix>" (the wizard's removal run, no
// question) and " /R K" (the run at the next start).
#include <cstddef>

enum class UninstallerMode {
    Invalid,    // no argument, an unknown switch or an unusable product key
    Ask,
    Silent,
    Restart,
};

constexpr std::size_t kProductKeyCapacity = 64;   // 63 characters and the zero

struct UninstallerCommand {
    UninstallerMode mode;
    char productKey[kProductKeyCapacity];   // with the record's suffix for /S
};

// Reads the whole command line as the system gives it (program name first,
// quoted or not, or absent when the line begins with a blank). The switch is
// case-insensitive and blanks around its parts are tolerated. A product key
// holds no blank, backslash, slash or control character, since it becomes
// part of a registry path.
UninstallerCommand ParseUninstallerCommand(const char* commandLine);
