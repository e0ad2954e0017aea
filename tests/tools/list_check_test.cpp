#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/portable/list_file.h"
#include "tools/list_check.h"
#include "tools/list_fix.h"
#include "tools/list_layout.h"

namespace {

// A clean list file; the numbers on the right are its line numbers, which
// the expected messages below name.
const char* const kCleanLines[] = {
    "Kind=1",                                       // 1
    "Title=Kestrel",                                // 2
    "Name=Kestrel",                                 // 3
    "Version=1",                                    // 4
    "Folder=Kestrel",                               // 5
    "System=0",                                     // 6
    "Reserved=",                                    // 7
    "Welcome=Hi",                                   // 8
    "Language=Catala",                              // 9
    "Key=Kestrel",                                  // 10
    "Total=142",                                    // 11: 7 + 14 + 5 + 4 bytes and four 28-byte headers
    "Entries=2",                                    // 12
    "F=<AppDir>,Kestrel.exe,5,1,0,1,1,0",           // 13
    "F=<AppDir>\\Bin,Lib.dll,4,10000h,0,0,1,1",     // 14
    "Registry=1",                                   // 15
    "R=80000002H,Software\\Kestrel,Dir@<AppDir>\\Bin",  // 16
    "Group=1",                                      // 17
    "G=Kestrel,Kestrel.exe",                        // 18
    "Assoc=1",                                      // 19
    "A=.kst,Project,<AppDir>\\Kestrel.exe",         // 20
    "Shortcut=<AppDir>\\Kestrel.exe",               // 21
    "Closing=Thanks",                               // 22
    "Display=Kestrel",                              // 23
};

std::string CleanList(const std::string& lineEnd = "\r\n")
{
    std::string text;
    for (const char* line : kCleanLines)
        text += std::string(line) + lineEnd;
    return text;
}

std::vector<unsigned char> Bytes(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

// The publisher's folder: these files with these sizes, less the one named
// as missing.
FolderFiles Folder(const ListLayout& layout, const std::string& missing = "")
{
    const std::pair<const char*, uint64_t> files[] = {
        {"AppLogo.bmp", 7}, {"KSUninst.exe", 14}, {"Kestrel.exe", 5}, {"Lib.dll", 4}};
    FolderFiles folder;
    for (const std::string& name : NamesInPackage(layout)) {
        folder[name] = {"files/" + name, false, 0};
        for (const auto& file : files)
            if (name == file.first && name != missing)
                folder[name] = {"files/" + name, true, file.second};
    }
    return folder;
}

std::vector<std::string> Check(const std::string& text, const std::string& missing = "")
{
    ListLayout layout = ReadListLayout(Bytes(text));
    FolderFiles folder = Folder(layout, missing);
    std::vector<std::string> messages;
    for (const Finding& finding : CheckListFile(layout, &folder))
        messages.push_back(FormatFinding("Setup.lst", finding));
    return messages;
}

std::string Edited(const std::string& from, const std::string& to)
{
    std::string text = CleanList();
    std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(ListCheck, CleanListHasNoFindingsWhateverItsLineEnds)
{
    for (const char* lineEnd : {"\r\n", "\n", "\r", "\n\r"}) {
        std::string text = CleanList(lineEnd);
        EXPECT_EQ(Check(text), std::vector<std::string>()) << testing::PrintToString(lineEnd);
        std::string root = "80000002H";
        text.replace(text.find(root), root.size(), "7");
        EXPECT_EQ(Check(text), std::vector<std::string>{"Setup.lst:16: error: the registry root \"7\" is not a root "
                                                        "code (80000000H to 80000006H)"});
    }
}

struct BrokenList {
    const char* from;      // text of the clean list to replace
    std::string to;
    const char* missing;   // a file taken out of the folder
    std::vector<std::string> expected;
};

TEST(ListCheck, EachMistakeGivesItsMessageOnItsLine)
{
    const BrokenList cases[] = {
        // Errors.
        {"Entries=2", "Entries=3", "", {"Setup.lst:12: error: the entry count is 3, but 2 file lines follow"}},
        {"Entries=2", "Entries=0", "",
         {"Setup.lst:12: error: the entry count is 0; the wizard needs at least one file line"}},
        {"Registry=1", "Registry=2", "", {"Setup.lst:15: error: the registry count is 2, but 1 registry line follows"}},
        {"Group=1", "Group=0", "", {"Setup.lst:17: error: the group item count is 0, but 1 group item follows"}},
        {"Assoc=1", "Assoc=2", "",
         {"Setup.lst:19: error: the association count is 2, but 1 association line follows"}},
        {"Closing=Thanks", "Closing=" + std::string(260, 'x'), "",
         {"Setup.lst:22: error: the line has 268 characters; the wizard reads at most 259"}},
        {"Welcome=Hi", "Welcome Hi", "", {"Setup.lst:8: error: the line has no \"=\" before its value"}},
        {"Display=Kestrel\r\n", "Display=Kestrel", "",
         {"Setup.lst:23: error: the line has no line end; the wizard's reader fails on it"}},
        {"Display=Kestrel\r\n", "", "", {"Setup.lst:23: error: the file ends before the uninstall name line"}},
        {"Kestrel.exe,5,1,0,1,1,0", "Kestrel.exe,5,1,0,1,1", "",
         {"Setup.lst:13: error: the file line has 7 fields instead of 8"}},
        {"Lib.dll,4", "..\\Lib.dll,4", "",
         {"Setup.lst:14: error: \"..\\Lib.dll\" is not a plain file name (no folder, drive, \"..\" or device name)"}},
        {"<AppDir>\\Bin,", "<AppDri>\\Bin,", "",
         {"Setup.lst:14: error: the target folder \"<AppDri>\\Bin\" is neither an absolute path nor begins with "
          "<WinDir>, <WinSysDir>, <Fonts> or <AppDir>"}},
        {"<AppDir>\\Bin,", "C:\\Kestrel\\,", "",
         {"Setup.lst:14: error: the target folder \"C:\\Kestrel\\\" ends in a backslash; the wizard cannot create it"}},
        {"Lib.dll,4,", "Kestrel.exe,5,", "",
         {"Setup.lst:11: warning: the progress total is 142, but the unpacked entries make 143 bytes",
          "Setup.lst:14: error: Kestrel.exe is listed again (first on line 13); the copy step moves it at the first "
          "line and cannot find it at this one"}},
        {"80000002H", "80000009H", "",
         {"Setup.lst:16: error: the registry root \"80000009H\" is not a root code (80000000H to 80000006H)"}},
        {"G=Kestrel,Kestrel.exe", "G=Kestrel", "",
         {"Setup.lst:18: error: the group item needs a title and a path: title,path"}},
        {"A=.kst,Project,<AppDir>\\Kestrel.exe", "A=.kst,Project", "",
         {"Setup.lst:20: error: the association line needs three fields: .ext,caption,program path"}},
        {"", "", "Lib.dll", {"Setup.lst:14: error: missing file files/Lib.dll"}},
        {"", "", "AppLogo.bmp", {"Setup.lst: error: missing file files/AppLogo.bmp"}},
        // Warnings.
        {"Kestrel.exe,5,", "Kestrel.exe,50,", "",
         {"Setup.lst:13: warning: Kestrel.exe is 5 bytes, but its size field says 50"}},
        {"Total=142", "Total=1000", "",
         {"Setup.lst:11: warning: the progress total is 1000, but the unpacked entries make 142 bytes"}},
        {"Lib.dll,4,10000h,0,0", "Lib.dll,4,,,0", "",
         {"Setup.lst:14: warning: Lib.dll has no version and replace flag 0, so an existing copy is never replaced"}},
        {"Shortcut=<AppDir>\\Kestrel.exe", "Shortcut=<WinDir>\\notepad.exe", "",
         {"Setup.lst:21: warning: the desktop shortcut's target \"<WinDir>\\notepad.exe\" is outside the "
          "destination folder (<AppDir>)"}},
        {"G=Kestrel,Kestrel.exe", "G=Kestrel,..\\Kestrel.exe", "",
         {"Setup.lst:18: warning: the group item's path \"..\\Kestrel.exe\" is outside the destination folder"}},
        {"80000002H", "0", "",
         {"Setup.lst:16: warning: the registry root reads as 0; the wizard skips this line without a word"}},
        {"Dir@", "Dir=", "",
         {"Setup.lst:16: warning: the third field has no \"@\"; the wizard skips this line without a word"}},
        {"Dir@<AppDir>\\Bin", "Dir@C:\\Kestrel", "",
         {"Setup.lst:16: warning: the data \"C:\\Kestrel\" does not begin with <WinDir>, <WinSysDir>, <Fonts> or "
          "<AppDir>; the wizard skips this line without a word"}},
    };
    for (const BrokenList& c : cases) {
        std::string text = c.from[0] == '\0' ? CleanList() : Edited(c.from, c.to);
        EXPECT_EQ(Check(text, c.missing), c.expected) << c.from << " -> " << c.to;
    }
}

TEST(ListCheck, CountsThatDoNotFitAreFollowedByTheLinesShapes)
{
    // Two files too many claimed, and a later mistake still found on its
    // own line: the check goes on after the wrong count.
    std::string text = Edited("Entries=2", "Entries=4");
    text.replace(text.find("Dir@"), 4, "Dir=");
    EXPECT_EQ(Check(text), (std::vector<std::string>{
                               "Setup.lst:12: error: the entry count is 4, but 2 file lines follow",
                               "Setup.lst:16: warning: the third field has no \"@\"; the wizard skips this line "
                               "without a word"}));
    // The wizard's reader fails on the same list; the check names why.
    ListCursor cursor = {reinterpret_cast<const unsigned char*>(text.data()), text.size(), 0};
    ListFileContent content;
    EXPECT_NE(ParseListFile(cursor, content), ListFileResult::Complete);
}

TEST(ListFix, WritesTheTotalAndSizesAndNothingElse)
{
    std::string wrong = Edited("Total=142", "Total=3E8h");
    wrong.replace(wrong.find("Lib.dll,4,"), 10, "Lib.dll,999999,");
    ListLayout layout = ReadListLayout(Bytes(wrong));
    std::vector<TotalsChange> changes;
    std::vector<unsigned char> fixed = FixTotals(Bytes(wrong), layout, Folder(layout), changes);
    EXPECT_EQ(std::string(fixed.begin(), fixed.end()), CleanList());
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].line, 11u);
    EXPECT_EQ(changes[0].before, "3E8h");
    EXPECT_EQ(changes[0].after, "142");
    EXPECT_EQ(changes[1].line, 14u);
    EXPECT_EQ(changes[1].what, "Lib.dll's size");

    // Without every file the total is unknown and nothing changes.
    changes.clear();
    fixed = FixTotals(Bytes(wrong), layout, Folder(layout, "Lib.dll"), changes);
    EXPECT_EQ(std::string(fixed.begin(), fixed.end()), wrong);
    EXPECT_TRUE(changes.empty());
}

}  // namespace
