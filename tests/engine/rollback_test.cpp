#include <string>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/copy_files.h"
#include "engine/journal_undo.h"
#include "engine/journaled_changes.h"
#include "engine/rollback.h"
#include "engine/temp_cleanup.h"
#include "engine_fixture.h"
#include "resources/string_ids.h"
#include "wizard/wizard_state.h"

namespace {

const char kKey[] = "Software\\InstalTests\\Journal";

std::string ReadValue(const std::string& key, const char* name)
{
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

std::string JournalText()
{
    return ReadBytes(g_wizard.job.journal.path);
}

class Rollback : public EngineTest {
protected:
    // What an install changes, each through its journal note: a folder and a
    // file in it, an existing file replaced, values changed and added, a key
    // made and an existing tree deleted.
    void ChangeTheMachine()
    {
        Journal& journal = g_wizard.job.journal;
        WriteBytes(TargetPath("Old.txt"), "old bytes");
        CreateDirectoryA((root_ + "\\Before").c_str(), nullptr);
        RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Changed", REG_SZ, "before", 7);
        RegSetKeyValueA(HKEY_CURRENT_USER, (std::string(kKey) + "\\Tree\\Sub").c_str(), "Kept", REG_SZ, "tree", 5);

        std::string folder = root_ + "\\New";
        ASSERT_TRUE(NoteNewFolder(journal, folder.c_str()) && CreateDirectoryA(folder.c_str(), nullptr));
        ASSERT_TRUE(NoteNewFile(journal, (folder + "\\A.txt").c_str()));
        WriteBytes(folder + "\\A.txt", "a");
        ASSERT_TRUE(MoveAside(journal, TargetPath("Old.txt").c_str()));
        WriteBytes(TargetPath("Old.txt"), "new bytes");
        WriteJournaledString(journal, kCurrentUser, kKey, "Changed", "after");
        WriteJournaledString(journal, kCurrentUser, kKey, "Added", "added");
        WriteJournaledString(journal, kCurrentUser, (std::string(kKey) + "\\Made\\Deep").c_str(), nullptr, "x");
        DeleteJournaledTree(journal, kCurrentUser, (std::string(kKey) + "\\Tree").c_str());
        ASSERT_EQ(ReadBytes(TargetPath("~Kept\\Old.txt")), "old bytes");
    }

    void ExpectTheMachineAsBefore()
    {
        EXPECT_EQ(ReadBytes(TargetPath("Old.txt")), "old bytes");
        EXPECT_FALSE(Exists(TargetPath("~Kept")));
        EXPECT_FALSE(Exists(root_ + "\\New"));
        EXPECT_TRUE(Exists(root_ + "\\Before")) << "an empty folder that was there before stays";
        EXPECT_EQ(ReadValue(kKey, "Changed"), "before");
        EXPECT_EQ(ReadValue(kKey, "Added"), "<missing>");
        EXPECT_EQ(ReadValue(std::string(kKey) + "\\Made\\Deep", nullptr), "<missing>");
        EXPECT_EQ(ReadValue(std::string(kKey) + "\\Tree\\Sub", "Kept"), "tree");
    }
};

TEST_F(Rollback, TheJournalUndoesEveryChangeAndMayRunAgain)
{
    ChangeTheMachine();
    std::string journal = JournalText();
    g_wizard.cancel = 1;

    RollBack(g_wizard.job);
    ExpectTheMachineAsBefore();
    EXPECT_FALSE(Exists(g_wizard.job.journal.path)) << "the journal goes with the undo";
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].text, TableString(IDS_CANCELLED_BY_USER));
    EXPECT_EQ(boxes_.boxes()[0].icon, LoadIcon(nullptr, IDI_HAND));
    EXPECT_NE(g_wizard.cancel, 0);
    EXPECT_FALSE(WaitCursorIsOn());

    RollBack(g_wizard.job);
    EXPECT_EQ(boxes_.boxes().size(), 1u) << "a second rollback has nothing to undo or to tell";
    // An undo killed half way is run again from the same records.
    UndoRecords(ParseJournal(journal), nullptr);
    ExpectTheMachineAsBefore();
}

