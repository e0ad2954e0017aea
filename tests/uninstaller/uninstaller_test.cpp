// The real uninstaller, driven from outside as a user and the system drive
// it: installs made by the real wizard from the sample package, removals
// through the system's uninstall command, the wizard's upgrade path and the
// run at the next start, and records that were tampered with.
#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "base/portable/exit_codes.h"
#include "message_box_catcher.h"
#include "product_runs.h"
#include "test_environment.h"
#include "uninstaller/uninstaller_ids.h"
#include "wizard/control_ids.h"
#include "wizard_session.h"

namespace {

TEST_F(Uninstaller, RoundTripThroughTheSystemsUninstallCommand)
{
    std::set<std::string> before = Snapshot();
    InstallSample();
    ASSERT_TRUE(Exists(Destination() + "\\Kestrel.exe"));
    ASSERT_EQ(ReadString(HKEY_CLASSES_ROOT, "KestrelCore.Library", nullptr), "Kestrel Core") << "registered";
    ASSERT_EQ(UninstallString(), UninstallerPath() + " Kestrel");

    AskedRemoval removal = RemoveAsTheSystemDoes(UninstallString(), "uninstaller-round-trip");
    EXPECT_EQ(removal.question, TableString(IDS_U_QUESTION) + " Kestrel 1.0 " + TableString(IDS_U_QUESTION_FOLDER)
                                    + Destination() + "?");
    EXPECT_EQ(removal.closing, "Kestrel " + TableString(IDS_U_REMOVED));
    EXPECT_EQ(removal.exitCode, 0u);

    std::vector<std::string> differences = Differences(before, Snapshot(), kIntendedLeftovers);
    EXPECT_TRUE(differences.empty()) << Listed(differences);
}

// A deployment tool's removal: the quiet command as recorded, nothing answered.
TEST_F(Uninstaller, TheQuietCommandRemovesWithoutAWindow)
{
    struct Case { bool install, inUse; DWORD exitCode; std::string logged; };
    const Case cases[] = {
        {true, false, kExitDone, "File removed: " + Destination() + "\\Kestrel.chm"},
        {true, true, kExitRestartNeeded, "File removed at the next start: " + Destination() + "\\Kestrel.chm"},
        {false, false, kExitFailed, "Message 20003: " + TableString(20003) + " NoSuchProduct."},
    };
    for (const auto& [install, inUse, exitCode, logged] : cases) {
        std::set<std::string> before = Snapshot();
        if (install)
            InstallSample();
        HANDLE held = inUse ? CreateFileA((Destination() + "\\Kestrel.chm").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
        WizardSession tool("");
        // A tool adds its log switch to the entry's command.
        const std::string log = tool.folder() + "\\removal.log";
        ASSERT_TRUE(tool.StartCommand((install ? ReadString(HKEY_LOCAL_MACHINE, kSystemEntry, "QuietUninstallString")
                                               : UninstallerPath() + " /VERYSILENT NoSuchProduct") +
                                          " /LOG=\"" + log + "\"", kUninstallerClass));
        bool windowSeen = true;
        EXPECT_EQ(tool.WaitForExitWatchingWindows(&windowSeen), exitCode) << install << inUse;
        EXPECT_FALSE(windowSeen) << install << inUse;
        std::string text = Ansi(ReadBytes(log).c_str());
        EXPECT_NE(text.find("\r\n" + logged), std::string::npos) << logged << "\n" << text;
        EXPECT_EQ(text.substr(text.rfind("\r\n", text.size() - 3)),
                  "\r\nExit code: " + std::to_string(exitCode) + "\r\n");
        if (inUse && CloseHandle(held))
            EXPECT_TRUE(RestartTheSystem() && RemoveDirectoryA(Destination().c_str())) << "only the file kept the folder";
        EXPECT_EQ(Listed(Differences(before, Snapshot(), kIntendedLeftovers)), "") << "nothing left";
    }
}

// Closes the machine's key to writing for everyone, as a machine does to a
// user who is no administrator; the descriptor it had, to put back.
std::vector<BYTE> CloseToWriting(const char* subkey)
{
    HKEY key;
    std::vector<BYTE> old;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS)
        return old;
    DWORD size = 0;
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    old.resize(size);
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    if (RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, old.data(), &size) != ERROR_SUCCESS ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly, nullptr) ||
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly) != ERROR_SUCCESS)
        old.clear();
    LocalFree(readOnly);
    RegCloseKey(key);
    return old;
}

