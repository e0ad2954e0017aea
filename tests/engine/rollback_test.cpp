#include <windows.h>
#include <shlobj.h>

#include <sstream>
#include <string>

#include "base/system_version.h"
#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/journal_end.h"
#include "engine/copy_files.h"
#include "engine/journal_undo.h"
#include "engine/journaled_changes.h"
#include "engine/self_registration.h"
#include "engine/rollback.h"
#include "engine/temp_cleanup.h"
#include "engine_fixture.h"
#include "registry_dump.h"
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

// The run holds its journal open for writing: a reader must share that.
std::string JournalText()
{
    return ReadBytes(g_wizard.job.journal.path, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

FILETIME WriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

void SetWriteTime(const std::string& path, const FILETIME& time)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

Recovery Recover(int osCode = SystemOsCode())
{
    return RecoverInterruptedInstall(
        kTestProductKey, RecoveryMessages{IDS_INSTALL_WAS_INTERRUPTED, IDS_CHANGES_LEFT_ALONE, IDS_UNDO_WAITS}, osCode);
}

// As a kill leaves a run: its journal closed, not deleted.
void EndTheRunByAKill()
{
    CloseHandle(g_wizard.job.journal.file);
    g_wizard.job.journal.file = nullptr;
}

void ListFiles(std::ostringstream& out, const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out << path << "\\\n";
            ListFiles(out, path);
        } else {
            out << path << " = " << ReadBytes(path) << "\n";
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// What an undo must give back: the files below the folder and the test key.
std::string Snapshot(const std::string& folder)
{
    std::ostringstream out;
    DumpKey(out, HKEY_CURRENT_USER, "HKCU", kKey);
    ListFiles(out, folder);
    return out.str();
}

// The program group the tests make, as the program manager keeps it.
std::string GroupFolder()
{
    char programs[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, programs, CSIDL_PROGRAMS, TRUE);
    return std::string(programs) + "\\Instal Rollback Group";
}

class Rollback : public EngineTest {
protected:
    void TearDown() override
    {
        DeleteTree(GroupFolder());
        EngineTest::TearDown();
    }

    // What an install changes, each through its journal note: a folder and a
    // file in it, an existing file replaced, a library registered, values
    // changed and added, a key made, a count raised, an existing tree
    // deleted and a program group made.
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
        NoteWrittenFile(journal, (folder + "\\A.txt").c_str());
        ASSERT_TRUE(MoveAside(journal, TargetPath("Old.txt").c_str()));
        WriteBytes(TargetPath("Old.txt"), "new bytes");
        WriteJournaledString(journal, kCurrentUser, kKey, "Changed", "after");
        WriteJournaledString(journal, kCurrentUser, kKey, "Added", "added");
        WriteJournaledString(journal, kCurrentUser, (std::string(kKey) + "\\Made\\Deep").c_str(), nullptr, "x");
        RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Count", REG_DWORD, "\x01\0\0\0", 4);
        ASSERT_TRUE(NoteSharedCount(journal, kCurrentUser, kKey, "Count"));
        WriteRegNumber(kCurrentUser, kKey, "Count", 2);
        DeleteJournaledTree(journal, kCurrentUser, (std::string(kKey) + "\\Tree").c_str());
        std::string library = folder + "\\Lib.dll";
        ASSERT_TRUE(NoteNewFile(journal, library.c_str()));
        CopyFileA(TestLibraryPath("registers_ok.dll").c_str(), library.c_str(), FALSE);
        ASSERT_TRUE(NoteRegistration(journal, library.c_str()));
        SelfRegister(library.c_str());
        ASSERT_TRUE(NoteProgramGroup(journal, "Instal Rollback Group", {"Kestrel"}));
        CreateDirectoryA(GroupFolder().c_str(), nullptr);
        WriteBytes(GroupFolder() + "\\Kestrel.lnk", "link");
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
        EXPECT_FALSE(Exists(GroupFolder()));
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
    // Every record's undo may be repeated: the same records, no marks.
    Journal noJournal = {};
    UndoRecords(ParseJournal(journal), noJournal, nullptr, SystemOsCode());
    ExpectTheMachineAsBefore();
}

// An undo may be stopped after any record, before or after its mark, and
// the next start's recovery then finishes it: each time the machine is as
// before the install.
TEST_F(Rollback, AnUndoStoppedAfterAnyRecordIsFinishedByTheNextStart)
{
    ChangeTheMachine();
    std::size_t records = ParseJournal(JournalText()).records.size();
    RollBack(g_wizard.job);
    const std::string before = Snapshot(root_);
    ASSERT_GE(records, 16u) << "a realistic journal: files, folders, a replaced file, a library, values, keys, "
                               "a count, a group";

    for (std::size_t stop = 0; stop <= records; ++stop) {
        for (bool marked : {true, false}) {
            SCOPED_TRACE("stopped after " + std::to_string(stop) + (marked ? " records, marked" : " records, unmarked"));
            ASSERT_EQ(OpenJournal(g_wizard.job.journal, kTestProductKey), JournalOpening::Opened);
            ChangeTheMachine();
            // The undo walks back from the end: it gets as far as the last `stop`
            // records, the earlier ones left for the next start.
            JournalContents contents = ParseJournal(JournalText());
            std::size_t firstUndone = records - stop;
            for (std::size_t i = 0; i < firstUndone; ++i)
                contents.undone.insert(contents.records[i].number);
            // Unmarked: the kill came after the last record's change, before its mark. A count
            // is marked before it is lowered, so no kill leaves it lowered but unmarked.
            JournalContents last = contents;
            if (!marked && stop > 0) {
                contents.undone.insert(contents.records[firstUndone].number);
                for (std::size_t i = firstUndone + 1; i < records; ++i)
                    last.undone.insert(last.records[i].number);
            }
            UndoRecords(contents, g_wizard.job.journal, nullptr, SystemOsCode());
            Journal noJournal = {};
            if (!marked && stop > 0 && last.records[firstUndone].kind != JournalKind::Count)
                UndoRecords(last, noJournal, nullptr, SystemOsCode());
            EndTheRunByAKill();
            std::size_t boxes = boxes_.boxes().size();
            EXPECT_EQ(Recover(), Recovery::Undone);
            EXPECT_EQ(boxes_.boxes().size(), boxes + 1) << "one message, that the install was interrupted: "
                                                           "what the first undo did counts as done, not as left alone";
            EXPECT_EQ(Snapshot(root_), before);
            EXPECT_EQ(ReadBytes(TargetPath("Old.txt")), "old bytes");
            EXPECT_FALSE(Exists(GroupFolder()));
        }
    }
}

// Months later, other programs have changed what the install made: the
// recovery undoes only what is still as the install left it.
TEST_F(Rollback, ARecoveryLeavesWhatOthersChangedSince)
{
    ChangeTheMachine();
    EndTheRunByAKill();
    // Another install's copy of the same file, with the same bytes and time,
    // in place of the install's own (which it moved aside).
    const std::string copy = root_ + "\\New\\A.txt";
    FILETIME written = WriteTime(copy);
    ASSERT_TRUE(MoveFileA(copy.c_str(), (root_ + "\\New\\~A.txt").c_str()));
    WriteBytes(copy, "a");
    SetWriteTime(copy, written);
    RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Added", REG_SZ, "theirs", 7);
    RegSetKeyValueA(HKEY_CURRENT_USER, (std::string(kKey) + "\\Made").c_str(), "Other", REG_SZ, "product", 8);
    RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Count", REG_DWORD, "\x05\0\0\0", 4);

    EXPECT_EQ(Recover(), Recovery::Undone);
    EXPECT_EQ(ReadBytes(copy), "a") << "another install's file of the same bytes and time";
    EXPECT_EQ(ReadValue(kKey, "Added"), "theirs");
    EXPECT_EQ(ReadValue(std::string(kKey) + "\\Made", "Other"), "product") << "a key another product uses stays";
    HKEY deep;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kKey) + "\\Made\\Deep").c_str(), 0, KEY_READ, &deep),
              ERROR_SUCCESS) << "the install's own value goes, and the branch it made for it";
    DWORD count = 0;
    DWORD size = sizeof count;
    RegGetValueA(HKEY_CURRENT_USER, kKey, "Count", RRF_RT_REG_DWORD, nullptr, &count, &size);
    EXPECT_EQ(count, 4u) << "the install's own increment is taken back, not the old count written";
    EXPECT_EQ(ReadValue(kKey, "Changed"), "before");
    EXPECT_EQ(ReadBytes(TargetPath("Old.txt")), "old bytes");
    ASSERT_EQ(boxes_.boxes().size(), 2u);
    EXPECT_EQ(boxes_.boxes()[1].text, TableString(IDS_CHANGES_LEFT_ALONE) + " 3") << "the file, the value and the key";
}

