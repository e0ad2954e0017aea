#include "wizard/portable/answers_file.h"

#include <algorithm>

#include "base/portable/characters.h"
#include "base/portable/text_helpers.h"

namespace {

std::string TasksOn(const InstallChoices& choices, const InstallModel& model)
{
    std::string tasks;
    int offered = static_cast<int>(std::min<std::size_t>(model.associations.size(), kDocumentKindCount));
    for (int kind = 0; kind < offered; ++kind) {
        if (choices.associations[kind])
            tasks += (tasks.empty() ? "" : ",") + AssociationExtension(model, kind);
    }
    if (choices.desktopShortcut)
        tasks += tasks.empty() ? "desktop" : ",desktop";
    return tasks;
}

int FindKey(const std::string& key)
{
    for (int index = 0; index < kAnswerKeyCount; ++index) {
        if (EqualNoCase(key.c_str(), AnswerKeyName(AnswerKey(index))))
            return index;
    }
    return -1;
}

AnswersFileProblem ReadEntry(const std::string& line, Answers& answers)
{
    std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return AnswersFileProblem::NotAnEntry;
    int key = FindKey(WithoutBlanksAround(line.substr(0, equals)));
    std::string value = WithoutBlanksAround(line.substr(equals + 1));
    if (key < 0)
        return AnswersFileProblem::UnknownKey;
    if (answers[key])
        return AnswersFileProblem::Repeated;
    if (ContradictsGroup(answers, key))
        return AnswersFileProblem::GroupAndNoGroup;
    if (key == AnswerNoGroup && value != "1")
        return AnswersFileProblem::BadNoGroup;
    if (value.size() >= kTextCapacity)
        return AnswersFileProblem::TooLong;
    answers[key] = value;
    return AnswersFileProblem::None;
}

bool IsSection(const std::string& line)
{
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

}  // namespace

std::string ComposeAnswersFile(const InstallChoices& choices, const InstallModel& model)
{
    std::string text = "[Setup]\r\n";
    auto entry = [&text](AnswerKey key, const std::string& value) {
        text += std::string(AnswerKeyName(key)) + "=" + value + "\r\n";
    };
    entry(AnswerDir, choices.destination);
    entry(AnswerName, choices.userName);
    entry(AnswerCompany, choices.organization);
    if (choices.programGroup)
        entry(AnswerGroup, choices.groupName);
    else
        entry(AnswerNoGroup, "1");
    entry(AnswerTasks, TasksOn(choices, model));
    entry(AnswerToolset, choices.basalt ? "Basalt" : "MASM32");
    return text;
}

AnswersFile ParseAnswersFile(const std::string& text)
{
    AnswersFile file;
    bool inSetup = false;
    std::size_t from = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (int number = 1; from < text.size(); ++number) {
        std::size_t end = std::min(text.find('\n', from), text.size());
        std::string line = text.substr(from, end - from);
        from = end + 1;
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        line = WithoutBlanksAround(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (IsSection(line)) {
            inSetup = EqualNoCase(WithoutBlanksAround(line.substr(1, line.size() - 2)).c_str(), "Setup");
            continue;
        }
        if (!inSetup)
            continue;
        file.problem = ReadEntry(line, file.answers);
        if (file.problem != AnswersFileProblem::None) {
            file.line = number;
            return file;
        }
    }
    return file;
}