void OpenAgain(const char* subkey, std::vector<BYTE>& descriptor)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return;
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor.data());
    RegCloseKey(key);
}

// Where the machine's key cannot be written, the install keeps its records
// for the user, and the removal that the user's programs list starts finds
// them there.
TEST_F(Uninstaller, APerUserInstallIsRemovedFromTheUsersKeys)
{
    const char kMachineKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
    std::set<std::string> before = Snapshot();
    std::vector<BYTE> descriptor = CloseToWriting(kMachineKey);
    ASSERT_FALSE(descriptor.empty()) << "the key's descriptor could not be set";
    HKEY probe = nullptr;
    bool closed = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMachineKey, 0, KEY_WRITE, &probe) == ERROR_ACCESS_DENIED;
    if (probe != nullptr)
        RegCloseKey(probe);
    if (!closed) {
        OpenAgain(kMachineKey, descriptor);
        GTEST_SKIP() << "this system does not keep writers out of a key";
    }
    InstallSample();
    OpenAgain(kMachineKey, descriptor);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kProductRecord));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProductRecord));
    std::string command = ReadString(HKEY_CURRENT_USER, kSystemEntry, "UninstallString");
    EXPECT_EQ(command, UninstallerPath() + " Kestrel");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSystemEntry));

    AskedRemoval removal = RemoveAsTheSystemDoes(command);
    EXPECT_EQ(removal.exitCode, 0u);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProductRecord));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSystemEntry));
    // The user's programs list stays, empty, for the programs to come.
    std::vector<std::string> leftovers = kIntendedLeftovers;
    leftovers.push_back("[HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall]");
    std::vector<std::string> differences = Differences(before, Snapshot(), leftovers);
    EXPECT_TRUE(differences.empty()) << Listed(differences);
}

TEST_F(Uninstaller, ASharedLibraryAndTheUsersFileStay)
{
    InstallSample();
    std::string library = ShortPath(Destination()) + "\\KestrelCore.dll";   // as the wizard counts it
    ASSERT_EQ(ReadCount(library), 1u);
    DWORD another = 2;   // another product counts the library too
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSharedLibraries, library.c_str(), REG_DWORD, &another, sizeof another);
    std::string notes = Destination() + "\\Notes.txt";
    HANDLE file = CreateFileA(notes.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    AskedRemoval removal = RemoveAsTheSystemDoes(UninstallString());
    EXPECT_EQ(removal.exitCode, 0u);
    EXPECT_NE(removal.closing.find(TableString(IDS_U_FOLDER_KEPT) + Destination()), std::string::npos)
        << removal.closing;
    EXPECT_TRUE(Exists(notes));
    EXPECT_TRUE(Exists(Destination() + "\\KestrelCore.dll")) << "still counted by the other product";
    EXPECT_EQ(ReadCount(library), 1u);
    for (const char* gone : {"Kestrel.exe", "Llegiume.txt", "Kestrel.chm", "Exemples"})
        EXPECT_FALSE(Exists(Destination() + "\\" + gone)) << gone;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProductRecord));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSystemEntry));
}

// The sample installed as version 0.9, with a file the new one no longer
// has; returns that file's path.
std::string InstallOlderVersion()
{
    InstallSample();
    std::string old = Destination() + "\\Antic.txt";
    CloseHandle(CreateFileA(old.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_READONLY, nullptr));
    WriteString(HKEY_LOCAL_MACHINE, kUninstallRecord, "Version", "0.9");
    WriteString(HKEY_LOCAL_MACHINE, kUninstallRecord, "File7", "Antic.txt,0");
    WriteString(HKEY_LOCAL_MACHINE, kUninstallRecord, "Files", "7");
    return old;
}