// A group the install made goes with the undo only while nothing but its
// own items lie in it: a group of that name that another program filled
// since is left whole.
TEST_F(Rollback, AGroupGoesOnlyWhileItHoldsOnlyTheInstallsItems)
{
    const std::string folder = GroupFolder();
    struct Case {
        const char* name;
        const char* othersFile;   // what another program put in the group since, or nullptr
        bool goes;
    };
    const Case kCases[] = {
        {"only the install's items", nullptr, true},
        {"another program's link", "Other Tool.lnk", false},
        {"a file that is no link", "Kestrel.txt", false},
        {"an item's title in another extension", "Kestrel.url", false},
        {"a subfolder", "Tools\\", false},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        if (!IsJournalOpen(g_wizard.job.journal))
            ASSERT_EQ(OpenJournal(g_wizard.job.journal, kTestProductKey), JournalOpening::Opened);
        ASSERT_TRUE(NoteProgramGroup(g_wizard.job.journal, "Instal Rollback Group", {"Kestrel", "Llegiu-me"}));
        // As the program manager makes the group.
        CreateDirectoryA(folder.c_str(), nullptr);
        WriteBytes(folder + "\\Kestrel.lnk", "link");
        WriteBytes(folder + "\\Llegiu-me.lnk", "link");
        std::string others = c.othersFile != nullptr ? folder + "\\" + c.othersFile : "";
        if (!others.empty() && others.back() == '\\')
            CreateDirectoryA(others.c_str(), nullptr);
        else if (!others.empty())
            WriteBytes(others, "theirs");
        EndTheRunByAKill();

        EXPECT_EQ(Recover(), Recovery::Undone);
        EXPECT_EQ(Exists(folder), !c.goes);
        if (!c.goes) {
            EXPECT_TRUE(Exists(others));
            EXPECT_TRUE(Exists(folder + "\\Kestrel.lnk")) << "the group is left whole";
        }
        DeleteTree(folder);
    }
}

