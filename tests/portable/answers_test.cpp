#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "described_answers.h"
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

PageStart Defaults(bool offersShortcut)
{
    return {{"C:\\Kestrel", "Anna", "", true, "Kestrel 2.0", {true, true, true, true}, offersShortcut}, offersShortcut, 4};
}

const char* const kProblems[] = {"",        "not absolute", "bad character", "too long",
                                 "unknown task", "no desktop", "unknown toolset", "empty group"};

// The choices and where each answer came from (Dir Name Company Group NoGroup Tasks Toolset: d, f,
// s); or the problem and the text refused, with the choices unchanged.
std::string Applied(const Given& file, const Given& switches, bool offersShortcut)
{
    InstallModel model;
    for (const char* ext : {".kpj", ".kwn", ".kmd", ".krc", ".kx5"})
        model.associations.push_back(std::string(ext) + ",Kind,<AppDir>\\Kestrel.exe");
    PageStart start = Defaults(offersShortcut);
    AppliedAnswers applied = ApplyAnswers(start, model, Made(file), Made(switches));
    if (applied.problem != AnswerProblem::None) {
        bool unchanged = Described(start.choices) == Described(Defaults(offersShortcut).choices);
        return std::string(kProblems[int(applied.problem)]) + ": " + applied.refusedValue + (unchanged ? "" : " CHANGED");
    }
    std::string sources;
    for (AnswerSource source : applied.source)
        sources += "dfs"[int(source)];
    return Described(start.choices) + " <- " + sources;
}

TEST(ApplyAnswers, SwitchesOverTheFileOverTheDefaultsAndWhatAPageWouldRefuse)
{
    const std::string longest = "C:\\" + std::string(kLongestDestination - 3, 'd');
    struct Case { Given file, switches; bool offersShortcut; std::string applied; };
    const Case cases[] = {
        {{}, {}, true, "C:\\Kestrel|Anna||Kestrel 2.0|1111 desktop|MASM32 <- ddddddd"},
        {{{AnswerDir, "D:\\Apps"}, {AnswerName, ""}, {AnswerNoGroup, "1"}, {AnswerTasks, " .KPJ , desktop,"},
          {AnswerToolset, "basalt"}}, {}, true, "D:\\Apps|||no group|1000 desktop|Basalt <- ffdffff"},
        {{{AnswerDir, "not absolute"}, {AnswerGroup, "File Group"}, {AnswerTasks, ".kwn"}},
         {{AnswerDir, "\\\\server\\share\\K"}, {AnswerNoGroup, ""}, {AnswerCompany, "Tallwood"}}, true,
         "\\\\server\\share\\K|Anna|Tallwood|no group|0100|MASM32 <- sdsssfd"},
        {{{AnswerNoGroup, "1"}}, {{AnswerGroup, "Eines"}, {AnswerTasks, ""}, {AnswerDir, "\\\\server\\share"}}, false,
         "\\\\server\\share|Anna||Eines|0000|MASM32 <- sddsssd"},
        {{}, {{AnswerDir, longest}}, true, longest + "|Anna||Kestrel 2.0|1111 desktop|MASM32 <- sdddddd"},
        {{}, {{AnswerDir, longest + "d"}}, true, "too long: " + longest + "d"},
        {{}, {{AnswerDir, "Kestrel"}}, true, "not absolute: Kestrel"},
        {{}, {{AnswerDir, "C:Kestrel"}}, true, "not absolute: C:Kestrel"},
        {{}, {{AnswerDir, "\\\\server\\"}}, true, "not absolute: \\\\server\\"},
        {{}, {{AnswerDir, "\\\\\\share"}}, true, "not absolute: \\\\\\share"},
        {{}, {{AnswerDir, "C:\\K*"}}, true, "bad character: C:\\K*"},
        {{}, {{AnswerDir, "C:\\K:2"}}, true, "bad character: C:\\K:2"},
        {{}, {{AnswerDir, "C:\\K\" /SILENT"}}, true, "bad character: C:\\K\" /SILENT"},
        {{}, {{AnswerDir, "C:\\K\t2"}}, true, "bad character: C:\\K\t2"},
        {{}, {{AnswerTasks, ".kpj,.kx5"}}, true, "unknown task: .kx5"},
        {{{AnswerTasks, "kwn"}}, {}, true, "unknown task: kwn"},
        {{}, {{AnswerTasks, ".kpj,Desktop"}}, false, "no desktop: Desktop"},
        {{}, {{AnswerToolset, "MASM"}}, true, "unknown toolset: MASM"},
        {{}, {{AnswerGroup, " "}}, true, "empty group:  "},
        {{{AnswerToolset, "none"}}, {{AnswerDir, "D:\\Apps"}}, true, "unknown toolset: none"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Applied(c.file, c.switches, c.offersShortcut), c.applied);
}

}  // namespace