TEST_F(Uninstaller, TheWizardRemovesAnOlderVersionWithTheRealUninstaller)
{
    std::string old = InstallOlderVersion();
    ASSERT_TRUE(Exists(old));
    WizardSession session(BuildFile("sample\\_Data.001"));
    ASSERT_TRUE(session.Start());
    MessageBoxSeen question = session.WaitForMessageBox();
    ASSERT_NE(question.box, nullptr);
    EXPECT_NE(question.text.find("Kestrel 0.9"), std::string::npos) << question.text;
    session.Answer(question, IDYES);
    // The main window shows for a moment before it hides for the removal:
    // the removal's end is waited for, not the window.
    EXPECT_TRUE(WaitUntil([&] { return !Exists(old) && !KeyExists(HKEY_LOCAL_MACHINE, kProductRecord); }, 60000))
        << "the older installation is gone";
    ASSERT_NE(session.WaitForMainWindow(60000), nullptr) << "the uninstaller ended with 0 and the wizard goes on";
    ASSERT_TRUE(InstallThroughEveryPage(session)) << "every page, the finish page and its closing message";
    EXPECT_EQ(session.WaitForExit(), kExitDone);
    EXPECT_TRUE(Exists(Destination() + "\\Kestrel.exe"));
    EXPECT_FALSE(Exists(old));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallRecord, "Version"), "1.0");
}

// A deployment tool's upgrade: no question, the older version removed,
// one record of the new one.
TEST_F(Uninstaller, ASilentInstallUpgradesAnOlderVersion)
{
    std::string old = InstallOlderVersion();
    ASSERT_TRUE(Exists(old));
    WizardSession session(BuildFile("sample\\_Data.001"));
    ASSERT_TRUE(session.Start("/VERYSILENT"));
    EXPECT_EQ(session.WaitForExit(), kExitDone);
    EXPECT_TRUE(Exists(Destination() + "\\Kestrel.exe"));
    EXPECT_FALSE(Exists(old));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallRecord, "Version"), "1.0");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, (std::string(kProductRecord) + "E").c_str())) << "one record";
}

// A file in use: the silent install ends with 3010, and the restart puts
// the new file in place.
TEST_F(Uninstaller, ASilentInstallOverAFileInUseIsFinishedByTheRestart)
{
    CreateDirectoryA(Destination().c_str(), nullptr);
    std::string held = Destination() + "\\Llegiume.txt";
    HANDLE file = CreateFileA(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    WizardSession session(BuildFile("sample\\_Data.001"));
    ASSERT_TRUE(session.Start("/VERYSILENT"));
    EXPECT_EQ(session.WaitForExit(), kExitRestartNeeded);
    CloseHandle(file);
    EXPECT_EQ(ReadBytes(held), "") << "untouched until the restart";
    ASSERT_TRUE(RestartTheSystem());
    const std::string installed = ReadBytes(BuildFile("sample\\files\\Llegiume.txt"));
    EXPECT_TRUE(WaitUntil([&] { return ReadBytes(held) == installed; }, 30000)) << ReadBytes(held);
}

TEST_F(Uninstaller, AnInterruptedRemovalFinishesWhenRunAgain)
{
    InstallSample();
    {
        WizardSession session("");
        ASSERT_TRUE(session.StartCommand(UninstallerPath() + " /S Kestrel", kUninstallerClass));
        // Killed as soon as its files step has begun to delete.
        EXPECT_TRUE(WaitUntil([] { return !Exists(Destination() + "\\Kestrel.exe"); }, 60000));
        session.Kill();
    }
    EXPECT_EQ(RunSilently("/s  Kestrel "), 0u);
    EXPECT_FALSE(Exists(Destination()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProductRecord));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSystemEntry));
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "KestrelCore.Library", nullptr), "<missing>") << "unregistered";
}