// The recovery takes the system's code from its caller: on the 9x family an
// original whose place a running program holds goes back at the restart
// through WININIT.INI, and the NT family's list of renames is not touched.
TEST_F(Rollback, ARecoveryOnWindows98PutsAHeldFilesOriginalBackThroughWininit)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string wininit = std::string(windows) + "\\WININIT.INI";
    DeleteFileA(wininit.c_str());
    const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations");
    ChangeTheMachine();
    EndTheRunByAKill();
    HANDLE held = CreateFileA(TargetPath("Old.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    EXPECT_EQ(Recover(OsWindows98), Recovery::Undone);
    CloseHandle(held);
    char kept[MAX_PATH] = "";
    GetShortPathNameA(TargetPath("~Kept\\Old.txt").c_str(), kept, sizeof kept);
    char target[MAX_PATH] = "";
    GetShortPathNameA(TargetPath("Old.txt").c_str(), target, sizeof target);
    char entry[MAX_PATH] = "";
    GetPrivateProfileStringA("Rename", target, "", entry, sizeof entry, wininit.c_str());
    EXPECT_STREQ(entry, kept);
    EXPECT_NE(RegGetValueA(HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations", RRF_RT_ANY, nullptr,
                           nullptr, nullptr), ERROR_SUCCESS);
    DeleteFileA(wininit.c_str());
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
    EXPECT_EQ(Recover(), Recovery::HeldByAnotherRun) << "held by its running install";
    EXPECT_EQ(ReadBytes(TargetPath("Old.txt")), "new bytes");

    CloseHandle(g_wizard.job.journal.file);   // as the run's end by a kill leaves it
    g_wizard.job.journal.file = nullptr;
    EXPECT_EQ(Recover(), Recovery::Undone);
    ExpectTheMachineAsBefore();
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].text, TableString(IDS_INSTALL_WAS_INTERRUPTED));
    EXPECT_FALSE(Exists(g_wizard.job.journal.path));
    EXPECT_EQ(Recover(), Recovery::NothingToDo) << "nothing is left to recover";
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

TEST_F(Rollback, CleanUpDeletesUnpackedFilesAndFreesTheWorkBlock)
{
    PutInTemp("Left.dll", "left");
    PutInTemp("ReadOnly.txt", "read-only");
    SetFileAttributesA(TempPath("ReadOnly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    PutInTemp("Unlisted.txt", "not ours");
    PutInTemp("AppLogo.bmp", "a logo never loaded");
    AddFileLine(target_ + ",Left.dll,4,,,0,0,0");
    AddFileLine(target_ + ",ReadOnly.txt,4,,,0,0,0");
    AddFileLine(target_ + ",Gone.txt,4,,,0,0,0");

    CleanUpTemp(g_wizard.unpacking.tempFolder, g_wizard.model);
    FreeWorkBuffers();
    EXPECT_FALSE(Exists(TempPath("Left.dll")));
    EXPECT_FALSE(Exists(TempPath("ReadOnly.txt")));
    EXPECT_TRUE(Exists(TempPath("Unlisted.txt")));
    EXPECT_FALSE(Exists(TempPath("AppLogo.bmp"))) << "a run that failed before loading the logo";
    EXPECT_TRUE(Exists(temp_)) << "the temp folder itself stays";
    EXPECT_EQ(g_wizard.workBlock, nullptr);
}

}  // namespace
