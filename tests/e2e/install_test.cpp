// Runs of the wizard through the install itself.
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "base/portable/exit_codes.h"
#include "e2e_fixture.h"
#include "registry_dump.h"
#include "screenshot.h"
#include "test_package.h"
#include "test_environment.h"
#include "wizard_wine_settings.h"
#include "wizard/control_ids.h"

namespace {

const char kProductRecord[] = "SOFTWARE\\TWC Products\\Kestrel";
const char kSystemEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kestrel";
const char kFileExts[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
const char kSharedLibraries[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const char kShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kPendingRenames[] = "PendingFileRenameOperations";

std::string Destination()
{
    return ShellFolder(CSIDL_PROGRAM_FILES) + "\\Kestrel";
}

// A string value, or each string of a list joined by "|"; empty when missing.
std::string RegistryText(HKEY root, const char* key, const char* name)
{
    char data[4096] = "";
    DWORD size = sizeof data;
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return "";
    if (RegQueryValueExA(opened, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        size = 0;
    RegCloseKey(opened);
    std::string text(data, size);
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    for (char& c : text)
        c = c == '\0' ? '|' : c;
    return text;
}

std::string WininitPath()
{
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\WININIT.INI";
}

// The "Rename" section of WININIT.INI, one "target=source" line per entry.
std::string WininitRenames()
{
    char section[4096] = "";
    DWORD length = GetPrivateProfileSectionA("Rename", section, sizeof section, WininitPath().c_str());
    std::string lines;
    for (const char* entry = section; entry < section + length && *entry != '\0'; entry += strlen(entry) + 1)
        lines += std::string(entry) + "\n";
    return lines;
}

std::string ShortForm(const std::string& path)
{
    char shortPath[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return shortPath;
}

class Install : public EndToEnd {
protected:
    // Each run starts from a machine without the product.
    void SetUp() override
    {
        DeleteTree(Destination());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductRecord);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSystemEntry);
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "TWRestart");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames);
        DeleteFileA(WininitPath().c_str());
        // Windows always has the shared-library key (the install never creates it).
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSharedLibraries);
        HKEY shared;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedLibraries, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &shared, nullptr);
        RegCloseKey(shared);
    }

    // Walks from the welcome page to the summary, checking each page.
    void WalkToSummary(WizardSession& session, const char* prefix)
    {
        ASSERT_TRUE(session.Start());
        ASSERT_NE(session.WaitForMainWindow(), nullptr);
        // The window shows while the package is unpacked; the unpacking ends
        // with a pause of 600 ms, which leaves time to see that page.
        if (session.Text(btnCancel) != TableString(10031))
            session.SaveScreenshot((std::string(prefix) + "-0-unpacking").c_str());
        ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
        Shot(session, prefix, "1-welcome");
        session.Click(btnNext);
        ASSERT_TRUE(session.WaitForShown(grpDestinationPage, true));
        EXPECT_EQ(session.Text(stcDestDir), Destination());
        Shot(session, prefix, "2-destination");
        session.Click(btnNext);
        ASSERT_TRUE(session.WaitForShown(grpUserPage, true));
        session.Type(edtUserName, "Anna Puig");
        session.Type(edtOrganization, "Tallers Puig");
        Shot(session, prefix, "3-user");
        session.Click(btnNext);
        ASSERT_TRUE(session.WaitForShown(grpGroupPage, true));
        EXPECT_EQ(session.Text(edtGroupName), "Kestrel 1.0");
        Shot(session, prefix, "4-group");
        session.Click(btnNext);
        ASSERT_TRUE(session.WaitForShown(grpOptionsPage, true));
        EXPECT_TRUE(session.IsChecked(chkProject));
        EXPECT_TRUE(session.IsChecked(chkWindow));
        Shot(session, prefix, "5-options");
        session.Click(btnNext);
        ASSERT_TRUE(session.WaitForShown(grpSummaryPage, true));
        EXPECT_EQ(session.Text(btnNext), TableString(10037));
        EXPECT_EQ(session.Text(edtSummary), TableString(10044) + "Anna Puig\r\n\r\n" + TableString(10049)
                                           + "Tallers Puig\r\n\r\n" + TableString(10038) + Destination()
                                           + "\r\n\r\n" + TableString(10052) + "Kestrel 1.0");
        Shot(session, prefix, "6-summary");
    }

    static void Shot(WizardSession& session, const char* prefix, const char* page)
    {
        session.SaveScreenshot((std::string(prefix) + "-" + page).c_str());
    }

