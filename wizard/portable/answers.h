#pragma once
// Answers given without the pages, on the command line or in an answers
// file, and how they are written over the pages' defaults: the switches over
// the file, the file over the defaults. A value a page would not let the user
// make is refused whole, and the choices stay as they were.
#include <array>
#include <optional>
#include <string>

#include "engine/portable/install_model.h"
#include "wizard/portable/page_start.h"

// Each answer's switch and file key share the name of AnswerKeyName.
enum AnswerKey {
    AnswerDir,       // the destination folder
    AnswerName,      // the user's name; may be empty
    AnswerCompany,   // the organization; may be empty
    AnswerGroup,     // the program group's name
    AnswerNoGroup,   // no program group; its value is unused
    AnswerTasks,     // the associations' extensions and "desktop" to turn on, comma-separated
    AnswerToolset,   // "MASM32" or "Basalt", the toolset options' captions
    kAnswerKeyCount,
};

// An answer not given is absent; given, it holds its text as written.
using Answers = std::array<std::optional<std::string>, kAnswerKeyCount>;

// "Dir", "Name", "Company", "Group", "NoGroup", "Tasks", "Toolset".
const char* AnswerKeyName(AnswerKey key);

// Group and NoGroup exclude each other: whether answer `key` would join the
// other one among those given. The parsers refuse the second one.
bool ContradictsGroup(const Answers& answers, int key);

enum class AnswerSource { Default, File, Switch };

enum class AnswerProblem {
    None,
    DirNotAbsolute,       // neither "X:\..." nor "\\server\share..."
    DirBadCharacter,      // < > " | ? * a control character, or a colon past the drive
    DirTooLong,           // see kLongestDestination
    UnknownTask,          // an extension the model does not offer, or another word
    DesktopNotOffered,    // "desktop" where the model has no shortcut to offer
    UnknownToolset,
    EmptyGroup,
};

// A file of an 8.3 name (12 characters) and the backslash before it must
// still fit a 259-character path in the destination.
constexpr std::size_t kLongestDestination = 259 - 1 - 12;

struct AppliedAnswers {
    std::array<AnswerSource, kAnswerKeyCount> source{};   // where each answer came from, for the log
    AnswerProblem problem = AnswerProblem::None;
    AnswerKey refusedKey = AnswerDir;                     // with a problem: the answer refused,
    std::string refusedValue;                             // and its text (for tasks, the one item)
};

// Writes the given answers over start.choices; on a problem the choices are
// left as they were. Group and NoGroup are one answer: the switches give it
// when they hold either, else the file. The model names the associations'
// extensions (the first field of each line, for the kinds start offers).
AppliedAnswers ApplyAnswers(PageStart& start, const InstallModel& model, const Answers& file,
                            const Answers& switches);

// The extension of association kind `kind`: the line's text before its first comma.
std::string AssociationExtension(const InstallModel& model, int kind);

// The text without the blanks and tabs around it: they never count in an
// answer's item, key or value.
std::string WithoutBlanksAround(const std::string& text);
