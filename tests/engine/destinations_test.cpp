#include <string>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "engine/destinations.h"
#include "engine/path_macros.h"
#include "engine_fixture.h"
#include "base/registry.h"
#include "resources/string_ids.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"

namespace {

const char kShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string WindowsDirectory()
{
    char path[MAX_PATH];
    GetWindowsDirectoryA(path, sizeof path);
    return path;
}

std::string SystemDirectory()
{
    char path[MAX_PATH];
    GetSystemDirectoryA(path, sizeof path);
    return path;
}

std::string Expand(const std::string& text, int expected)
{
    char buffer[kTextCapacity];
    CopyText(buffer, text.c_str());
    EXPECT_EQ(ExpandPathMacro(buffer, g_wizard.job.choices.destination), expected) << text;
    return buffer;
}

using Destinations = EngineTest;

int CheckDiskSpaceFor(const char* destination)
{
    CopyText(g_wizard.job.choices.destination, destination);
    return CheckDiskSpace(g_wizard.job);
}

TEST_F(Destinations, MacrosExpandInPlaceOnlyAtTheStart)
{
    CopyText(g_wizard.job.choices.destination, "C:\\Program Files\\Kestrel");
    EXPECT_EQ(Expand("<WinDir>\\Help", 1), WindowsDirectory() + "\\Help");
    EXPECT_EQ(Expand("<WINSYSDIR>\\Drivers,a.sys,5", 1), SystemDirectory() + "\\Drivers,a.sys,5");
    EXPECT_EQ(Expand("<appdir>\\Bin", 1), "C:\\Program Files\\Kestrel\\Bin");
    EXPECT_EQ(Expand("<AppDir>", 1), "C:\\Program Files\\Kestrel");
    EXPECT_EQ(Expand("<Other>\\Bin", 0), "<Other>\\Bin");
    EXPECT_EQ(Expand("C:\\Kestrel\\<WinDir>", 0), "C:\\Kestrel\\<WinDir>");
    EXPECT_EQ(Expand("C:\\Kestrel", 0), "C:\\Kestrel");
}

TEST_F(Destinations, ALongExpansionIsCutToTheBuffer)
{
    std::string folder = "C:\\" + std::string(250, 'k');
    CopyText(g_wizard.job.choices.destination, folder.c_str());
    EXPECT_EQ(Expand("<AppDir>\\Bin\\Deeper", 1), (folder + "\\Bin\\Deeper").substr(0, 259));
}

TEST_F(Destinations, FontsComeFromTheShellFoldersOrTheWindowsDirectory)
{
    char saved[kTextCapacity] = "";
    bool hadValue = ReadRegValue(kCurrentUser, kShellFolders, "Fonts", saved);

    WriteRegString(kCurrentUser, kShellFolders, "Fonts", "D:\\Type");
    EXPECT_EQ(Expand("<Fonts>", 1), "D:\\Type");
    DeleteRegValue(kCurrentUser, kShellFolders, "Fonts");
    EXPECT_EQ(Expand("<fonts>", 1), WindowsDirectory() + "\\Fonts");

    if (hadValue)
        WriteRegString(kCurrentUser, kShellFolders, "Fonts", saved);
}

TEST_F(Destinations, DiskSpaceAgainstTheProgressTotal)
{
    DWORD sectors, bytes, freeClusters, total;
    ASSERT_TRUE(GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &freeClusters, &total));
    unsigned long long freeBytes = 1ull * sectors * bytes * freeClusters;
    if (freeBytes >= (1ull << 32)) {
        g_wizard.model.progressTotal = 0xFFFFFFFFu;
        EXPECT_EQ(CheckDiskSpaceFor("C:\\Program Files\\Kestrel"), 1) << "4 GiB free pass whatever the total";
        EXPECT_TRUE(boxes_.boxes().empty());
    } else {
        g_wizard.model.progressTotal = static_cast<uint32_t>(freeBytes - 1);
        EXPECT_EQ(CheckDiskSpaceFor("C:\\Program Files\\Kestrel"), 1);
        g_wizard.model.progressTotal = static_cast<uint32_t>(freeBytes);
        EXPECT_EQ(CheckDiskSpaceFor("C:\\Program Files\\Kestrel"), 0) << "equal is refused";
        ASSERT_EQ(boxes_.boxes().size(), 1u);
        EXPECT_EQ(boxes_.boxes()[0].text, TableString(IDS_NO_DISK_SPACE)) << "no cannot-continue ending";
    }
    g_wizard.model.progressTotal = 0xFFFFFFFFu;
    EXPECT_EQ(CheckDiskSpaceFor("Q:\\Nowhere"), 1) << "unknown free space passes";
}