    // Finish: the closing message first, then the wizard ends.
    static void Finish(WizardSession& session)
    {
        session.Click(btnCancel);
        MessageBoxSeen closing = session.WaitForMessageBox();
        ASSERT_NE(closing.box, nullptr);
        EXPECT_EQ(closing.text, Ansi("Gràcies per provar Kestrel."));
        session.Answer(closing, IDOK);
    }
};

// The sample's files that the copy puts in place, in kilobytes rounded up:
// the font only when the machine did not have it yet.
unsigned long InstalledKilobytes(bool withFont)
{
    unsigned long long bytes = 0;
    for (const char* name : {"Kestrel.exe", "KestrelCore.dll", "Hola.kst", "Finestra.kst", "Llegiume.txt",
                             "Kestrel.chm", "KestrelSans.ttf"}) {
        if (std::strcmp(name, "KestrelSans.ttf") != 0 || withFont)
            bytes += ReadBytes(BuildFile((std::string("sample\\files\\") + name).c_str())).size();
    }
    return static_cast<unsigned long>((bytes + 1023) / 1024);
}

std::string RegistryDump(unsigned long installedKilobytes)
{
    std::ostringstream out;
    DumpKey(out, HKEY_LOCAL_MACHINE, "HKLM", kProductRecord);
    DumpKey(out, HKEY_LOCAL_MACHINE, "HKLM", kSystemEntry);
    for (const char* key : {".kst", "Kestrel.Project", ".ksw", "Kestrel.Window"})
        DumpKey(out, HKEY_CLASSES_ROOT, "HKCR", key);
    for (const char* extension : {".kst", ".ksw"})
        DumpKey(out, HKEY_CURRENT_USER, "HKCU", std::string(kFileExts) + "\\" + extension);
    DumpKey(out, HKEY_LOCAL_MACHINE, "HKLM", kSharedLibraries);
    std::string text = out.str();
    // The machine's own folders vary; the golden file names them.
    char shortDestination[MAX_PATH] = "";
    GetShortPathNameA(Destination().c_str(), shortDestination, sizeof shortDestination);
    for (auto [folder, name] : {std::pair{Destination(), std::string("<Destination>")},
                                std::pair{std::string(shortDestination), std::string("<ShortDestination>")},
                                std::pair{"=\"" + Today() + "\"", std::string("=\"<Today>\"")},
                                std::pair{"EstimatedSize=dword:" + std::to_string(installedKilobytes),
                                          std::string("EstimatedSize=dword:<InstalledKilobytes>")}}) {
        for (size_t at; !folder.empty() && (at = text.find(folder)) != std::string::npos;)
            text.replace(at, folder.size(), name);
    }
    return text;
}

TEST_F(Install, AFullInstallOfTheSampleProduct)
{
    const bool fontWasThere = Exists(ShellFolder(CSIDL_FONTS) + "\\KestrelSans.ttf");
    WizardSession session(SamplePackage());
    WalkToSummary(session, "e2e-install");
    session.Click(btnNext);
    ASSERT_TRUE(session.WaitForText(stcCurrentTask, TableString(10039), 60000));
    EXPECT_EQ(session.Text(btnCancel), TableString(10008));
    Shot(session, "e2e-install", "7-installing");
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10035), 120000)) << "the finish page";
    EXPECT_EQ(session.Text(Static1), "Kestrel 1.0 " + TableString(10041));
    EXPECT_EQ(session.Text(stcFinishHint), TableString(10036));
    EXPECT_FALSE(session.IsShown(radRebootNow));
    Shot(session, "e2e-install", "8-finish");
    Finish(session);
    EXPECT_EQ(session.WaitForExit(), kExitDone);

    for (const char* file : {"Kestrel.exe", "KestrelCore.dll", "Llegiume.txt", "Kestrel.chm",
                             "Exemples\\Hola.kst", "Exemples\\Finestra.kst"})
        EXPECT_TRUE(Exists(Destination() + "\\" + file)) << file;
    EXPECT_TRUE(Exists(ShellFolder(CSIDL_FONTS) + "\\KestrelSans.ttf"));
    std::string dump = RegistryDump(InstalledKilobytes(!fontWasThere));
    EXPECT_EQ(dump, GoldenText("tests/e2e/golden/full_install.txt", dump));

    std::string programs = Exists(ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Kestrel 1.0")
                               ? ShellFolder(CSIDL_COMMON_PROGRAMS)
                               : ShellFolder(CSIDL_PROGRAMS);
    EXPECT_TRUE(Exists(programs + "\\Kestrel 1.0\\Kestrel.lnk"));
    EXPECT_TRUE(Exists(programs + "\\Kestrel 1.0\\Llegiu-me.lnk"));

    // Windows 95 puts the link on the user's own desktop; later systems on
    // the desktop of every user, the install being for the whole machine.
    std::string userDesktop = RegistryText(HKEY_CURRENT_USER, kShellFolders, "Desktop");
    std::string commonDesktop = ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY);
    ASSERT_NE(userDesktop, "");
    ASSERT_NE(userDesktop, commonDesktop);
    EXPECT_TRUE(Exists((OnWindows95() ? userDesktop : commonDesktop) + "\\Kestrel.lnk"));
    EXPECT_FALSE(Exists((OnWindows95() ? commonDesktop : userDesktop) + "\\Kestrel.lnk"));

    // The run ends as the demo does: the installed Kestrel showing the sample
    // document, opened through the shell as a double click opens it.
    ASSERT_TRUE(OpenThroughTheShell(Destination() + "\\Exemples\\Hola.kst"));
    HWND frame = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        frame = VisibleKestrelFrame();
        HWND client = frame != nullptr ? FindWindowExA(frame, nullptr, "KSMDICLIENT", nullptr) : nullptr;
        return client != nullptr && GetWindow(client, GW_CHILD) != nullptr && LooksPainted(frame);
    }, 60000)) << "Kestrel shows the document";
    if (frame != nullptr)
        SaveScreenshot(frame, "e2e-install-9-kestrel");
    EXPECT_TRUE(CloseKestrel());
}

