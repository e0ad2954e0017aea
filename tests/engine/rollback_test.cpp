#include <string>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/rollback.h"
#include "engine/temp_cleanup.h"
#include "engine_fixture.h"
#include "resources/string_ids.h"
#include "wizard/wizard_state.h"

namespace {

class Rollback : public EngineTest {
protected:
    // A line for a file this run has written.
    void AddCopied(const std::string& folder, const std::string& name)
    {
        WriteBytes(folder + "\\" + name, name);
        AddFileLine(folder + "," + name + ",1,,,0,0,0");
        if (g_wizard.job.copiedFiles == nullptr)
            g_wizard.job.copiedFiles = CreateStringList(false);
        StringListAdd(g_wizard.job.copiedFiles, (folder + "\\" + name).c_str());
    }
};

TEST_F(Rollback, ProtectedLibrariesAndFontsAreNeverDeleted)
{
    AddCopied(target_, "mfc42.dll");
    AddCopied(target_, "DBGHELP.DLL");
    AddCopied(target_, "Led.TTF");
    AddCopied(target_, "Kestrel.exe");
    g_wizard.cancel = 1;

    RollBack(g_wizard.job);
    EXPECT_TRUE(Exists(TargetPath("mfc42.dll")));
    EXPECT_TRUE(Exists(TargetPath("DBGHELP.DLL")));
    EXPECT_TRUE(Exists(TargetPath("Led.TTF")));
    EXPECT_FALSE(Exists(TargetPath("Kestrel.exe")));
    EXPECT_TRUE(Exists(target_)) << "the folder still holds files";
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].text, TableString(IDS_CANCELLED_BY_USER));
    EXPECT_EQ(boxes_.boxes()[0].icon, LoadIcon(nullptr, IDI_HAND));
    EXPECT_EQ(boxes_.boxes()[0].caption, " " + TableString(IDS_WIZARD_CAPTION));
    EXPECT_NE(g_wizard.cancel, 0);
    EXPECT_FALSE(WaitCursorIsOn());
}

TEST_F(Rollback, HelpIndexFilesBesideTheHelpFileGo)
{
    AddCopied(target_, "Kestrel.chm");
    WriteBytes(TargetPath("Kestrel.GID"), "index");
    WriteBytes(TargetPath("Kestrel.chw"), "index");
    SetFileAttributesA(TargetPath("Kestrel.chw").c_str(), FILE_ATTRIBUTE_READONLY);
    CopyText(g_wizard.job.helpFile, TargetPath("Kestrel.chm").c_str());

    RollBack(g_wizard.job);
    EXPECT_FALSE(Exists(TargetPath("Kestrel.chm")));
    EXPECT_FALSE(Exists(TargetPath("Kestrel.GID")));
    EXPECT_FALSE(Exists(TargetPath("Kestrel.chw"))) << "read-only index files go too";
    EXPECT_TRUE(boxes_.boxes().empty()) << "no box when no cancel came first";
}

TEST_F(Rollback, WithoutAHelpFileNoIndexFileIsTouched)
{
    AddCopied(target_, "Kestrel.exe");
    WriteBytes(TargetPath("Kestrel.GID"), "index");
    WriteBytes(TargetPath("Kestrel.chw"), "index");
    RollBack(g_wizard.job);
    EXPECT_TRUE(Exists(TargetPath("Kestrel.GID")));
    EXPECT_TRUE(Exists(TargetPath("Kestrel.chw")));
}

TEST_F(Rollback, FoldersGoUpwardUntilOneIsNotEmpty)
{
    const std::string programs = root_ + "\\Programs";
    const std::string destination = programs + "\\Kestrel";
    CreateDirectoryA(programs.c_str(), nullptr);
    CreateDirectoryA((programs + "\\Other").c_str(), nullptr);
    CreateDirectoryA(destination.c_str(), nullptr);
    CreateDirectoryA((destination + "\\Bin").c_str(), nullptr);
    CopyText(g_wizard.job.defaultFolder, "Kestrel");
    AddCopied(destination + "\\Bin", "Lib.dll");

    RollBack(g_wizard.job);
    EXPECT_FALSE(Exists(destination + "\\Bin"));
    EXPECT_FALSE(Exists(destination)) << "the destination folder went once empty";
    EXPECT_TRUE(Exists(programs)) << "a parent that is not empty stops the walk";
}

TEST_F(Rollback, FolderChainsStopAtTheLengthOfTheDefaultFolderName)
{
    CreateDirectoryA((root_ + "\\A").c_str(), nullptr);
    CreateDirectoryA((root_ + "\\A\\B").c_str(), nullptr);
    // A bound longer than every path of the chain: nothing is removed.
    CopyText(g_wizard.job.defaultFolder, std::string(root_.size() + 10, 'x').c_str());
    RemoveFolderChain(g_wizard.job, (root_ + "\\A\\B").c_str());
    EXPECT_TRUE(Exists(root_ + "\\A\\B"));
    // A bound that lets only the deepest level go.
    CopyText(g_wizard.job.defaultFolder, std::string(root_.size() + 3, 'x').c_str());
    RemoveFolderChain(g_wizard.job, (root_ + "\\A\\B").c_str());
    EXPECT_FALSE(Exists(root_ + "\\A\\B"));
    EXPECT_TRUE(Exists(root_ + "\\A"));
}

TEST_F(Rollback, CleanUpDeletesUnpackedFilesAndReleasesEverything)
{
    int listsBefore = StringListCount();
    PutInTemp("Left.dll", "left");
    PutInTemp("ReadOnly.txt", "read-only");
    SetFileAttributesA(TempPath("ReadOnly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    PutInTemp("Unlisted.txt", "not ours");
    PutInTemp("AppLogo.bmp", "a logo never loaded");
    AddFileLine(target_ + ",Left.dll,4,,,0,0,0");
    AddFileLine(target_ + ",ReadOnly.txt,4,,,0,0,0");
    AddFileLine(target_ + ",Gone.txt,4,,,0,0,0");
    g_wizard.model.information = CreateStringList(false);
    g_wizard.job.afterRestartRegistrations = CreateStringList(false);
    g_wizard.job.copiedFiles = CreateStringList(false);

    CleanUpTemp(g_wizard.unpacking.tempFolder, g_wizard.model, g_wizard.job);
    FreeWorkBuffers();
    EXPECT_FALSE(Exists(TempPath("Left.dll")));
    EXPECT_FALSE(Exists(TempPath("ReadOnly.txt")));
    EXPECT_TRUE(Exists(TempPath("Unlisted.txt")));
    EXPECT_FALSE(Exists(TempPath("AppLogo.bmp"))) << "a run that failed before loading the logo";
    EXPECT_TRUE(Exists(temp_)) << "the temp folder itself stays";
    EXPECT_EQ(StringListCount(), listsBefore - 1) << "the fixture's file list went too";
    EXPECT_EQ(g_wizard.model.files, nullptr);
    EXPECT_EQ(g_wizard.job.afterRestartRegistrations, nullptr);
    EXPECT_EQ(g_wizard.workBlock, nullptr);
}

}  // namespace