TEST_F(Uninstaller, TheRunAtTheNextStartRegistersALibraryThatWasInUse)
{
    // An older library (version 0.9) is there, unregistered and held by a
    // running program, when the wizard installs: its new copy waits for the
    // restart, and the wizard writes what the run at the next start is to
    // register.
    InstallSample();
    std::string library = Destination() + "\\KestrelCore.dll";
    std::string waiting = Destination() + "\\KestrelCore.tmp";
    std::string older = LibraryOfVersion09(ReadBytes(library));
    ASSERT_NE(older, ReadBytes(library));
    WriteBytes(library, older);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "KestrelCore.Library");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductRecord);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSystemEntry);
    // As a loaded library is held: others may read it, not move or write it.
    HANDLE held = CreateFileA(library.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    {
        WizardSession session(BuildFile("sample\\_Data.001"));
        ASSERT_TRUE(session.Start());
        ASSERT_NE(session.WaitForMainWindow(), nullptr);
        ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
        for (int page : {grpDestinationPage, grpUserPage, grpGroupPage, grpOptionsPage, grpSummaryPage}) {
            session.Click(btnNext);
            ASSERT_TRUE(session.WaitForShown(page, true));
        }
        session.Click(btnNext);
        ASSERT_TRUE(session.WaitForShown(radRebootLater, true, 120000)) << "the finish page offers the restart";
        session.Click(radRebootLater);
        session.Click(btnCancel);
        // The closing message, then the reminder to restart.
        for (int box = 0; box < 2; ++box) {
            MessageBoxSeen seen = session.WaitForMessageBox();
            ASSERT_NE(seen.box, nullptr) << box;
            session.Answer(seen, IDOK);
        }
        EXPECT_EQ(session.WaitForExit(), kExitRestartNeeded);
    }
    CloseHandle(held);
    std::string restartKey = std::string(kProductRecord) + "\\Restart";
    std::string registered = ReadString(HKEY_LOCAL_MACHINE, restartKey.c_str(), "Register1");
    char longForm[MAX_PATH] = "";
    GetLongPathNameA(registered.c_str(), longForm, sizeof longForm);
    ASSERT_EQ(lstrcmpiA(longForm, library.c_str()), 0) << registered;
    EXPECT_TRUE(Exists(waiting)) << "the new copy waits beside the library";

    ASSERT_TRUE(RestartTheSystem());

    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "KestrelCore.Library", nullptr), "Kestrel Core") << "registered by /R";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, restartKey.c_str()));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRunOnce, "TWRestart"), "<missing>");
    EXPECT_FALSE(Exists(waiting)) << "the new library took the old one's place";
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallRecord)) << "DeleteKey 0 keeps the installation";
}

// Records written by hand, as a damaged or hostile registry would hold them.
TEST_F(Uninstaller, TamperedRecordsAreRefusedOrTheirValuesSkipped)
{
    const std::string canaryFolder = "C:\\canary";
    const std::string canary = canaryFolder + "\\keep.txt";
    struct Row {
        const char* name;
        std::string value;
        bool refused;   // the whole record is refused; else the value is skipped
    };
    const std::vector<Row> rows = {
        {"Files", "4000000000", true},
        {"Files", "abc", true},
        {"Path", "C:\\", true},
        {"File1", "..\\..\\canary\\keep.txt,0", false},
        {"File1", canary + ",0", false},
        {"File1", "\\canary\\keep.txt,0", false},
        {"File1", "NUL,0", false},
        {"File1", std::string(300, 'a') + ",0", false},
        {"Associate1", "\\CLSID", false},
    };
    CreateDirectoryA(canaryFolder.c_str(), nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " = " + row.value.substr(0, 60));
        HANDLE file = CreateFileA(canary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
        CreateDirectoryA(Destination().c_str(), nullptr);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductRecord);
        for (auto [name, value] : {std::pair{"Name", std::string("Kestrel")}, std::pair{"Version", std::string("1.0")},
                                   std::pair{"Path", Destination()}, std::pair{"Files", std::string("1")},
                                   std::pair{"File1", std::string("Kestrel.exe,0")},
                                   std::pair{"Associations", std::string("1")},
                                   std::pair{"Associate1", std::string(".kst")}})
            WriteString(HKEY_LOCAL_MACHINE, kUninstallRecord, name, value);
        WriteString(HKEY_LOCAL_MACHINE, kUninstallRecord, row.name, row.value);
        if (row.refused) {
            MessageBoxSeen box;
            EXPECT_EQ(RunSilently("/S Kestrel", &box), kExitFailed);
            EXPECT_EQ(box.text, TableString(IDS_U_DAMAGED_RECORD) + " " + row.name + ".");
            EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallRecord)) << "nothing changed";
        } else {
            AskedRemoval removal = RemoveAsTheSystemDoes(UninstallerPath() + " Kestrel");
            EXPECT_EQ(removal.exitCode, kExitFailed);
            EXPECT_NE(removal.closing.find(TableString(IDS_U_SKIPPED_VALUES)), std::string::npos) << removal.closing;
            EXPECT_NE(removal.closing.find(std::string(row.name) + " = "), std::string::npos) << removal.closing;
        }
        EXPECT_TRUE(Exists(canary));
        EXPECT_TRUE(Exists("C:\\windows\\win.ini"));
    }
    DeleteTree(canaryFolder);
}