struct VisibleCount {
    DWORD processId;
    int visible;
};

BOOL CALLBACK CountIfVisible(HWND window, LPARAM data)
{
    auto* count = reinterpret_cast<VisibleCount*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == count->processId && IsWindowVisible(window))
        ++count->visible;
    return TRUE;
}

// How many top-level windows of the process are visible now.
int VisibleWindowsOf(DWORD processId)
{
    VisibleCount count = {processId, 0};
    EnumWindows(CountIfVisible, reinterpret_cast<LPARAM>(&count));
    return count.visible;
}

// Whether the bytes are UTF-8 throughout.
bool IsUtf8(const std::string& bytes)
{
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                               0) > 0;
}

// A deployment tool's run, with the answers typed in the clicked one, started
// from another folder than the package's: the same files and values, no
// window of the wizard at any moment, and a log of what it did.
TEST_F(Install, AVerySilentInstallIsTheClickedOneWithoutAWindow)
{
    const bool fontWasThere = Exists(ShellFolder(CSIDL_FONTS) + "\\KestrelSans.ttf");
    WizardSession session(SamplePackage());
    const std::string log = session.folder() + "\\deploy.log";
    ASSERT_TRUE(session.StartCommand("\"" + session.folder() + "\\Instal.exe\" /VERYSILENT /NAME=\"Anna Puig\" "
                                     "/COMPANY=\"Tallers Puig\" /LOG=\"" + log + "\"", "none"));
    int windowsSeen = 0;
    DWORD exitCode;
    while ((exitCode = session.WaitForExit(20)) == STILL_ACTIVE)
        windowsSeen += VisibleWindowsOf(session.processId());
    EXPECT_EQ(exitCode, kExitDone);
    EXPECT_EQ(windowsSeen, 0);
    std::string programs = Exists(ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Kestrel 1.0")
                               ? ShellFolder(CSIDL_COMMON_PROGRAMS)
                               : ShellFolder(CSIDL_PROGRAMS);
    EXPECT_TRUE(Exists(programs + "\\Kestrel 1.0\\Kestrel.lnk")) << "the group, without the pauses";

    std::string text = ReadBytes(log);
    EXPECT_TRUE(IsUtf8(text));
    for (const std::string& line :
         {std::string("\r\nCommand line: "), std::string("\r\nWindows: "), std::string("\r\nUser: "),
          std::string("\r\nStarted: "), std::string("\r\nProduct: Kestrel 1.0\r\n"),
          "\r\nAnswer Dir=" + Destination() + " (default)\r\n", std::string("\r\nAnswer Name=Anna Puig (command line)\r\n"),
          std::string("\r\nAnswer Group=Kestrel 1.0 (default)\r\n"),
          "\r\nFile copied (none was there): " + Destination() + "\\Kestrel.exe\r\n",
          std::string("\r\nRegistry value set: HKLM\\SOFTWARE\\TWC Products\\Kestrel\\Uninstall [Path]\r\n"),
          std::string("\r\nProgram group: Kestrel 1.0 (Kestrel, Llegiu-me)\r\n"),
          std::string("\r\nDesktop link: made\r\n")})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.substr(text.rfind("\r\n", text.size() - 3)), "\r\nExit code: 0\r\n");
    // The font's folder is spelled as the list's macro gives it, in any case.
    std::string font = (fontWasThere ? "\r\nFile kept (a font the machine has): " : "\r\nFile copied (none was there): ")
                       + ShellFolder(CSIDL_FONTS) + "\\KestrelSans.ttf\r\n";
    CharLowerA(&text[0]);
    CharLowerA(&font[0]);
    EXPECT_NE(text.find(font), std::string::npos) << font;
    for (const char* file : {"Kestrel.exe", "KestrelCore.dll", "Llegiume.txt", "Exemples\\Hola.kst"})
        EXPECT_TRUE(Exists(Destination() + "\\" + file)) << file;
    std::string dump = RegistryDump(InstalledKilobytes(!fontWasThere));
    EXPECT_EQ(dump, GoldenText("tests/e2e/golden/full_install.txt", dump));
}

