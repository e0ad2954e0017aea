#include "wizard/portable/answers.h"

#include <algorithm>
#include <cstring>

#include "base/portable/characters.h"

namespace {

const char* const kKeyNames[kAnswerKeyCount] = {"Dir", "Name", "Company", "Group", "NoGroup", "Tasks", "Toolset"};

bool Gives(const Answers& answers, int key)
{
    if (key == AnswerGroup || key == AnswerNoGroup)
        return answers[AnswerGroup] || answers[AnswerNoGroup];
    return answers[key].has_value();
}

AnswerSource SourceOf(const Answers& file, const Answers& switches, int key)
{
    if (Gives(switches, key))
        return AnswerSource::Switch;
    return Gives(file, key) ? AnswerSource::File : AnswerSource::Default;
}

bool StartsWithDrive(const std::string& path)
{
    char letter = Lower(path[0]);
    return path.size() >= 3 && letter >= 'a' && letter <= 'z' && path[1] == ':' && path[2] == '\\';
}

// "\\server\share", alone or followed by a backslash and more.
bool StartsWithShare(const std::string& path)
{
    if (path.compare(0, 2, "\\\\") != 0)
        return false;
    std::size_t share = path.find('\\', 2);
    if (share == std::string::npos || share == 2)
        return false;
    std::size_t shareEnd = std::min(path.find('\\', share + 1), path.size());
    return shareEnd > share + 1;
}

bool HoldsBadCharacter(const std::string& path)
{
    for (std::size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < ' ' || std::strchr("<>\"|?*", c) != nullptr || (c == ':' && i != 1))
            return true;
    }
    return false;
}

AnswerProblem CheckDestination(const std::string& path)
{
    if (!StartsWithDrive(path) && !StartsWithShare(path))
        return AnswerProblem::DirNotAbsolute;
    if (HoldsBadCharacter(path))
        return AnswerProblem::DirBadCharacter;
    return path.size() > kLongestDestination ? AnswerProblem::DirTooLong : AnswerProblem::None;
}

AnswerProblem TurnOnTask(const std::string& item, const PageStart& start, const InstallModel& model,
                         InstallChoices& choices)
{
    if (EqualNoCase(item.c_str(), "desktop")) {
        choices.desktopShortcut = true;
        return start.offersShortcut ? AnswerProblem::None : AnswerProblem::DesktopNotOffered;
    }
    for (int kind = 0; kind < start.associationsOffered; ++kind) {
        if (EqualNoCase(item.c_str(), AssociationExtension(model, kind).c_str())) {
            choices.associations[kind] = true;
            return AnswerProblem::None;
        }
    }
    return AnswerProblem::UnknownTask;
}

// The tasks listed are on, every other one off.
AnswerProblem ApplyTasks(const std::string& tasks, const PageStart& start, const InstallModel& model,
                         InstallChoices& choices, std::string& refused)
{
    std::fill(std::begin(choices.associations), std::end(choices.associations), false);
    choices.desktopShortcut = false;
    for (std::size_t from = 0; from <= tasks.size();) {
        std::size_t comma = std::min(tasks.find(',', from), tasks.size());
        std::string item = WithoutBlanksAround(tasks.substr(from, comma - from));
        from = comma + 1;
        if (item.empty())
            continue;
        AnswerProblem problem = TurnOnTask(item, start, model, choices);
        if (problem != AnswerProblem::None) {
            refused = item;
            return problem;
        }
    }
    return AnswerProblem::None;
}

AnswerProblem ApplyAnswer(AnswerKey key, const std::string& value, const PageStart& start,
                          const InstallModel& model, InstallChoices& choices, std::string& refused)
{
    switch (key) {
    case AnswerDir: {
        AnswerProblem problem = CheckDestination(value);
        if (problem == AnswerProblem::None)
            CopyText(choices.destination, value.c_str());
        return problem;
    }
    case AnswerName:
        CopyText(choices.userName, value.c_str());
        return AnswerProblem::None;
    case AnswerCompany:
        CopyText(choices.organization, value.c_str());
        return AnswerProblem::None;
    case AnswerGroup:
        if (WithoutBlanksAround(value).empty())
            return AnswerProblem::EmptyGroup;
        choices.programGroup = true;
        CopyText(choices.groupName, value.c_str());
        return AnswerProblem::None;
    case AnswerNoGroup:
        choices.programGroup = false;
        return AnswerProblem::None;
    case AnswerTasks:
        return ApplyTasks(value, start, model, choices, refused);
    case AnswerToolset:
        if (!EqualNoCase(value.c_str(), "MASM32") && !EqualNoCase(value.c_str(), "Basalt"))
            return AnswerProblem::UnknownToolset;
        choices.basalt = EqualNoCase(value.c_str(), "Basalt");
        return AnswerProblem::None;
    default:
        return AnswerProblem::None;
    }
}

}  // namespace

const char* AnswerKeyName(AnswerKey key)
{
    return kKeyNames[key];
}

bool ContradictsGroup(const Answers& answers, int key)
{
    return (key == AnswerGroup && answers[AnswerNoGroup]) || (key == AnswerNoGroup && answers[AnswerGroup]);
}

std::string AssociationExtension(const InstallModel& model, int kind)
{
    const std::string& line = model.associations[kind];
    return line.substr(0, line.find(','));
}

std::string WithoutBlanksAround(const std::string& text)
{
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && IsBlank(text[start]))
        ++start;
    while (end > start && IsBlank(text[end - 1]))
        --end;
    return text.substr(start, end - start);
}

AppliedAnswers ApplyAnswers(PageStart& start, const InstallModel& model, const Answers& file,
                            const Answers& switches)
{
    AppliedAnswers applied;
    InstallChoices choices = start.choices;
    for (int key = 0; key < kAnswerKeyCount; ++key) {
        AnswerSource source = SourceOf(file, switches, key);
        applied.source[key] = source;
        const std::optional<std::string>& answer = (source == AnswerSource::Switch ? switches : file)[key];
        if (source == AnswerSource::Default || !answer)
            continue;
        applied.refusedValue = *answer;
        applied.problem = ApplyAnswer(AnswerKey(key), *answer, start, model, choices, applied.refusedValue);
        if (applied.problem != AnswerProblem::None) {
            applied.refusedKey = AnswerKey(key);
            return applied;
        }
    }
    applied.refusedValue.clear();
    start.choices = choices;
    return applied;
}
