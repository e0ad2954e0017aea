#include <gtest/gtest.h>

#include <string>

#include "described_choices.h"
#include "wizard/portable/answers_file.h"

namespace {

InstallModel ThreeAssociations()
{
    InstallModel model;
    for (const char* ext : {".kpj", ".kwn", ".kmd"})
        model.associations.push_back(std::string(ext) + ",Kind,<AppDir>\\Kestrel.exe");
    return model;
}

InstallChoices Saved(bool programGroup)
{
    InstallChoices c = {};
    CopyText(c.destination, "\\\\server\\apps\\Kestrel Deploy");
    CopyText(c.userName, "Pere \"Pep\" Vila");
    c.programGroup = programGroup;
    CopyText(c.groupName, "Eines; proves");
    c.associations[KindProject] = c.associations[KindModule] = true;
    c.desktopShortcut = true;
    c.basalt = true;
    return c;
}

TEST(AnswersFile, WritesEveryAnswerAndReadsThemBackAsTheyWere)
{
    const InstallModel model = ThreeAssociations();
    EXPECT_EQ(ComposeAnswersFile(Saved(true), model),
              "[Setup]\r\nDir=\\\\server\\apps\\Kestrel Deploy\r\nName=Pere \"Pep\" Vila\r\nCompany=\r\n"
              "Group=Eines; proves\r\nTasks=.kpj,.kmd,desktop\r\nToolset=Basalt\r\n");
    for (bool programGroup : {true, false}) {
        const InstallChoices saved = Saved(programGroup);
        AnswersFile file = ParseAnswersFile(ComposeAnswersFile(saved, model));
        ASSERT_EQ(file.problem, AnswersFileProblem::None);
        PageStart start = {};
        CopyText(start.choices.organization, "overwritten");
        CopyText(start.choices.groupName, programGroup ? "overwritten" : "Eines; proves");
        start.choices.programGroup = !programGroup;
        start.offersShortcut = true;
        start.associationsOffered = 3;
        ASSERT_EQ(ApplyAnswers(start, model, file.answers, Answers{}).problem, AnswerProblem::None);
        EXPECT_EQ(Described(start.choices), Described(saved)) << "group " << programGroup;
    }
}

const char* const kProblems[] = {"",         "not an entry", "unknown key",  "repeated",
                                 "too long", "group and no group", "bad no group"};

std::string Described(const AnswersFile& file)
{
    if (file.problem != AnswersFileProblem::None)
        return std::string(kProblems[int(file.problem)]) + " at " + std::to_string(file.line);
    std::string text;
    for (int key = 0; key < kAnswerKeyCount; ++key) {
        if (file.answers[key])
            text += std::string(AnswerKeyName(AnswerKey(key))) + "[" + *file.answers[key] + "] ";
    }
    return text;
}

TEST(AnswersFile, ToleratesWhatEditorsDoAndRefusesWhatItCannotRead)
{
    const std::string longest(259, 'n');
    struct Case { std::string text; std::string read; };
    const Case cases[] = {
        {"", ""},
        {"\xEF\xBB\xBF[Setup]\r\nDir=C:\\K\r\n", "Dir[C:\\K] "},
        {"; saved\n[Other]\nDir=elsewhere\njunk\n[ setup ]\n  dIR =  C:\\K  \n;Name=x\n\n\tNAME=\nTasks=a=b",
         "Dir[C:\\K] Name[] Tasks[a=b] "},
        {"[Setup\nDir=x", ""},
        {"[Setup]\nName=" + longest, "Name[" + longest + "] "},
        {"[Setup]\nName=" + longest + "n", "too long at 2"},
        {"[Setup]\nDir", "not an entry at 2"},
        {"[Setup]\r\r\nDir=C:\\K\r", "Dir[C:\\K] "},
        {"[Setup]\r\nPath=C:\\K", "unknown key at 2"},
        {"[Setup]\n=C:\\K", "unknown key at 2"},
        {"[Setup]\nDir=a\n[Other]\n[SETUP]\ndir=b", "repeated at 5"},
        {"[Setup]\nGroup=K\nNoGroup=1", "group and no group at 3"},
        {"[Setup]\nNoGroup=1\ngroup=", "group and no group at 3"},
        {"[Setup]\nNoGroup=yes", "bad no group at 2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Described(ParseAnswersFile(c.text)), c.read) << c.text;
}

}  // namespace