// A silent run that cannot go on ends with the code a tool acts on, and
// changes nothing: the product running, another run holding the product,
// an answer the page would refuse.
TEST_F(Install, ASilentRunThatCannotGoOnEndsWithItsCode)
{
    struct Case { const char* what; const char* arguments; DWORD exitCode; };
    const Case cases[] = {
        {"Kestrel runs", "/VERYSILENT", kExitProductRunning},
        {"a wizard of the product runs", "/VERYSILENT", kExitAnotherRun},
        {"a relative folder", "/SILENT /DIR=Kestrel", kExitBadCommandLine},
        {"a log that cannot be made", "/VERYSILENT /LOG=\"C:\\no such folder\\k.log\"", kExitFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WNDCLASSA frameClass = {};
        frameClass.lpfnWndProc = DefWindowProcA;
        frameClass.hInstance = GetModuleHandleA(nullptr);
        frameClass.lpszClassName = kKestrelFrameClass;
        RegisterClassA(&frameClass);
        HWND running = c.exitCode == kExitProductRunning
                           ? CreateWindowExA(0, kKestrelFrameClass, "Kestrel", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                             nullptr, frameClass.hInstance, nullptr)
                           : nullptr;
        WizardSession first(SamplePackage());
        if (c.exitCode == kExitAnotherRun) {
            ASSERT_TRUE(first.Start());
            ASSERT_TRUE(first.WaitForMainWindow() && first.WaitForText(btnCancel, TableString(10031)));
        }
        WizardSession session(SamplePackage());
        ASSERT_TRUE(session.Start(c.arguments));
        EXPECT_EQ(session.WaitForExit(), c.exitCode);
        EXPECT_FALSE(Exists(Destination()));
        EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, (std::string(kProductRecord) + "\\Uninstall").c_str(), "Path"), "");
        if (running != nullptr)
            DestroyWindow(running);
        if (c.exitCode == kExitAnotherRun) {
            first.Click(btnCancel);
            EXPECT_EQ(first.WaitForExit(), kExitCancelled);
        }
    }
}

// A thousand small files: a copy long enough for something to land in it.
std::string ManyFilesPackage()
{
    std::vector<PackagedFile> files;
    for (int i = 0; i < 1000; ++i)
        files.push_back({"<AppDir>", "Part" + std::to_string(i) + ".txt", "part"});
    return WriteTestPackage(files, HonestTotal(files));
}