std::string Parent(const std::string& path)
{
    return path.substr(0, path.rfind('\\'));
}

// A record whose product folder is a folder of the system, in the spelling
// the system gives and in another one, is refused before anything goes.
TEST_F(Uninstaller, SystemFoldersAsTheProductFolderAreRefusedInAnySpelling)
{
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);   // with a trailing backslash
    const std::vector<std::string> folders = {
        "C:\\", WindowsFolder(), system, ShellFolder(CSIDL_PROGRAM_FILES), Parent(ShellFolder(CSIDL_COMMON_DOCUMENTS)),
        ShellFolder(CSIDL_PROFILE), ShellFolder(CSIDL_DESKTOPDIRECTORY), Parent(ShellFolder(CSIDL_PROFILE)),
        Parent(temp)};
    const char kCanary[] = "instal-canary.txt";
    for (const std::string& folder : folders) {
        std::string canary = (folder.back() == '\\' ? folder : folder + "\\") + kCanary;
        WriteBytes(canary, "keep");
        std::string other = ShortPath(folder);
        std::transform(other.begin(), other.end(), other.begin(), [](unsigned char c) { return std::toupper(c); });
        for (const std::string& spelling : {folder, other + "\\"}) {
            SCOPED_TRACE(spelling);
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductRecord);
            for (auto [name, value] : {std::pair{"Name", std::string("Kestrel")}, std::pair{"Path", spelling},
                                       std::pair{"Files", std::string("1")},
                                       std::pair{"File1", std::string(kCanary) + ",0"}})
                WriteString(HKEY_LOCAL_MACHINE, kUninstallRecord, name, value);
            MessageBoxSeen box;
            EXPECT_EQ(RunSilently("/S Kestrel", &box), kExitFailed);
            EXPECT_EQ(box.text, TableString(IDS_U_DAMAGED_RECORD) + " Path.");
            EXPECT_TRUE(Exists(canary));
        }
        DeleteFileA(canary.c_str());
    }
}

TEST_F(Uninstaller, CommandLinesItCannotUseGetAMessageAndChangeNothing)
{
    for (auto [arguments, exitCode] : {std::pair{"", kExitBadCommandLine}, std::pair{"/X Kestrel", kExitBadCommandLine},
                                       std::pair{"/S", kExitBadCommandLine}, std::pair{"/S NoSuchProduct", kExitFailed}}) {
        SCOPED_TRACE(arguments);
        MessageBoxSeen box;
        EXPECT_EQ(RunSilently(arguments, &box), exitCode);
        EXPECT_NE(box.text.find(TableString(IDS_U_USAGE)), std::string::npos) << box.text;
    }
    EXPECT_EQ(RunSilently("/R NoSuchProduct"), 0u) << "nothing left for the next start is not a failure";
}

}  // namespace
