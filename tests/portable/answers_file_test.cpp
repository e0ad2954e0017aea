#include <gtest/gtest.h>

#include <string>

#include "described_answers.h"
#include "wizard/portable/answers_file.h"

namespace {

TEST(AnswersFile, WritesEveryAnswerAndReadsThemBackAsTheyWere)
{
    InstallModel model;
    model.associations = {".kpj,P,K.exe", ".kwn,W,K.exe", ".kmd,M,K.exe"};
    InstallChoices saved = {};
    CopyText(saved.destination, "\\\\server\\apps\\Kestrel Deploy");
    CopyText(saved.userName, "Pere \"Pep\" Vila");
    CopyText(saved.groupName, "Eines; proves");
    saved.associations[KindProject] = saved.associations[KindModule] = saved.desktopShortcut = saved.basalt = true;
    for (bool programGroup : {true, false}) {
        saved.programGroup = programGroup;
        std::string text = ComposeAnswersFile(saved, model);
        if (programGroup)
            EXPECT_EQ(text, "[Setup]\r\nDir=\\\\server\\apps\\Kestrel Deploy\r\nName=Pere \"Pep\" Vila\r\nCompany=\r\n"
                            "Group=Eines; proves\r\nTasks=.kpj,.kmd,desktop\r\nToolset=Basalt\r\n");
        AnswersFile file = ParseAnswersFile(text);
        PageStart start = {{"C:\\Other", "Other", "Other", !programGroup, "Eines; proves"}, true, 3, true};
        ASSERT_EQ(file.problem, AnswersFileProblem::None);
        ASSERT_EQ(ApplyAnswers(start, model, file.answers, Answers{}).problem, AnswerProblem::None);
        EXPECT_EQ(Described(start.choices), Described(saved)) << text;
    }
}

const char* const kProblems[] = {"", "not an entry", "unknown key", "repeated", "too long", "group and no group",
                                 "bad no group"};

std::string Read(const std::string& text)
{
    AnswersFile file = ParseAnswersFile(text);
    if (file.problem != AnswersFileProblem::None)
        return std::string(kProblems[int(file.problem)]) + " at " + std::to_string(file.line);
    return Described(file.answers);
}

TEST(AnswersFile, ToleratesWhatEditorsDoAndRefusesWhatItCannotRead)
{
    const std::string longest(259, 'n');
    struct Case { std::string text; std::string read; };
    const Case cases[] = {
        {"", ""},
        {"\xEF\xBB\xBF[Setup]\r\nDir=C:\\K\r\r\n", "Dir[C:\\K] "},
        {"; saved\n[Other]\nDir=elsewhere\njunk\n[ setup ]\n  dIR =  C:\\K  \n;Name=x\n\n\tNAME=\nTasks=a=b",
         "Dir[C:\\K] Name[] Tasks[a=b] "},
        {"[Setup\nDir=x", ""},
        {"[Setup]\nName=" + longest, "Name[" + longest + "] "},
        {"[Setup]\nName=" + longest + "n", "too long at 2"},
        {"[Setup]\nDir", "not an entry at 2"},
        {"[Setup]\r\nPath=C:\\K", "unknown key at 2"},
        {"[Setup]\n=C:\\K", "unknown key at 2"},
        {"[Setup]\nDir=a\n[Other]\n[SETUP]\ndir=b", "repeated at 5"},
        {"[Setup]\nGroup=K\nNoGroup=1", "group and no group at 3"},
        {"[Setup]\nNoGroup=1\ngroup=", "group and no group at 3"},
        {"[Setup]\nNoGroup=yes", "bad no group at 2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Read(c.text), c.read) << c.text;
}

}  // namespace