// A silent install killed anywhere is finished by the same command run
// again: its start undoes the interrupted one, without a box, and logs it.
TEST_F(Install, AKilledSilentInstallIsFinishedByTheSameCommand)
{
    const std::string journal = ShellFolder(CSIDL_WINDOWS) + "\\KestrelTest.jnl";
    const std::string destination = TestProductDestination();
    struct Point { const char* what; std::function<bool()> reached; };
    const Point points[] = {
        {"unpacking", [&] { return Exists(journal); }},
        {"copying", [&] { return Exists(destination + "\\Part10.txt"); }},
    };
    for (const Point& point : points) {
        SCOPED_TRACE(point.what);
        RemoveTestProduct();
        WizardSession session(ManyFilesPackage());
        const std::string log = session.folder() + "\\again.log";
        ASSERT_TRUE(session.Start("/VERYSILENT"));
        ASSERT_TRUE(WaitUntil(point.reached, 60000));
        session.Kill();
        ASSERT_TRUE(session.Start("/VERYSILENT /LOG=\"" + log + "\""));
        EXPECT_EQ(session.WaitForExit(), kExitDone);
        EXPECT_TRUE(Exists(destination + "\\Part999.txt"));
        EXPECT_FALSE(Exists(journal));
        std::string text = ReadBytes(log);
        std::size_t message = text.find("\r\nMessage 10071: ");
        ASSERT_NE(message, std::string::npos) << text.substr(0, 600);
        std::string line = text.substr(message + 2, text.find("\r\n", message + 2) - message - 2);
        EXPECT_EQ(Ansi(line.c_str()), "Message 10071: " + TableString(10071) + " [OK]") << "in UTF-8";
    }
    RemoveTestProduct();
}

// /SILENT shows one small window: the task, the bar and Cancel, which asks
// nothing; the copy rolls back.
TEST_F(Install, ASilentInstallCancelledInItsCopyLeavesTheMachineAsBefore)
{
    RemoveTestProduct();
    WizardSession session(ManyFilesPackage());
    ASSERT_TRUE(session.Start("/SILENT"));
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (window = FindWindowA("InstalQuietProgress", nullptr)) != nullptr; }, 30000));
    ASSERT_TRUE(WaitUntil([&] {
        char task[256] = "";
        GetWindowTextA(GetDlgItem(window, 1), task, sizeof task);
        return task == TableString(10039);
    }, 60000)) << "the copy";
    PostMessageA(GetDlgItem(window, 3), BM_CLICK, 0, 0);
    EXPECT_EQ(session.WaitForExit(), kExitCancelled);
    EXPECT_EQ(session.WaitForMessageBox(0).box, nullptr) << "no question";
    EXPECT_FALSE(Exists(TestProductDestination())) << "no file and no folder left behind";
    RemoveTestProduct();
}

// A file that takes seconds to copy, so the Cancel always lands in the copy.
TEST_F(Install, CancelDuringTheCopyRollsEverythingBack)
{
    RemoveTestProduct();
    WizardSession session(BigTestPackage());
    ASSERT_TRUE(StartTestInstall(session));
    session.Click(btnCancel);
    ASSERT_TRUE(AgreeToCancel(session, "e2e-cancel-7-rolled-back"));
    EXPECT_EQ(session.WaitForExit(), kExitCancelled);
    EXPECT_FALSE(Exists(TestProductDestination())) << "no file and no folder left behind";
    RemoveTestProduct();
}

TEST_F(Install, FilesInUseLeadToTheRestartChoice)
{
    CreateDirectoryA(Destination().c_str(), nullptr);
    std::string held = Destination() + "\\Llegiume.txt";
    HANDLE file = CreateFileA(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);

    WizardSession session(SamplePackage());
    WalkToSummary(session, "e2e-in-use");
    session.Click(btnNext);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10035), 120000));
    EXPECT_EQ(session.Text(stcFinishHint), TableString(10042));
    EXPECT_TRUE(session.IsShown(radRebootNow));
    EXPECT_TRUE(session.IsShown(radRebootLater));
    EXPECT_TRUE(session.IsChecked(radRebootNow));
    Shot(session, "e2e-in-use", "8-finish-restart");
    CloseHandle(file);

    session.Click(radRebootLater);
    ASSERT_TRUE(WaitUntil([&] { return session.IsChecked(radRebootLater); }, 5000));
    Finish(session);
    MessageBoxSeen reminder = session.WaitForMessageBox();
    ASSERT_NE(reminder.box, nullptr);
    EXPECT_EQ(reminder.text, TableString(10050) + " Kestrel.");
    EXPECT_EQ(reminder.owner, nullptr);
    session.SaveScreenshot(reminder.box, "e2e-in-use-reminder");
    session.Answer(reminder, IDOK);
    EXPECT_EQ(session.WaitForExit(), kExitRestartNeeded);
    std::string waiting = Destination() + "\\Llegiume.tmp";
    EXPECT_TRUE(Exists(waiting)) << "the new file waits beside the one in use";

    // The 9x family renames at its next start what WININIT.INI lists, in
    // short form; the NT family keeps the renames in the registry (the
    // target by its real, long name: the file keeps it after the restart).
    if (OnWindows9x()) {
        EXPECT_EQ(ShortForm(held).find(' '), std::string::npos) << ShortForm(held);
        EXPECT_EQ(WininitRenames(), ShortForm(held) + "=" + ShortForm(waiting) + "\n");
        EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames), "");
    } else {
        EXPECT_EQ(WininitRenames(), "");
        EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames),
                  "\\??\\" + waiting + "|!\\??\\" + held);
    }
}