TEST_F(Destinations, FolderChainsAreCreatedLevelByLevel)
{
    char failed[kTextCapacity] = "";
    Journal& journal = g_wizard.job.journal;
    std::string deep = root_ + "\\One\\Two\\Three";
    EXPECT_EQ(CreateFolderChain(deep.c_str(), journal, failed), 1);
    EXPECT_TRUE(GetFileAttributesA(deep.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(Exists(deep));
    EXPECT_EQ(CreateFolderChain(deep.c_str(), journal, failed), 1) << "existing levels are accepted";

    std::string trailing = root_ + "\\Four\\";
    EXPECT_EQ(CreateFolderChain(trailing.c_str(), journal, failed), 0);
    EXPECT_EQ(std::string(failed), trailing) << "the failing level is handed back";

    WriteBytes(root_ + "\\File", "x");
    std::string underFile = root_ + "\\File\\Sub";
    EXPECT_EQ(CreateFolderChain(underFile.c_str(), journal, failed), 0) << "a file counts as existing, its child cannot be made";
    EXPECT_EQ(std::string(failed), underFile);
}

TEST_F(Destinations, PrepareExpandsLinesCreatesFoldersAndFindsTheHelpFile)
{
    std::string destination = root_ + "\\Kestrel";
    CopyText(g_wizard.job.choices.destination, destination.c_str());
    SetControlText(stcCurrentTask, "");
    AddFileLine("<AppDir>,Kestrel.exe,10,,,1,0,0");
    AddFileLine("<appdir>\\Help,First.chm,10,,,1,0,0");
    AddFileLine("<AppDir>\\Empty,,0,,,0,0,0");
    AddFileLine("<AppDir>\\Help\\More,Second.CHM,10,,,1,0,0");
    AddFileLine(root_ + "\\Plain,Plain.txt,1,,,0,0,0");

    ASSERT_EQ(PrepareDestinations(g_wizard.job), 1);
    const std::vector<std::string>& lines = g_wizard.job.targetLines;
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], destination + ",Kestrel.exe,10,,,1,0,0");
    EXPECT_EQ(lines[1], destination + "\\Help,First.chm,10,,,1,0,0");
    EXPECT_EQ(lines[4], root_ + "\\Plain,Plain.txt,1,,,0,0,0");
    EXPECT_TRUE(Exists(destination + "\\Help\\More"));
    EXPECT_TRUE(Exists(root_ + "\\Plain"));
    EXPECT_FALSE(Exists(destination + "\\Empty")) << "no folder for a line without a name";
    EXPECT_EQ(std::string(g_wizard.job.helpFile), destination + "\\Help\\More\\Second.CHM");

    char status[kTextCapacity];
    GetControlText(stcCurrentTask, status);
    EXPECT_EQ(std::string(status), TableString(IDS_CREATING_FOLDERS));
    EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(Destinations, AnExistingDestinationShowsNoCreationText)
{
    CopyText(g_wizard.job.choices.destination, target_.c_str());
    SetControlText(stcCurrentTask, "");
    AddFileLine("<AppDir>,Kestrel.exe,10,,,1,0,0");
    ASSERT_EQ(PrepareDestinations(g_wizard.job), 1);
    char status[kTextCapacity];
    GetControlText(stcCurrentTask, status);
    EXPECT_STREQ(status, "");
    EXPECT_STREQ(g_wizard.job.helpFile, "") << "no help file listed";
}

TEST_F(Destinations, AFolderThatCannotBeMadeIsReported)
{
    CopyText(g_wizard.job.choices.destination, target_.c_str());
    WriteBytes(root_ + "\\Blocker", "x");
    AddFileLine("<AppDir>,Kestrel.exe,10,,,1,0,0");
    AddFileLine(root_ + "\\Blocker\\Bin,Lib.dll,10,,,1,0,0");
    AddFileLine("<AppDir>\\Never,Late.dll,10,,,1,0,0");

    EXPECT_EQ(PrepareDestinations(g_wizard.job), 0);
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].text, ErrorText((root_ + "\\Blocker\\Bin").c_str(), IDS_FOLDER_FAILED));
    EXPECT_FALSE(Exists(target_ + "\\Never")) << "the preparation stops at the failure";
}

}  // namespace
