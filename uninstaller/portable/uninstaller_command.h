#pragma once
// The uninstaller's command lines: "K" (the system's list of installed
// programs: ask, then remove), " /S K<suffix>" (the wizard's removal run, no
// question), " /R K" (the run at the next start) and "/SILENT K" or
// "/VERYSILENT K" (a deployment tool's removal, which nobody watches).
// "/LOG" or /LOG="file", with any of them and on either side of the key,
// writes a log.
#include <cstddef>
#include <optional>
#include <string>

enum class UninstallerMode {
    Invalid,    // no argument, an unknown switch or an unusable product key
    Ask,
    Silent,
    Restart,
};

// What a run may show besides the removal itself.
enum class UninstallerDisplay {
    Everything,     // questions, messages and the progress window
    ProgressOnly,   // /SILENT: the progress window, nothing that waits for an answer
    Nothing,        // /VERYSILENT: no window at all
};

constexpr std::size_t kProductKeyCapacity = 64;   // 63 characters and the zero

struct UninstallerCommand {
    UninstallerMode mode;
    UninstallerDisplay display;   // kept for a line refused after its switch
    char productKey[kProductKeyCapacity];   // with the record's suffix for /S
    std::optional<std::string> logFile;     // /LOG; empty without "=": the default log
};

// Reads the whole command line as the system gives it (program name first,
// quoted or not, or absent when the line begins with a blank). Switches are
// case-insensitive, each given once, and blanks around the parts are
// tolerated; the log's file may be quoted after the "=". A product key
// holds no blank, backslash, slash or control character, since it becomes
// part of a registry path.
UninstallerCommand ParseUninstallerCommand(const char* commandLine);