// A stand-in for the help viewer logs how it is started: once, with the
// last help file of the list.
TEST_F(Install, TheHelpViewerStartsOnceWithTheLastHelpFile)
{
    RemoveTestProduct();
    const std::string viewer = WininitPath().substr(0, WininitPath().rfind('\\')) + "\\hh.exe";
    const std::string log = TempFolder() + "help-viewer.log";
    const std::string viewerBytes = ReadBytes(viewer);
    DeleteFileA(log.c_str());
    ASSERT_TRUE(CopyFileA(BuildFile("fake_uninstaller.exe").c_str(), viewer.c_str(), FALSE));
    SetEnvironmentVariableA("INSTAL_FAKE_LOG", log.c_str());
    std::vector<PackagedFile> files = {{"<AppDir>", "Primer.chm", "first"}, {"<AppDir>", "Segon.chm", "second"}};
    WizardSession session(WriteTestPackage(files, HonestTotal(files)));
    ASSERT_TRUE(StartTestInstall(session));
    EXPECT_TRUE(session.WaitForText(btnCancel, TableString(10035), 120000)) << "the finish page";
    EXPECT_TRUE(WaitUntil([&] { return !ReadBytes(log).empty(); }, 30000)) << "the viewer was started";
    session.Click(btnCancel);
    EXPECT_EQ(session.WaitForExit(), kExitDone);
    SetEnvironmentVariableA("INSTAL_FAKE_LOG", nullptr);
    WriteBytes(viewer, viewerBytes);
    std::string logged = ReadBytes(log);
    EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 1) << logged;
    EXPECT_NE(logged.find("\\Segon.chm"), std::string::npos) << logged;
    RemoveTestProduct();
}

// The shortcuts lying directly in the Start menu's programs folder.
std::string LinksInPrograms()
{
    std::string links;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((ShellFolder(CSIDL_PROGRAMS) + "\\*.lnk").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        links += std::string(found.cFileName) + "|";
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return links;
}

// Empty names are accepted and stored empty, and a group without a name is
// not made. The destination chosen after the options page was seen is the
// one that the associations name.
TEST_F(Install, EmptyNamesAndADestinationChosenAfterTheOptions)
{
    const std::string linksBefore = LinksInPrograms();
    WizardSession session(SamplePackage());
    ASSERT_TRUE(session.Start());
    ASSERT_NE(session.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
    for (int page : {grpDestinationPage, grpUserPage, grpGroupPage, grpOptionsPage}) {
        session.Click(btnNext);
        ASSERT_TRUE(session.WaitForShown(page, true));
        session.Type(edtUserName, "");
        session.Type(edtOrganization, "");
        session.Type(edtGroupName, "");
    }
    for (int page : {grpGroupPage, grpUserPage, grpDestinationPage}) {
        session.Click(btnPrevious);
        ASSERT_TRUE(session.WaitForShown(page, true));
    }
    session.Click(btnBrowse);
    HWND browser = WaitForBrowser(session, Destination());
    ASSERT_NE(browser, nullptr);
    // Whatever folder comes next in the tree: a new one, joined with the product's name.
    SelectNextFolder(browser);
    std::string chosen;
    ASSERT_TRUE(WaitUntil([&] {
        chosen = FolderToBeUsed(browser, "Kestrel");
        return !chosen.empty() && chosen != Destination();
    }, 10000));
    ASSERT_FALSE(Exists(chosen)) << chosen;
    CloseBrowser(browser, IDOK);
    ASSERT_TRUE(session.WaitForText(stcDestDir, chosen));
    for (int page : {grpUserPage, grpGroupPage, grpOptionsPage, grpSummaryPage}) {
        session.Click(btnNext);
        ASSERT_TRUE(session.WaitForShown(page, true));
    }
    session.Click(btnNext);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10035), 120000)) << "the finish page";
    Finish(session);
    EXPECT_EQ(session.WaitForExit(), kExitDone);

    const std::string user = std::string(kProductRecord) + "\\User";
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, user.c_str(), "Name"), "");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, user.c_str(), "Organization"), "");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, (std::string(kProductRecord) + "\\Uninstall").c_str(), "Group"), "");
    EXPECT_EQ(LinksInPrograms(), linksBefore) << "no item landed among the programs";
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "Kestrel.Project\\DefaultIcon", nullptr), chosen + "\\Kestrel.exe,0");
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "Kestrel.Window\\shell\\open\\command", nullptr),
              "\"" + chosen + "\\Kestrel.exe\" \"%1\"");
    DeleteTree(chosen);
}

