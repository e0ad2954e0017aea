#include <gtest/gtest.h>

#include <string>

#include "described_answers.h"
#include "wizard/portable/wizard_command.h"

namespace {

const char* const kProblems[] = {"",         "not a switch", "unknown", "missing value", "unexpected value",
                                 "repeated", "too long",     "group and no group"};
const char* const kModes[] = {"", "silent ", "verysilent "};

// What the parse found, in a line of its own words.
std::string Found(const CommandLine& line)
{
    if (line.problem != CommandLineProblem::None)
        return kModes[int(line.mode)] + std::string(kProblems[int(line.problem)]) + " at " + std::to_string(line.refusedPosition) + ": " +
               line.refusedArgument;
    std::string text = kModes[int(line.mode)];
    text += std::string(line.noRestart ? "norestart " : "") + (line.help ? "help " : "");
    text += Described(line.answers) + Field("save", line.saveFile);
    return text + Field("load", line.loadFile) + Field("log", line.logFile);
}

TEST(CommandLine, SwitchesValuesQuotingAndRefusals)
{
    const std::string longest(259, 'n');
    struct Case { std::string line; std::string found; };
    const Case cases[] = {
        {"Instal.exe", ""},
        {"\"C:\\Program Files\\Instal.exe\" /SILENT", "silent "},
        {"\"C:\\Kestrel\"/Silent", "silent "},
        {" /SILENT", "silent "},
        {"Instal.exe\t/verysilent  /Silent\t/NoRestart /?", "verysilent norestart help "},
        {"Instal.exe /DIR=\"C:\\Apps\\Kestrel Deploy\"", "Dir[C:\\Apps\\Kestrel Deploy] "},
        {"Instal.exe \"/dir=C:\\Apps\\Kestrel Deploy\"", "Dir[C:\\Apps\\Kestrel Deploy] "},
        {"Instal.exe /NAME=\"Anna \\\"Nan\\\" Puig\" /COMPANY=", "Name[Anna \"Nan\" Puig] Company[] "},
        {"Instal.exe /DIR=\"C:\\Apps\\\\\" /SILENT", "silent Dir[C:\\Apps\\] "},
        {"Instal.exe /DIR=\"C:\\Apps\\\" /SILENT", "Dir[C:\\Apps\" /SILENT] "},
        {"Instal.exe /DIR=C:\\a\\\\b\\\\\\\"c", "Dir[C:\\a\\\\b\\\"c] "},
        {"Instal.exe /COMPANY=\"Tall\"\"wood\" /SILENT", "Company[Tall\"wood /SILENT] "},
        {"Instal.exe /NAME=\"\"\"Nan\"\"\"", "Name[\"Nan\"] "},
        {"Instal.exe /GROUP=\"Kestrel 2.0\" /TASKS=\".kpj, desktop\" /TOOLSET=basalt /LOG",
         "Group[Kestrel 2.0] Tasks[.kpj, desktop] Toolset[basalt] log[] "},
        {"Instal.exe /NoGroup /SAVEINF=a.inf /LOADINF=\"D:\\b c.inf\" /LOG=k.log",
         "NoGroup[] save[a.inf] load[D:\\b c.inf] log[k.log] "},
        {"Instal.exe /NAME=" + longest, "Name[" + longest + "] "},
        {"Instal.exe /NAME=" + longest + "n", "too long at 1: /NAME=" + longest + "n"},
        {"Instal.exe /SILENT /DIR", "silent missing value at 2: /DIR"},
        {"Instal.exe /SAVEINF=", "missing value at 1: /SAVEINF="},
        {"Instal.exe /LOG= /SILENT", "silent missing value at 1: /LOG="},
        {"Instal.exe /silent=yes", "unexpected value at 1: /silent=yes"},
        {"Instal.exe /DIR=C:\\A /dir=D:\\B", "repeated at 2: /dir=D:\\B"},
        {"Instal.exe /GROUP=K /NOGROUP", "group and no group at 2: /NOGROUP"},
        {"Instal.exe /NOGROUP /GROUP=K", "group and no group at 2: /GROUP=K"},
        {"Instal.exe /SILENT Kestrel", "silent not a switch at 2: Kestrel"},
        {"Instal.exe \"\"", "not a switch at 1: "},
        {"Instal.exe /QUIET", "unknown at 1: /QUIET"},
        {"Instal.exe /QUIET /Silent /VERYSILENT", "verysilent unknown at 1: /QUIET"},
        {"Instal.exe /=C:\\", "unknown at 1: /=C:\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Found(ParseCommandLine(c.line.c_str())), c.found) << c.line;
}

}  // namespace
