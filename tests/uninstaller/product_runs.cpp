#include "base/portable/exit_codes.h"
#include "product_runs.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "message_box_catcher.h"
#include "registry_dump.h"
#include "test_environment.h"
#include "uninstaller/uninstaller_ids.h"
#include "wizard/control_ids.h"

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

namespace {

// --- Snapshots of the machine: registry lines and file paths. ---

void DumpRegistry(HKEY root, const std::string& name, const std::string& path, std::set<std::string>& lines)
{
    WalkKey(root, name, path, [&](const std::string& key, const RegistryValue* value) {
        if (value == nullptr) {
            lines.insert("[" + key + "]");
            return;
        }
        const char* text = reinterpret_cast<const char*>(value->data);
        std::string data = value->type == REG_SZ || value->type == REG_EXPAND_SZ
                               ? std::string(text, strnlen(text, value->size))
                               : std::to_string(value->type) + ":" + std::to_string(value->size);
        lines.insert("[" + key + "] " + value->name + "=" + data);
    });
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

}  // namespace

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

bool ClickUpToInstall(WizardSession& session)
{
    if (session.WaitForMainWindow() == nullptr || !session.WaitForText(btnCancel, TableString(10031)))
        return false;
    for (int page : {grpDestinationPage, grpUserPage, grpGroupPage, grpOptionsPage, grpSummaryPage}) {
        session.Click(btnNext);
        if (!session.WaitForShown(page, true))
            return false;
    }
    session.Click(btnNext);
    return true;
}

void InstallSample(const char* screenshotPrefix)
{
    WizardSession session(BuildFile("sample\\_Data.001"));
    ASSERT_TRUE(session.Start());
    ASSERT_TRUE(ClickUpToInstall(session));
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10035), 120000)) << "the finish page";
    if (screenshotPrefix != nullptr)
        session.SaveScreenshot((std::string(screenshotPrefix) + "-finish").c_str());
    session.Click(btnCancel);
    MessageBoxSeen closing = session.WaitForMessageBox();
    ASSERT_NE(closing.box, nullptr);
    session.Answer(closing, IDOK);
    ASSERT_EQ(session.WaitForExit(), kExitDone);
}

std::string LibraryOfVersion09(std::string bytes)
{
    const std::string signature("\xBD\x04\xEF\xFE", 4);   // the fixed version information's
    std::size_t fixed = bytes.find(signature);
    if (fixed != std::string::npos)
        bytes.replace(fixed + 8, 4, std::string("\x09\x00\x00\x00", 4));
    return bytes;
}

bool RestartTheSystem()
{
    char command[] = "wineboot.exe -r";
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION boot = {};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &boot))
        return false;
    bool done = WaitForSingleObject(boot.hProcess, 120000) == WAIT_OBJECT_0;
    CloseHandle(boot.hThread);
    CloseHandle(boot.hProcess);
    return done;
}

std::string UninstallString()
{
    return ReadString(HKEY_LOCAL_MACHINE, kSystemEntry, "UninstallString");
}

DWORD RunSilently(const std::string& arguments, MessageBoxSeen* box)
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

AskedRemoval RemoveAsTheSystemDoes(const std::string& commandLine, const char* screenshotPrefix)
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

// Each test starts from a machine without the product.
void Uninstaller::SetUp()
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

const std::vector<std::string> kIntendedLeftovers = {
    "\\KSUninst.exe", "\\TWUninst.exe", "KestrelSans.ttf", "Kestrel Sans",
    "[HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced]", "\\Temp\\", "wizard-run-",
};

std::string Listed(const std::vector<std::string>& differences)
{
    std::string listed;
    for (const std::string& line : differences)
        listed += line + "\n";
    return listed;
}