TEST_F(Install, AnEarlierInstallationIsDeclinedOrRemoved)
{
    CreateDirectoryA(Destination().c_str(), nullptr);
    std::string record = std::string(kProductRecord) + "\\Uninstall";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, record.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr), ERROR_SUCCESS);
    for (auto [name, value] : {std::pair{"Name", std::string("Kestrel")}, std::pair{"Version", std::string("0.9")},
                               std::pair{"Language", Ansi("Català")}, std::pair{"Path", Destination()}})
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    const std::string question = TableString(10001) + " Kestrel 0.9 (" + Ansi("Català") + ") " + TableString(10002)
                                 + Destination() + TableString(10003) + " Kestrel 1.0 (" + Ansi("Català") + ")?";
    {
        WizardSession session(SamplePackage());
        ASSERT_TRUE(session.Start());
        MessageBoxSeen box = session.WaitForMessageBox();
        ASSERT_NE(box.box, nullptr);
        EXPECT_EQ(box.text, question);
        session.SaveScreenshot(box.box, "e2e-previous-installation");
        session.Answer(box, IDNO);
        EXPECT_EQ(session.WaitForExit(), kExitCancelled) << "declining ends the wizard";
    }
    {
        WizardSession session(SamplePackage());
        ASSERT_TRUE(session.Start());
        MessageBoxSeen box = session.WaitForMessageBox();
        ASSERT_NE(box.box, nullptr);
        session.Answer(box, IDYES);
        ASSERT_NE(session.WaitForMainWindow(), nullptr);
        EXPECT_TRUE(session.WaitForShown(grpWelcomePage, true)) << "the uninstaller ran and the wizard goes on";
        session.Click(btnCancel);
        EXPECT_EQ(session.WaitForExit(), kExitCancelled);
    }
}

// Libraries that the wizard or the system libraries it uses load by name and
// that are not known libraries, so that Windows looks for them beside the
// program first. Two such libraries cannot be tried under Wine: its own
// user32 imports version.dll, and its comctl32 loads uxtheme.dll as it
// starts, so under a native-first setting any program with windows and common
// controls loads those two beside it before its first instruction (Windows'
// user32 does not import the one, and its comctl32 loads the other on first
// use). That the wizard imports neither is shown by its import table.
const char* const kPlantedNames[] = {"riched20", "riched32", "msftedit", "dwmapi", "shfolder"};

bool PlantLibraries(const std::string& folder)
{
    for (const char* name : kPlantedNames) {
        std::string planted = std::string("planted\\") + name + ".dll";
        if (!CopyFileA(BuildFile(planted.c_str()).c_str(), (folder + "\\" + name + ".dll").c_str(), FALSE))
            return false;
    }
    return true;
}

// The planted libraries that left their trace: a process loaded them.
std::string LoadedPlantedLibraries(const std::string& folder)
{
    std::string loaded;
    for (const char* name : kPlantedNames) {
        if (Exists(folder + "\\" + name + ".dll.loaded"))
            loaded += std::string(name) + " ";
    }
    return loaded;
}

void RemovePlantedLibraries(const std::string& folder)
{
    for (const char* name : kPlantedNames) {
        DeleteFileA((folder + "\\" + name + ".dll").c_str());
        DeleteFileA((folder + "\\" + name + ".dll.loaded").c_str());
    }
}

