#include "wizard/portable/wizard_command.h"

#include <algorithm>
#include <cstring>

#include "base/portable/characters.h"
#include "base/portable/text_helpers.h"

namespace {

enum SwitchKind {
    Flag,           // takes no value
    Text,           // takes a value, which may be empty
    File,           // takes a value that is not empty
    OptionalFile,   // a file, or nothing without "="
};

struct SwitchRow {
    const char* name;
    SwitchKind kind;
};

// The switches that are not answers; they follow the answers in the list of
// all switches.
enum OtherSwitch { Silent, VerySilent, NoRestart, Help, SaveInf, LoadInf, Log, kOtherSwitchCount };
const SwitchRow kOtherSwitches[kOtherSwitchCount] = {
    {"SILENT", Flag}, {"VERYSILENT", Flag}, {"NORESTART", Flag}, {"?", Flag},
    {"SAVEINF", File}, {"LOADINF", File}, {"LOG", OptionalFile},
};

constexpr int kSwitchCount = kAnswerKeyCount + kOtherSwitchCount;

struct GivenSwitches {
    Answers answers;
    std::optional<std::string> others[kOtherSwitchCount];
};

std::optional<std::string>& Slot(GivenSwitches& given, int index)
{
    return index < kAnswerKeyCount ? given.answers[index] : given.others[index - kAnswerKeyCount];
}

SwitchRow RowOf(int index)
{
    if (index >= kAnswerKeyCount)
        return kOtherSwitches[index - kAnswerKeyCount];
    return {AnswerKeyName(AnswerKey(index)), index == AnswerNoGroup ? Flag : Text};
}

CommandLineProblem CheckValue(SwitchKind kind, bool hasValue, const std::string& value)
{
    if (kind == Flag && hasValue)
        return CommandLineProblem::UnexpectedValue;
    bool needsValue = kind == Text || kind == File;
    bool needsText = kind == File || kind == OptionalFile;
    if ((needsValue && !hasValue) || (needsText && hasValue && value.empty()))
        return CommandLineProblem::MissingValue;
    return value.size() >= kTextCapacity ? CommandLineProblem::TooLong : CommandLineProblem::None;
}

CommandLineProblem ReadSwitch(const std::string& argument, GivenSwitches& given)
{
    if (argument.empty() || argument[0] != '/')
        return CommandLineProblem::NotASwitch;
    std::string body = argument.substr(1);
    std::size_t equals = body.find('=');
    std::string name = body.substr(0, equals);
    for (int index = 0; index < kSwitchCount; ++index) {
        SwitchRow row = RowOf(index);
        if (!EqualNoCase(name.c_str(), row.name))
            continue;
        if (Slot(given, index))
            return CommandLineProblem::Repeated;
        if (ContradictsGroup(given.answers, index))
            return CommandLineProblem::GroupAndNoGroup;
        std::string value = equals == std::string::npos ? "" : body.substr(equals + 1);
        CommandLineProblem problem = CheckValue(row.kind, equals != std::string::npos, value);
        if (problem == CommandLineProblem::None)
            Slot(given, index) = value;
        return problem;
    }
    return CommandLineProblem::UnknownSwitch;
}

// One argument from s, which stands on its first character; s is left after it.
std::string ReadArgument(const char*& s)
{
    std::string argument;
    bool quoted = false;
    while (*s != '\0' && (quoted || !IsBlank(*s))) {
        std::size_t backslashes = 0;
        while (s[backslashes] == '\\')
            ++backslashes;
        if (s[backslashes] != '"') {
            std::size_t literal = std::max<std::size_t>(backslashes, 1);
            argument.append(s, literal);
            s += literal;
            continue;
        }
        argument.append(backslashes / 2, '\\');
        s += backslashes + 1;
        if (backslashes % 2 == 1) {
            argument += '"';
        } else if (quoted && *s == '"') {
            argument += '"';
            ++s;
            quoted = false;
        } else {
            quoted = !quoted;
        }
    }
    return argument;
}

// A refused line still says whether it asked for silence, wherever the
// switch stands: no box may then wait for a person who is not there.
RunMode ModeAsked(const std::vector<std::string>& arguments)
{
    RunMode mode = RunMode::Normal;
    for (const std::string& argument : arguments) {
        if (EqualNoCase(argument.c_str(), "/VERYSILENT"))
            return RunMode::VerySilent;
        if (EqualNoCase(argument.c_str(), "/SILENT"))
            mode = RunMode::Silent;
    }
    return mode;
}

}  // namespace

std::vector<std::string> SplitArguments(const char* commandLine)
{
    const char* s = commandLine;
    if (*s == '"') {
        const char* closing = std::strchr(s + 1, '"');
        s = closing != nullptr ? closing + 1 : s + std::strlen(s);
    } else {
        s += std::strcspn(s, " \t");
    }
    std::vector<std::string> arguments;
    for (;;) {
        while (IsBlank(*s))
            ++s;
        if (*s == '\0')
            return arguments;
        arguments.push_back(ReadArgument(s));
    }
}

CommandLine ParseCommandLine(const char* commandLine)
{
    CommandLine line;
    GivenSwitches given;
    std::vector<std::string> arguments = SplitArguments(commandLine);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        line.problem = ReadSwitch(arguments[i], given);
        if (line.problem != CommandLineProblem::None) {
            line.refusedArgument = arguments[i];
            line.refusedPosition = static_cast<int>(i) + 1;
            line.mode = ModeAsked(arguments);
            return line;
        }
    }
    line.answers = given.answers;
    const std::optional<std::string>* other = given.others;
    line.mode = other[VerySilent] ? RunMode::VerySilent : other[Silent] ? RunMode::Silent : RunMode::Normal;
    line.noRestart = other[NoRestart].has_value();
    line.help = other[Help].has_value();
    line.saveFile = other[SaveInf];
    line.loadFile = other[LoadInf];
    line.logFile = other[Log];
    return line;
}
