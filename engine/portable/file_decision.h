#pragma once
// What the copy did with a listed file, and the rule that decided it: what
// a log tells an administrator about each file.
#include <string>

enum class FileRule {
    CopiedNew,                // the target was not there
    ReplacedAlways,           // the list replaces it whatever it holds
    ReplacedNewer,            // the package's version is newer
    KeptNotNewer,             // the machine's version is as new or newer
    KeptFont,                 // a font the machine has already
    ReplacedAtRestart,        // held by a running program: it takes its place at the next start
    SystemRegisteredAgain,    // a system library the machine has: registered again, not replaced
    SystemLeftAlone,          // a system library the machine has: never replaced
    SystemReplacedNewer,      // a system library, replaced by a newer version
    SystemKeptNotNewer,       // a system library as new or newer than the package's
    SystemNotWritten,         // a newer system library whose replacement could not be written
    SecondCopyInSystem,       // the product library's copy in the system folder
};

struct FileDecision {
    std::string target;
    FileRule rule;
};