TEST_F(Rollback, ACompletedInstallKeepsItsChangesAndDropsTheKeptFiles)
{
    ChangeTheMachine();
    CompleteJournal(g_wizard.job.journal);
    EXPECT_EQ(ReadBytes(TargetPath("Old.txt")), "new bytes");
    EXPECT_FALSE(Exists(TargetPath("~Kept")));
    EXPECT_TRUE(Exists(root_ + "\\New\\A.txt"));
    EXPECT_EQ(ReadValue(kKey, "Changed"), "after");
    EXPECT_FALSE(Exists(g_wizard.job.journal.path));
}

TEST_F(Rollback, AJournalLeftOpenIsUndoneAtTheNextStartButNotWhileItsRunHoldsIt)
{
    ChangeTheMachine();
    EXPECT_FALSE(RecoverInterruptedInstall(kTestProductKey, "interrupted")) << "held by its running install";
    EXPECT_EQ(ReadBytes(TargetPath("Old.txt")), "new bytes");

    CloseHandle(g_wizard.job.journal.file);   // as the run's end by a kill leaves it
    g_wizard.job.journal.file = nullptr;
    EXPECT_TRUE(RecoverInterruptedInstall(kTestProductKey, "interrupted"));
    ExpectTheMachineAsBefore();
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].text, "interrupted");
    EXPECT_FALSE(Exists(g_wizard.job.journal.path));
    EXPECT_FALSE(RecoverInterruptedInstall(kTestProductKey, "interrupted")) << "nothing is left to recover";
}

TEST_F(Rollback, ProtectedLibrariesAndFontsAreNeverUndone)
{
    for (const char* name : {"mfc42.dll", "DBGHELP.DLL", "Led.TTF", "Kestrel.exe"}) {
        PutInTemp(name, name);
        AddFileLine(target_ + "," + name + ",1,,,0,0,0");
    }
    ASSERT_EQ(CopyFiles(g_wizard.job), 1);
    RollBack(g_wizard.job);
    EXPECT_TRUE(Exists(TargetPath("mfc42.dll")));
    EXPECT_TRUE(Exists(TargetPath("DBGHELP.DLL")));
    EXPECT_TRUE(Exists(TargetPath("Led.TTF")));
    EXPECT_FALSE(Exists(TargetPath("Kestrel.exe")));
    EXPECT_TRUE(boxes_.boxes().empty()) << "no box when no cancel came first";
}

TEST_F(Rollback, HelpIndexFilesBesideTheHelpFileGo)
{
    WriteBytes(TargetPath("Kestrel.GID"), "index");
    WriteBytes(TargetPath("Kestrel.chw"), "index");
    SetFileAttributesA(TargetPath("Kestrel.chw").c_str(), FILE_ATTRIBUTE_READONLY);
    CopyText(g_wizard.job.helpFile, TargetPath("Kestrel.chm").c_str());

    RollBack(g_wizard.job);
    EXPECT_FALSE(Exists(TargetPath("Kestrel.GID")));
    EXPECT_FALSE(Exists(TargetPath("Kestrel.chw"))) << "read-only index files go too";
}

TEST_F(Rollback, WithoutAHelpFileNoIndexFileIsTouched)
{
    WriteBytes(TargetPath("Kestrel.GID"), "index");
    WriteBytes(TargetPath("Kestrel.chw"), "index");
    RollBack(g_wizard.job);
    EXPECT_TRUE(Exists(TargetPath("Kestrel.GID")));
    EXPECT_TRUE(Exists(TargetPath("Kestrel.chw")));
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

    CleanUpTemp(g_wizard.unpacking.tempFolder, g_wizard.model, g_wizard.job);
    FreeWorkBuffers();
    EXPECT_FALSE(Exists(TempPath("Left.dll")));
    EXPECT_FALSE(Exists(TempPath("ReadOnly.txt")));
    EXPECT_TRUE(Exists(TempPath("Unlisted.txt")));
    EXPECT_FALSE(Exists(TempPath("AppLogo.bmp"))) << "a run that failed before loading the logo";
    EXPECT_TRUE(Exists(temp_)) << "the temp folder itself stays";
    EXPECT_FALSE(Exists(g_wizard.job.journal.path)) << "a run that never completed leaves no journal";
    EXPECT_EQ(StringListCount(), listsBefore - 1) << "the fixture's file list went too";
    EXPECT_EQ(g_wizard.model.files, nullptr);
    EXPECT_EQ(g_wizard.job.afterRestartRegistrations, nullptr);
    EXPECT_EQ(g_wizard.workBlock, nullptr);
}

}  // namespace
