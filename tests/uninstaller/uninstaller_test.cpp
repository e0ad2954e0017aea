// The real uninstaller, driven from outside as a user and the system drive
// it: installs made by the real wizard from the sample package, removals
// through the system's uninstall command, the wizard's upgrade path and the
// run at the next start, and records that were tampered with.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "message_box_catcher.h"
#include "test_environment.h"
#include "uninstaller/uninstaller_ids.h"
#include "wizard/control_ids.h"
#include "wizard_session.h"

namespace {

const char kProductRecord[] = "SOFTWARE\\TWC Products\\Kestrel";
const char kUninstallRecord[] = "SOFTWARE\\TWC Products\\Kestrel\\Uninstall";
const char kSystemEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kestrel";
const char kSharedLibraries[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const char kRunOnce[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kUninstallerClass[] = "KSRUNWINDOWKSUninst";

std::string Destination()
{
    return ShellFolder(CSIDL_PROGRAM_FILES) + "\\Kestrel";
}

std::string WindowsFolder()
{
    char path[MAX_PATH] = "";
    GetWindowsDirectoryA(path, sizeof path);
    return path;
}

std::string UninstallerPath()
{
    return WindowsFolder() + "\\KSUninst.exe";
}

std::string ShortPath(const std::string& path)
{
    char shortPath[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return shortPath;
}

std::string ReadString(HKEY root, const char* key, const char* name)
{
    char value[1024] = "";
    DWORD size = sizeof value - 1;
    if (RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

void WriteString(HKEY root, const std::string& key, const char* name, const std::string& value)
{
    RegSetKeyValueA(root, key.c_str(), name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

DWORD ReadCount(const std::string& name)
{
    DWORD count = 0;
    DWORD size = sizeof count;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSharedLibraries, name.c_str(), RRF_RT_REG_DWORD, nullptr, &count, &size)
        != ERROR_SUCCESS)
        return 0;
    return count;
}

bool KeyExists(HKEY root, const char* key)
{
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

// --- Snapshots of the machine: registry lines and file paths. ---

void DumpRegistry(HKEY root, const std::string& name, const std::string& path, std::set<std::string>& lines)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    std::string here = name + "\\" + path;
    lines.insert("[" + here + "]");
    for (DWORD i = 0;; ++i) {
        char value[16384];
        BYTE data[4096];
        DWORD valueLength = sizeof value;
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        LONG result = RegEnumValueA(key, i, value, &valueLength, nullptr, &type, data, &dataSize);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS)
            continue;
        std::string text = type == REG_SZ || type == REG_EXPAND_SZ
                               ? std::string(reinterpret_cast<char*>(data), strnlen(reinterpret_cast<char*>(data), dataSize))
                               : std::to_string(type) + ":" + std::to_string(dataSize);
        lines.insert("[" + here + "] " + value + "=" + text);
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char subkey[1024];
        DWORD length = sizeof subkey;
        if (RegEnumKeyExA(key, i, subkey, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subkeys.push_back(subkey);
    }
    RegCloseKey(key);
    for (const std::string& subkey : subkeys)
        DumpRegistry(root, name, path.empty() ? subkey : path + "\\" + subkey, lines);
}

// Wine links these folders of a user's profile to the host's home, which is
// no part of drive C; a per-machine install uses none of them.
bool IsLinkedToHostHome(const std::string& path)
{
    static const char* const kLinked[] = {"\\Desktop", "\\Documents", "\\My Documents", "\\Downloads",
                                          "\\Music", "\\Pictures", "\\Videos", "\\Templates"};
    if (path.compare(0, 9, "C:\\users\\") != 0 || path.compare(0, 15, "C:\\users\\Public") == 0)
        return false;
    for (const char* name : kLinked) {
        std::size_t length = std::strlen(name);
        if (path.size() > length && path.compare(path.size() - length, length, name) == 0 &&
            std::count(path.begin(), path.end(), '\\') == 3)
            return true;
    }
    return false;
}

void DumpFiles(const std::string& folder, std::set<std::string>& lines)
{
    if (IsLinkedToHostHome(folder))
        return;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        lines.insert(path);
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            DumpFiles(path, lines);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

// Walking whole hives under Wine takes many minutes, so the registry is
// recorded where an install can write: every top-level class key (with its
// default value), and the machine's and the user's software settings, the
// system's start-up and session data; the COM registrations of the system
// and the 32-bit view are left out. Drive C is recorded whole.
void DumpClassesTopLevel(std::set<std::string>& lines)
{
    for (DWORD i = 0;; ++i) {
        char name[1024];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(HKEY_CLASSES_ROOT, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        std::string key = name;
        if (key == "CLSID" || key == "Interface" || key == "TypeLib" || key == "Wow6432Node")
            continue;
        if (key[0] == '.' || key.find('.') != std::string::npos)
            DumpRegistry(HKEY_CLASSES_ROOT, "HKCR", key, lines);
        else
            lines.insert("[HKCR\\" + key + "]");
    }
}

std::set<std::string> Snapshot()
{
    std::set<std::string> lines;
    for (const char* key : {"SOFTWARE\\TWC Products", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                            "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                            "SYSTEM\\CurrentControlSet\\Control\\Session Manager"})
        DumpRegistry(HKEY_LOCAL_MACHINE, "HKLM", key, lines);
    for (const char* key : {"Software\\TWC Products", "Software\\Microsoft\\Windows\\CurrentVersion"})
        DumpRegistry(HKEY_CURRENT_USER, "HKCU", key, lines);
    DumpClassesTopLevel(lines);
    DumpFiles("C:", lines);
    return lines;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Lines that differ between the snapshots, except the named leftovers.
std::vector<std::string> Differences(const std::set<std::string>& before, const std::set<std::string>& after,
                                     const std::vector<std::string>& leftovers)
{
    std::vector<std::string> differences;
    auto note = [&](const std::string& sign, const std::string& line) {
        for (const std::string& leftover : leftovers) {
            if (Contains(line, leftover))
                return;
        }
        differences.push_back(sign + line);
    };
    for (const std::string& line : after) {
        if (before.count(line) == 0)
            note("+ ", line);
    }
    for (const std::string& line : before) {
        if (after.count(line) == 0)
            note("- ", line);
    }
    return differences;
}

// --- The wizard's install, as in the end-to-end runs. ---

void InstallSample(const char* screenshotPrefix = nullptr)
{
    WizardSession session(BuildFile("sample\\_Data.001"));
    ASSERT_TRUE(session.Start());
    ASSERT_NE(session.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
    for (int page : {Group2, Group3, Group4, Group5, Group6}) {
        session.Click(btnNext);
        ASSERT_TRUE(session.WaitForShown(page, true));
    }
    session.Click(btnNext);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10035), 120000)) << "the finish page";
    if (screenshotPrefix != nullptr)
        session.SaveScreenshot((std::string(screenshotPrefix) + "-finish").c_str());
    session.Click(btnCancel);
    MessageBoxSeen closing = session.WaitForMessageBox();
    ASSERT_NE(closing.box, nullptr);
    session.Answer(closing, IDOK);
    ASSERT_EQ(session.WaitForExit(), 0u);
}

std::string UninstallString()
{
    return ReadString(HKEY_LOCAL_MACHINE, kSystemEntry, "UninstallString");
}

// The uninstaller's exit code after a run without questions.
DWORD RunSilently(const std::string& arguments, MessageBoxSeen* box = nullptr)
{
    WizardSession session("");
    if (!session.StartCommand(UninstallerPath() + " " + arguments, kUninstallerClass))
        return 0xFFFFFFFF;
    if (box != nullptr) {
        *box = session.WaitForMessageBox();
        if (box->box != nullptr)
            session.Answer(*box, IDOK);
    }
    return session.WaitForExit();
}

struct AskedRemoval {
    std::string question;
    std::string closing;
    DWORD exitCode = STILL_ACTIVE;
};

// The system's way: the uninstall command as recorded, Yes to the question
// and OK to the closing message, which ends the program.
AskedRemoval RemoveAsTheSystemDoes(const std::string& commandLine, const char* screenshotPrefix = nullptr)
{
    AskedRemoval removal;
    WizardSession session("");
    if (!session.StartCommand(commandLine, kUninstallerClass))
        return removal;
    MessageBoxSeen question = session.WaitForMessageBox();
    if (question.box == nullptr)
        return removal;
    removal.question = question.text;
    if (screenshotPrefix != nullptr)
        session.SaveScreenshot(question.box, (std::string(screenshotPrefix) + "-1-question").c_str());
    session.Answer(question, IDYES);
    HWND window = session.WaitForMainWindow();
    // While Cancel is still offered, before the removal begins.
    if (screenshotPrefix != nullptr && window != nullptr) {
        EXPECT_EQ(session.Text(stcStatus), TableString(IDS_U_PREPARING));
        EXPECT_EQ(session.Text(btnCancelClose), TableString(IDS_U_CANCEL));
        session.SaveScreenshot((std::string(screenshotPrefix) + "-2-progress").c_str());
    }
    MessageBoxSeen closing = session.WaitForMessageBox(60000);
    removal.closing = closing.text;
    if (closing.box == nullptr)
        return removal;
    if (screenshotPrefix != nullptr)
        session.SaveScreenshot(closing.box, (std::string(screenshotPrefix) + "-3-closing").c_str());
    session.Answer(closing, IDOK);
    removal.exitCode = session.WaitForExit();   // the closing message's OK is the only ending
    return removal;
}

class Uninstaller : public testing::Test {
protected:
    // Each test starts from a machine without the product.
    void SetUp() override
    {
        DeleteTree(Destination());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductRecord);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSystemEntry);
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunOnce, "TWRestart");
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "KestrelCore.Library");
        // Windows always has the shared-library key; counts left by an
        // earlier test would make the library look shared.
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSharedLibraries);
        HKEY shared;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedLibraries, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &shared, nullptr);
        RegCloseKey(shared);
    }
};

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

    // Intended leftovers: the uninstaller's own two copies, shared by every
    // product; the font, which the sample's list file does not record for
    // removal (with its font value); the shell's own settings key that Wine's
    // shell makes on first use; and this test's own temporary files.
    const std::vector<std::string> leftovers = {
        "\\KSUninst.exe", "\\TWUninst.exe", "KestrelSans.ttf", "Kestrel Sans",
        "[HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced]", "\\Temp\\", "wizard-run-",
    };
    std::vector<std::string> differences = Differences(before, Snapshot(), leftovers);
    std::string listed;
    for (const std::string& line : differences)
        listed += line + "\n";
    EXPECT_TRUE(differences.empty()) << listed;
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

TEST_F(Uninstaller, TheWizardRemovesAnOlderVersionWithTheRealUninstaller)
{
    InstallSample();
    // What the older version installed: a file the new one no longer has.
    std::string old = Destination() + "\\Antic.txt";
    HANDLE file = CreateFileA(old.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_READONLY, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    WriteString(HKEY_LOCAL_MACHINE, kUninstallRecord, "Version", "0.9");
    WriteString(HKEY_LOCAL_MACHINE, kUninstallRecord, "File7", "Antic.txt,0");
    WriteString(HKEY_LOCAL_MACHINE, kUninstallRecord, "Files", "7");

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
    EXPECT_EQ(session.WaitForExit(), 0u);
    EXPECT_TRUE(Exists(Destination() + "\\Kestrel.exe"));
    EXPECT_FALSE(Exists(old));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallRecord, "Version"), "1.0");
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
    InstallSample();
    // What the wizard leaves when the library was in use: the new copy waits
    // beside it for the restart, unregistered, and the restart data names it.
    std::string library = Destination() + "\\KestrelCore.dll";
    std::string waiting = Destination() + "\\KestrelCore.tmp";
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "KestrelCore.Library");
    ASSERT_TRUE(CopyFileA(library.c_str(), waiting.c_str(), FALSE));
    ASSERT_TRUE(MoveFileExA(waiting.c_str(), library.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT));
    std::string restartKey = std::string(kProductRecord) + "\\Restart";
    WriteString(HKEY_LOCAL_MACHINE, restartKey, "Registers", "1");
    WriteString(HKEY_LOCAL_MACHINE, restartKey, "Register1", library);
    WriteString(HKEY_LOCAL_MACHINE, restartKey, "DeleteKey", "0");
    WriteString(HKEY_LOCAL_MACHINE, restartKey, "DeleteDir", "");
    WriteString(HKEY_LOCAL_MACHINE, kRunOnce, "TWRestart", UninstallerPath() + " /R Kestrel");

    char command[] = "wineboot.exe -r";
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION boot = {};
    ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &boot));
    EXPECT_EQ(WaitForSingleObject(boot.hProcess, 120000), WAIT_OBJECT_0);
    CloseHandle(boot.hThread);
    CloseHandle(boot.hProcess);

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
            EXPECT_EQ(RunSilently("/S Kestrel", &box), 2u);
            EXPECT_EQ(box.text, TableString(IDS_U_DAMAGED_RECORD) + " " + row.name + ".");
            EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallRecord)) << "nothing changed";
        } else {
            AskedRemoval removal = RemoveAsTheSystemDoes(UninstallerPath() + " Kestrel");
            EXPECT_EQ(removal.exitCode, 2u);
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
            EXPECT_EQ(RunSilently("/S Kestrel", &box), 2u);
            EXPECT_EQ(box.text, TableString(IDS_U_DAMAGED_RECORD) + " Path.");
            EXPECT_TRUE(Exists(canary));
        }
        DeleteFileA(canary.c_str());
    }
}

TEST_F(Uninstaller, CommandLinesItCannotUseGetAMessageAndChangeNothing)
{
    for (const char* arguments : {"", "/X Kestrel", "/S", "/S NoSuchProduct"}) {
        SCOPED_TRACE(arguments);
        MessageBoxSeen box;
        EXPECT_EQ(RunSilently(arguments, &box), 2u);
        EXPECT_NE(box.text.find(TableString(IDS_U_USAGE)), std::string::npos) << box.text;
    }
    EXPECT_EQ(RunSilently("/R NoSuchProduct"), 0u) << "nothing left for the next start is not a failure";
}

}  // namespace
