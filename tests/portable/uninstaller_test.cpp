#include <gtest/gtest.h>

#include <map>
#include <string>

#include "uninstaller/portable/uninstall_plan.h"
#include "uninstaller/portable/uninstaller_command.h"

namespace {

TEST(UninstallerCommand, TheCommandLinesAndTheirVariants)
{
    struct Case {
        const char* line;
        UninstallerMode mode;
        const char* key;
        UninstallerDisplay display = UninstallerDisplay::Everything;
        const char* log = nullptr;   // the log's file; nullptr: no log
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\KSUninst.exe Kestrel", UninstallerMode::Ask, "Kestrel"},
        {"\"C:\\Program Files\\KSUninst.exe\" Kestrel", UninstallerMode::Ask, "Kestrel"},
        {" /S KestrelEv", UninstallerMode::Silent, "KestrelEv"},
        {" /s   KestrelE  ", UninstallerMode::Silent, "KestrelE"},
        {"KSUNINST.EXE /S Kestrel", UninstallerMode::Silent, "Kestrel"},
        {"C:\\WINDOWS\\KSUninst.exe /R Kestrel", UninstallerMode::Restart, "Kestrel"},
        {"\t/r\tKestrel", UninstallerMode::Restart, "Kestrel"},
        {"KSUninst.exe", UninstallerMode::Invalid, ""},
        {"", UninstallerMode::Invalid, ""},
        {" /X Kestrel", UninstallerMode::Invalid, ""},
        {" /SKestrel", UninstallerMode::Invalid, ""},
        {" /S", UninstallerMode::Invalid, ""},
        {" /S Kestrel extra", UninstallerMode::Invalid, ""},
        {" /S ..\\..\\Software", UninstallerMode::Invalid, ""},
        {" /S Kestrel/Other", UninstallerMode::Invalid, ""},
        {"\"unterminated", UninstallerMode::Invalid, ""},
        {"KSUninst.exe /verysilent  KestrelE", UninstallerMode::Silent, "KestrelE", UninstallerDisplay::Nothing},
        {" /Silent Kestrel", UninstallerMode::Silent, "Kestrel", UninstallerDisplay::ProgressOnly},
        {" /VERYSILENT", UninstallerMode::Invalid, "", UninstallerDisplay::Nothing},
        {"KSUninst.exe /VERYSILENT /LOG=\"C:\\a b\\u.log\" Kestrel", UninstallerMode::Silent, "Kestrel",
         UninstallerDisplay::Nothing, "C:\\a b\\u.log"},
        {" /Log=C:\\u.log /SILENT Kestrel", UninstallerMode::Silent, "Kestrel", UninstallerDisplay::ProgressOnly,
         "C:\\u.log"},
        {"KSUninst.exe /VERYSILENT Kestrel /LOG", UninstallerMode::Silent, "Kestrel", UninstallerDisplay::Nothing, ""},
        {" Kestrel /S Other", UninstallerMode::Invalid, ""},
        {"KSUninst.exe /log Kestrel", UninstallerMode::Ask, "Kestrel", UninstallerDisplay::Everything, ""},
        {" /LOG= Kestrel", UninstallerMode::Invalid, ""},
        {" /LOG=\"C:\\u.log Kestrel", UninstallerMode::Invalid, ""},
        {" /LOG /LOG Kestrel", UninstallerMode::Invalid, ""},
        {" /LOGS Kestrel", UninstallerMode::Invalid, ""},
        {" /S /SILENT Kestrel", UninstallerMode::Invalid, ""},
    };
    for (const Case& c : cases) {
        UninstallerCommand command = ParseUninstallerCommand(c.line);
        EXPECT_EQ(command.mode, c.mode) << c.line;
        EXPECT_STREQ(command.productKey, c.key) << c.line;
        EXPECT_EQ(command.display, c.display) << c.line;
        if (c.mode != UninstallerMode::Invalid)
            EXPECT_EQ(command.logFile.value_or("<none>"), c.log != nullptr ? c.log : "<none>") << c.line;
    }
    EXPECT_EQ(ParseUninstallerCommand((" /S " + std::string(64, 'k')).c_str()).mode, UninstallerMode::Invalid);
}

TEST(UninstallPlan, CountsMustBeSmallNumbers)
{
    std::uint32_t count = 7;
    EXPECT_TRUE(ReadRecordCount(" 12 ", &count));
    EXPECT_EQ(count, 12u);
    EXPECT_TRUE(ReadRecordCount("10000", &count));
    for (const char* bad : {"", "abc", "-1", "10001", "4000000000", "99999999999999999999", "1 2", "0x10"})
        EXPECT_FALSE(ReadRecordCount(bad, &count)) << bad;
}

TEST(UninstallPlan, RecordedPathsAreCheckedBeforeUse)
{
    struct Case {
        const char* recorded;
        PathProblem problem;
        const char* resolved;
    };
    const std::string tooLong(256, 'a');   // 261 characters once joined
    const Case cases[] = {
        {"Kestrel.exe", PathProblem::None, "C:\\K\\Kestrel.exe"},
        {"EXEMPL~1\\Hola.kst", PathProblem::None, "C:\\K\\EXEMPL~1\\Hola.kst"},
        {"C:\\K\\Sub\\a.dll", PathProblem::None, "C:\\K\\Sub\\a.dll"},
        {"c:\\windows\\FONTS\\k.ttf", PathProblem::None, "c:\\windows\\FONTS\\k.ttf"},
        {"..\\boot.ini", PathProblem::ParentStep, ""},
        {"Sub\\. .\\x", PathProblem::ParentStep, ""},
        {"\\boot.ini", PathProblem::Rooted, ""},
        {"D:boot.ini", PathProblem::Rooted, ""},
        {"a.txt:stream", PathProblem::Rooted, ""},
        {"C:\\Other\\a.txt", PathProblem::Outside, ""},
        {"C:\\Windows2\\a.txt", PathProblem::Outside, ""},
        {"C:\\K\\..\\x", PathProblem::ParentStep, ""},
        {"C:\\", PathProblem::Rooted, ""},
        {"NUL", PathProblem::DeviceName, ""},
        {"Sub\\con.txt", PathProblem::DeviceName, ""},
        {"lpt1 .log", PathProblem::DeviceName, ""},
        {"", PathProblem::Empty, ""},
        {tooLong.c_str(), PathProblem::TooLong, ""},
    };
    for (const Case& c : cases) {
        std::string full;
        EXPECT_EQ(ResolveRecordedFile(c.recorded, "C:\\K", "C:\\WINDOWS", &full), c.problem) << c.recorded;
        EXPECT_EQ(full, c.resolved) << c.recorded;
    }
}

TEST(UninstallPlan, FileEntriesAndExtensions)
{
    std::string path;
    bool registered = false;
    ASSERT_TRUE(SplitFileEntry("KESTRE~1.DLL,1", &path, &registered));
    EXPECT_EQ(path, "KESTRE~1.DLL");
    EXPECT_TRUE(registered);
    ASSERT_TRUE(SplitFileEntry("a,b.txt,0", &path, &registered));
    EXPECT_EQ(path, "a,b.txt");
    EXPECT_FALSE(registered);
    EXPECT_FALSE(SplitFileEntry("no-flag", &path, &registered));
    EXPECT_FALSE(SplitFileEntry(",1", &path, &registered));

    EXPECT_TRUE(IsSafeExtension(".kst"));
    for (const char* bad : {"kst", ".", "\\CLSID", ".a\\b", ".a b", "..", ".kst.", ""})
        EXPECT_FALSE(IsSafeExtension(bad)) << bad;
}

using Values = std::map<std::string, std::string>;

const char* Lookup(const void* context, const char* name)
{
    const auto* values = static_cast<const Values*>(context);
    auto found = values->find(name);
    return found != values->end() ? found->second.c_str() : nullptr;
}

// A machine as the Win32 layer would describe it.
const SystemFolders kSystem = {
    "C:\\WINDOWS",
    {"C:\\WINDOWS\\system32", "C:\\Program Files", "C:\\users", "C:\\users\\Public",
     "C:\\users\\anna\\Desktop", "C:\\users\\anna\\Temp"},
    nullptr,
};

PlanResult Plan(const Values& values, UninstallPlan* plan, std::string* failed)
{
    return PlanUninstall(RecordSource{Lookup, &values}, kSystem, plan, failed);
}

TEST(UninstallPlan, AWholeRecord)
{
    Values values = {{"Path", "C:\\Program Files\\Kestrel\\"}, {"Files", "4"},
                     {"File1", "Kestrel.exe,0"}, {"File2", "KESTRE~1.DLL,1"},
                     {"File3", "..\\..\\WINDOWS\\win.ini,0"},   // File4 is missing: an earlier run took it
                     {"Group", "  Kestrel 1.0 "}, {"Items", "2"}, {"Item1", "Kestrel,Kestrel.exe"},
                     {"Item2", "Llegiu-me,Llegiume.txt"}, {"Shortcut", "1"}, {"Associations", "2"},
                     {"Associate1", ".kst"}, {"Associate2", "\\CLSID"}, {"Name", "Kestrel"}, {"Version", "1.0"}};
    UninstallPlan plan;
    std::string failed;
    ASSERT_EQ(Plan(values, &plan, &failed), PlanResult::Ready);
    EXPECT_EQ(plan.folder, "C:\\Program Files\\Kestrel");
    ASSERT_EQ(plan.files.size(), 2u);
    EXPECT_EQ(plan.files[1].path, "C:\\Program Files\\Kestrel\\KESTRE~1.DLL");
    EXPECT_TRUE(plan.files[1].registered);
    EXPECT_EQ(plan.group, "Kestrel 1.0");
    EXPECT_EQ(plan.itemTitles, (std::vector<std::string>{"Kestrel", "Llegiu-me"}));
    EXPECT_TRUE(plan.shortcut);
    EXPECT_EQ(plan.extensions, std::vector<std::string>{".kst"});
    EXPECT_EQ(plan.skipped, (std::vector<std::string>{"File3 = ..\\..\\WINDOWS\\win.ini,0", "Associate2 = \\CLSID"}));
    EXPECT_EQ(plan.folders, std::vector<std::string>{"C:\\Program Files\\Kestrel"});
}

// A damaged record must not aim the removal at the system, however the
// folder is spelled; folders inside the ones no product owns stay usable.
TEST(UninstallPlan, SystemFoldersAreRefusedInEverySpelling)
{
    const char* const refused[] = {
        "C:\\WINDOWS", "c:\\windows\\", "C:\\Windows\\Fonts", "c:\\windows.\\system32 .",
        "C:\\WINDOWS\\system32", "C:\\windows\\\\SYSTEM32\\", "C:\\Program Files", "c:\\program files\\",
        "C:\\users\\Public", "C:\\USERS\\public\\", "C:\\users", "C:\\Users.", "C:\\users\\anna\\Desktop",
        "c:\\users\\anna\\desktop\\\\", "C:\\users\\anna", "C:\\USERS\\ANNA\\", "C:\\users\\anna\\Temp",
        "C:\\users\\anna\\temp..", "C:\\", "c:/",
    };
    for (const char* path : refused) {
        UninstallPlan plan;
        std::string failed;
        EXPECT_EQ(Plan({{"Path", path}, {"Files", "1"}, {"File1", "canary.txt,0"}}, &plan, &failed), PlanResult::BadFolder)
            << path;
        EXPECT_EQ(failed, "Path") << path;
        EXPECT_TRUE(plan.files.empty() && plan.folders.empty()) << path;
    }
    for (const char* path : {"C:\\Program Files\\Kestrel", "C:\\users\\anna\\Desktop\\Kestrel", "C:\\WINDOWS2",
                             "C:\\Kestrel"}) {
        UninstallPlan plan;
        std::string failed;
        EXPECT_EQ(Plan({{"Path", path}}, &plan, &failed), PlanResult::Ready) << path;
    }
}

TEST(UninstallPlan, UnusableRecordsAreRefusedWhole)
{
    struct Case {
        Values values;
        PlanResult result;
        const char* failed;
    };
    const Case cases[] = {
        {{{"Files", "1"}}, PlanResult::NoRecord, ""},
        {{{"Path", "C:\\"}}, PlanResult::BadFolder, "Path"},
        {{{"Path", "Kestrel"}}, PlanResult::BadFolder, "Path"},
        {{{"Path", "C:\\K\\..\\.."}}, PlanResult::BadFolder, "Path"},
        {{{"Path", "C:\\K"}, {"Files", "4000000000"}}, PlanResult::BadCount, "Files"},
        {{{"Path", "C:\\K"}, {"Items", "many"}}, PlanResult::BadCount, "Items"},
        {{{"Path", "C:\\K"}, {"Associations", "-3"}}, PlanResult::BadCount, "Associations"},
    };
    for (const Case& c : cases) {
        UninstallPlan plan;
        std::string failed;
        EXPECT_EQ(Plan(c.values, &plan, &failed), c.result);
        EXPECT_EQ(failed, c.failed);
    }
}

}  // namespace
