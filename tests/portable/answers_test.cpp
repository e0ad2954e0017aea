#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "described_choices.h"
#include "wizard/portable/answers.h"

namespace {

using Given = std::vector<std::pair<AnswerKey, std::string>>;

Answers Made(const Given& given)
{
    Answers answers;
    for (const auto& [key, value] : given)
        answers[key] = value;
    return answers;
}

InstallModel FiveAssociations()
{
    InstallModel model;
    for (const char* ext : {".kpj", ".kwn", ".kmd", ".krc", ".kx5"})
        model.associations.push_back(std::string(ext) + ",Kind,<AppDir>\\Kestrel.exe");
    return model;
}

PageStart Defaults(bool offersShortcut)
{
    PageStart start = {};
    InstallChoices& c = start.choices;
    CopyText(c.destination, "C:\\Program Files\\Kestrel");
    CopyText(c.userName, "Anna");
    CopyText(c.organization, "Tallwood");
    c.programGroup = true;
    CopyText(c.groupName, "Kestrel 2.0");
    std::fill(std::begin(c.associations), std::end(c.associations), true);
    c.desktopShortcut = offersShortcut;
    start.offersShortcut = offersShortcut;
    start.associationsOffered = 4;
    return start;
}

const char kDefaults[] = "C:\\Program Files\\Kestrel|Anna|Tallwood|Kestrel 2.0|1111 desktop|MASM32";

TEST(ApplyAnswers, SwitchesOverTheFileOverTheDefaultsAndWhatAPageWouldRefuse)
{
    const std::string longest = "C:\\" + std::string(kLongestDestination - 3, 'd');
    const AnswerProblem none = AnswerProblem::None;
    struct Case {
        const char* what;
        Given file, switches;
        bool offersShortcut;
        // Expected: the choices and where each answer came from (Dir Name Company Group NoGroup
        // Tasks Toolset: d, f, s); or, with a refusal, the problem and the text refused.
        std::string choices;
        const char* sources;
        AnswerProblem problem;
        std::string refused;
    };
    const Case cases[] = {
        {"no answers", {}, {}, true, kDefaults, "ddddddd", none, ""},
        {"the file alone",
         {{AnswerDir, "D:\\Apps"}, {AnswerName, ""}, {AnswerNoGroup, "1"}, {AnswerTasks, " .KPJ , desktop,"},
          {AnswerToolset, "basalt"}},
         {}, true, "D:\\Apps||Tallwood|no group|1000 desktop|Basalt", "ffdffff", none, ""},
        {"a switch wins over the file, the group and no group as one answer",
         {{AnswerDir, "not even absolute"}, {AnswerGroup, "File Group"}, {AnswerTasks, ".kwn"}},
         {{AnswerDir, "\\\\server\\share\\Kestrel"}, {AnswerNoGroup, ""}, {AnswerToolset, "MASM32"}}, true,
         "\\\\server\\share\\Kestrel|Anna|Tallwood|no group|0100|MASM32", "sddssfs", none, ""},
        {"a group switch over no group in the file", {{AnswerNoGroup, "1"}}, {{AnswerGroup, "Eines"}}, true,
         "C:\\Program Files\\Kestrel|Anna|Tallwood|Eines|1111 desktop|MASM32", "dddssdd", none, ""},
        {"no tasks and a share alone", {}, {{AnswerTasks, ""}, {AnswerDir, "\\\\server\\share"}}, false,
         "\\\\server\\share|Anna|Tallwood|Kestrel 2.0|0000|MASM32", "sddddsd", none, ""},
        {"the longest destination", {}, {{AnswerDir, longest}}, true,
         longest + "|Anna|Tallwood|Kestrel 2.0|1111 desktop|MASM32", "sdddddd", none, ""},
        {"one more", {}, {{AnswerDir, longest + "d"}}, true, "", "", AnswerProblem::DirTooLong, longest + "d"},
        {"a relative folder", {}, {{AnswerDir, "Kestrel"}}, true, "", "", AnswerProblem::DirNotAbsolute, "Kestrel"},
        {"a drive without a root", {}, {{AnswerDir, "C:Kestrel"}}, true, "", "", AnswerProblem::DirNotAbsolute, "C:Kestrel"},
        {"a server without a share", {}, {{AnswerDir, "\\\\server\\"}}, true, "", "", AnswerProblem::DirNotAbsolute,
         "\\\\server\\"},
        {"a share without a server", {}, {{AnswerDir, "\\\\\\share"}}, true, "", "", AnswerProblem::DirNotAbsolute,
         "\\\\\\share"},
        {"a wildcard", {}, {{AnswerDir, "C:\\K*"}}, true, "", "", AnswerProblem::DirBadCharacter, "C:\\K*"},
        {"a colon past the drive", {}, {{AnswerDir, "C:\\K:2"}}, true, "", "", AnswerProblem::DirBadCharacter, "C:\\K:2"},
        {"a tab", {}, {{AnswerDir, "C:\\K\t2"}}, true, "", "", AnswerProblem::DirBadCharacter, "C:\\K\t2"},
        {"a quote left by a backslash before it", {}, {{AnswerDir, "C:\\K\" /SILENT"}}, true, "", "",
         AnswerProblem::DirBadCharacter, "C:\\K\" /SILENT"},
        {"the fifth association is not offered", {}, {{AnswerTasks, ".kpj,.kx5"}}, true, "", "",
         AnswerProblem::UnknownTask, ".kx5"},
        {"an extension without its dot", {{AnswerTasks, "kwn"}}, {}, true, "", "", AnswerProblem::UnknownTask, "kwn"},
        {"no shortcut to offer", {}, {{AnswerTasks, ".kpj,Desktop"}}, false, "", "",
         AnswerProblem::DesktopNotOffered, "Desktop"},
        {"another toolset", {}, {{AnswerToolset, "MASM"}}, true, "", "", AnswerProblem::UnknownToolset, "MASM"},
        {"an empty group", {}, {{AnswerGroup, " "}}, true, "", "", AnswerProblem::EmptyGroup, " "},
        {"a refusal in the file after a good switch changes nothing",
         {{AnswerToolset, "none"}}, {{AnswerDir, "D:\\Apps"}}, true, "", "", AnswerProblem::UnknownToolset, "none"},
    };
    const InstallModel model = FiveAssociations();
    for (const Case& c : cases) {
        PageStart start = Defaults(c.offersShortcut);
        AppliedAnswers applied = ApplyAnswers(start, model, Made(c.file), Made(c.switches));
        EXPECT_EQ(applied.problem, c.problem) << c.what;
        EXPECT_EQ(applied.refusedValue, c.refused) << c.what;
        if (c.problem != AnswerProblem::None) {
            EXPECT_EQ(Described(start.choices), Described(Defaults(c.offersShortcut).choices)) << c.what;
            continue;
        }
        EXPECT_EQ(Described(start.choices), c.choices) << c.what;
        std::string sources;
        for (AnswerSource source : applied.source)
            sources += "dfs"[int(source)];
        EXPECT_EQ(sources, c.sources) << c.what;
    }
}

}  // namespace
