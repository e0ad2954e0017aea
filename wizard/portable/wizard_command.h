#pragma once
// Instal.exe's command line, for installs without the user:
//
//   /SILENT /VERYSILENT /NORESTART /?
//   /DIR=folder /NAME=text /COMPANY=text /GROUP=text /NOGROUP
//   /TASKS=.ext,...,desktop /TOOLSET=MASM32|Basalt
//   /SAVEINF=file /LOADINF=file /LOG[=file]
//
// Switches are case-insensitive; a value with blanks is quoted, whole or
// after the "=" (/DIR="C:\Apps\Kestrel Deploy"). Both modes given: the very
// silent one wins, as the quieter one is what a script that says both means.
#include <optional>
#include <string>
#include <vector>

#include "wizard/portable/answers.h"

// The arguments after the program name, split as the system's
// CommandLineToArgvW splits them: blanks and tabs separate; double quotes
// group, also in the middle of an argument; 2n backslashes before a quote
// are n backslashes and the quote groups, 2n+1 are n and a literal quote;
// other backslashes are literal; inside quotes "" is a literal quote that
// also ends the quoted part. The program name ends at its closing quote
// when it begins with one, else at the first blank.
std::vector<std::string> SplitArguments(const char* commandLine);

enum class RunMode { Normal, Silent, VerySilent };

enum class CommandLineProblem {
    None,
    NotASwitch,        // an argument that does not begin with "/"
    UnknownSwitch,
    MissingValue,      // "/DIR" without "=", or a file switch with "=" and nothing after it
    UnexpectedValue,   // "/SILENT=1"
    Repeated,          // the same switch twice, in any case
    TooLong,           // a value over 259 characters
    GroupAndNoGroup,
};

struct CommandLine {
    RunMode mode = RunMode::Normal;
    bool noRestart = false;
    bool help = false;                        // "/?": show how to start the program
    Answers answers;                          // /DIR to /TOOLSET; /NOGROUP's value is empty
    std::optional<std::string> saveFile;      // /SAVEINF
    std::optional<std::string> loadFile;      // /LOADINF
    std::optional<std::string> logFile;       // /LOG; empty without "=": the default log
    CommandLineProblem problem = CommandLineProblem::None;
    std::string refusedArgument;              // with a problem: the argument at fault,
    int refusedPosition = 0;                  // counted from 1 after the program name
};

CommandLine ParseCommandLine(const char* commandLine);
