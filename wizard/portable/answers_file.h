#pragma once
// The answers file that /SAVEINF writes and /LOADINF reads, an INI text:
//
//   [Setup]
//   Dir=C:\Apps\Kestrel        the destination folder
//   Name=Anna                  the user's name (may be empty)
//   Company=Tallwood           the organization (may be empty)
//   Group=Kestrel 2.0          the program group, or instead:
//   NoGroup=1                  no program group
//   Tasks=.kpj,.kwn,desktop    the associations' extensions and the desktop
//                              shortcut that are on (may be empty: none)
//   Toolset=Basalt             or MASM32
//
// Any key may be left out: its answer then comes from the switches or the
// defaults. Reading: keys are case-insensitive; blanks around keys and
// values do not count, as in any INI file (so a value keeps none around
// it); lines end in LF, CR LF or more CRs; a UTF-8 mark at the start, other
// sections, blank lines and comment lines (";") are skipped. In [Setup],
// anything else is refused with its line number.
#include <string>

#include "engine/portable/install_choices.h"
#include "engine/portable/install_model.h"
#include "wizard/portable/answers.h"

// Every key but the unused one of Group and NoGroup, lines ended by CR LF.
// The tasks are the first association lines' extensions (as many as the
// options page offers) whose kinds are on.
std::string ComposeAnswersFile(const InstallChoices& choices, const InstallModel& model);

enum class AnswersFileProblem {
    None,
    NotAnEntry,        // a line without "="
    UnknownKey,
    Repeated,          // the same key twice, in any case
    TooLong,           // a value over 259 characters
    GroupAndNoGroup,
    BadNoGroup,        // NoGroup other than 1
};

struct AnswersFile {
    Answers answers;
    AnswersFileProblem problem = AnswersFileProblem::None;
    int line = 0;   // with a problem: its line, counted from 1
};

AnswersFile ParseAnswersFile(const std::string& text);