// A setup program is started from the folder it was downloaded to, beside
// whatever else was downloaded there.
// The pages start with the answers of the command line, those of the switches
// over those of the file; the install goes on with them, /SAVEINF keeps
// them, and a silent run given that file with /LOADINF makes the same install.
TEST_F(Install, AnswersOfTheCommandLineFillThePagesAndAreSaved)
{
    const std::string folder = Destination() + " Deploy";
    const std::string loaded = TempFolder() + "\\loaded.inf";
    const std::string saved = TempFolder() + "\\saved.inf";
    WriteBytes(loaded, "; from an earlier run\r\n[Setup]\r\nName=From the file\r\ncompany = Fusteria\r\nTasks=.ksw\r\n");
    for (bool clicked : {true, false}) {
        SCOPED_TRACE(clicked ? "clicked, /SAVEINF" : "/VERYSILENT /LOADINF");
        SetUp();
        WizardSession session(SamplePackage());
        if (clicked) {
            ASSERT_TRUE(session.Start("/LOADINF=\"" + loaded + "\" /name=\"Jordi Vila\" /DIR=\"" + folder +
                                      "\" /NOGROUP /TOOLSET=basalt /NORESTART /SAVEINF=\"" + saved + "\" /LOG=\"" +
                                      session.folder() + "\\clicked.log\""));
            ASSERT_NE(session.WaitForMainWindow(), nullptr);
            ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
            EXPECT_EQ(session.Text(stcDestDir), folder);
            EXPECT_EQ(session.Text(edtUserName), "Jordi Vila");
            EXPECT_EQ(session.Text(edtOrganization), "Fusteria");
            EXPECT_FALSE(session.IsChecked(chkProgramGroup));
            EXPECT_FALSE(session.IsChecked(chkProject));
            EXPECT_TRUE(session.IsChecked(chkWindow));
            EXPECT_FALSE(session.IsChecked(chkShortcut));
            EXPECT_TRUE(session.IsChecked(chkBasalt));
            EXPECT_FALSE(session.IsChecked(chkMasm32));
            ASSERT_TRUE(InstallThroughEveryPage(session));
            EXPECT_EQ(ReadBytes(saved), "[Setup]\r\nDir=" + folder +
                                            "\r\nName=Jordi Vila\r\nCompany=Fusteria\r\nNoGroup=1\r\nTasks=.ksw\r\n"
                                            "Toolset=Basalt\r\n");
        } else {
            ASSERT_TRUE(session.Start("/VERYSILENT /LOADINF=\"" + saved + "\""));
        }
        EXPECT_EQ(session.WaitForExit(), kExitDone);
        if (clicked) {
            // The closing message the user saw, and the code, are in the log.
            std::string log = ReadBytes(session.folder() + "\\clicked.log");
            EXPECT_NE(log.find(" [OK]\r\nExit code: 0\r\n"), std::string::npos) << log;
        }
        std::string record = std::string(kProductRecord) + "\\Uninstall";
        EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, record.c_str(), "Path"), folder);
        EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, record.c_str(), "Associate1"), ".ksw");
        EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, record.c_str(), "Associations"), "1");
        EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, record.c_str(), "Group"), "");
        EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, (std::string(kProductRecord) + "\\Settings").c_str(), "Basalt"),
                  "1");
        EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, (std::string(kProductRecord) + "\\User").c_str(), "Name"),
                  "Jordi Vila");
        EXPECT_TRUE(Exists(folder + "\\Kestrel.exe"));
        DeleteTree(folder);
    }
    DeleteFileA(loaded.c_str());
    DeleteFileA(saved.c_str());
}

TEST_F(Install, NoLibraryPlantedBesideTheWizardIsLoaded)
{
    WizardWineSettings wine;
    for (const char* name : kPlantedNames)
        ASSERT_TRUE(wine.SearchLikeWindows(name));
    WizardSession session(SamplePackage());
    ASSERT_TRUE(PlantLibraries(session.folder()));
    WalkToSummary(session, "e2e-planted");
    session.Click(btnNext);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10035), 120000)) << "the finish page";
    EXPECT_EQ(session.Text(stcFinishHint), TableString(10036));
    Finish(session);
    EXPECT_EQ(session.WaitForExit(), kExitDone);
    EXPECT_TRUE(Exists(Destination() + "\\KestrelCore.dll"));
    EXPECT_EQ(LoadedPlantedLibraries(session.folder()), "");

    // The control: in the same folder, under the same name (Wine's settings
    // are the wizard's by name), a program that does not narrow its search
    // loads every one of them.
    std::string loader = session.folder() + "\\Instal.exe";
    ASSERT_TRUE(CopyFileA(BuildFile("plain_loader.exe").c_str(), loader.c_str(), FALSE));
    std::string commandLine = "\"" + loader + "\"";
    for (const char* name : kPlantedNames)
        commandLine += std::string(" ") + name + ".dll";
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(LoadedPlantedLibraries(session.folder()), "riched20 riched32 msftedit dwmapi shfolder ");
    RemovePlantedLibraries(session.folder());
}

}  // namespace
