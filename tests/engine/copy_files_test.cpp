#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "engine/copy_files.h"
#include "engine/copy_with_times.h"
#include "engine/destinations.h"
#include "engine/file_version.h"
#include "engine/rollback.h"
#include "engine_fixture.h"
#include "base/registry.h"
#include "registration/settings_and_uninstall.h"
#include "resources/string_ids.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"

namespace {

// version_new.dll is 6.1.7600.16385, version_old.dll 1.2.3.4.
const char kNewHigh[] = "60001h";
const char kNewLow[] = "1DB04001h";
const char kOldHigh[] = "10002h";
const char kOldLow[] = "30004h";

std::string Line(const std::string& folder, const std::string& name, unsigned size, const char* high = "",
                 const char* low = "", int replace = 0, int selfRegister = 0)
{
    return folder + "," + name + "," + std::to_string(size) + "," + high + "," + low + "," +
           std::to_string(replace) + ",0," + std::to_string(selfRegister);
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

std::string SystemPath(const char* name)
{
    char path[MAX_PATH];
    GetSystemDirectoryA(path, sizeof path);
    return std::string(path) + "\\" + name;
}

std::string FontsPath(const char* name)
{
    return FontsFolder() + "\\" + name;
}

DWORD RegistrationCount(const std::string& path)
{
    DWORD count = 0;
    DWORD size = sizeof count;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\InstalTests\\SelfRegistered", LongForm(path).c_str(),
                 RRF_RT_REG_DWORD, nullptr, &count, &size);
    return count;
}

const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";

// The renames that the system will make at its next start, as Wine records them.
std::string PendingRenames()
{
    char data[8192] = {};
    DWORD size = sizeof data;
    RegGetValueA(HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr,
                 data, &size);
    std::string text(data, size);
    std::replace(text.begin(), text.end(), '\0', '|');
    return Upper(text);
}

// The files that the pending renames move over the target: upper case,
// without the system's "\\??\\" and "!" marks.
std::vector<std::string> RenamesTo(const std::string& target)
{
    std::vector<std::string> sources;
    const std::string bare = Upper(LongForm(target));
    std::istringstream parts(PendingRenames());
    for (std::string source, destination; std::getline(parts, source, '|') && std::getline(parts, destination, '|');) {
        if (destination.size() > bare.size() && destination.substr(destination.size() - bare.size()) == bare)
            sources.push_back(source.substr(source.find(':') - 1));
    }
    return sources;
}

// The folder's names but "." and "..", sorted, in upper case, each followed by "|".
std::string Listing(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        if (found.cFileName[0] != '.')
            names.push_back(Upper(found.cFileName) + "|");
    }
    FindClose(search);
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const std::string& name : names)
        listing += name;
    return listing;
}

// The paths in one field of the run's journal records of one kind, in long
// form and upper case. The run holds the journal open for writing.
std::vector<std::string> JournaledPaths(JournalKind kind, std::size_t field)
{
    HANDLE file = CreateFileA(g_wizard.job.journal.path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    std::vector<std::string> paths;
    for (const JournalRecord& record : ParseJournal(text.substr(0, read)).records) {
        if (record.kind == kind)
            paths.push_back(Upper(LongForm(record.fields[field])));
    }
    return paths;
}

struct Version {
    uint32_t ms;
    uint32_t ls;
};

Version ReportedVersion(const std::string& path)
{
    char block[260];
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, sizeof block, block) ||
        !VerQueryValueA(block, "\\", reinterpret_cast<void**>(&fixed), &length))
        return {0, 0};
    return {fixed->dwFileVersionMS, fixed->dwFileVersionLS};
}

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0%lXh", static_cast<unsigned long>(value));
    return text;
}

std::vector<WPARAM> g_barPositions;
WNDPROC g_barProc;
// The bar position at which the user presses Cancel; 0 for never.
WPARAM g_cancelAtPosition;
constexpr UINT kPressCancel = WM_APP + 1;

// Records the bar's positions. Once the bar reaches the cancel position, a
// press of Cancel is posted: like the user's, it is handled when the copy
// next dispatches its waiting messages.
LRESULT CALLBACK RecordBar(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kPressCancel) {
        g_wizard.cancel = 1;
        return 0;
    }
    if (message == PBM_SETPOS) {
        g_barPositions.push_back(wParam);
        if (g_cancelAtPosition != 0 && wParam >= g_cancelAtPosition) {
            g_cancelAtPosition = 0;
            PostMessageA(window, kPressCancel, 0, 0);
        }
    }
    return CallWindowProcA(g_barProc, window, message, wParam, lParam);
}

class CopyStep : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        g_wizard.model.progressTotal = 1000;
        g_barPositions.clear();
        g_cancelAtPosition = 0;
        g_barProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(ControlWindow(prbPerCent), GWLP_WNDPROC,
                                                                reinterpret_cast<LONG_PTR>(RecordBar)));
    }
    // A new list, and a new run's journal when the last one was undone.
    void StartList()
    {
        g_wizard.model.files.clear();
        g_wizard.model.entryCount = 0;
        g_wizard.job.targetLines.clear();
        g_wizard.job.recordedFiles.clear();
        g_wizard.job.fileDecisions.clear();
        if (!IsJournalOpen(g_wizard.job.journal))
            OpenJournal(g_wizard.job.journal, kTestProductKey);
        g_wizard.job.rolledBack = false;
    }
    std::string Status()
    {
        char text[kTextCapacity];
        GetControlText(stcCurrentTask, text);
        return text;
    }
};

TEST_F(CopyStep, VersionsComeFromTheExistingFilesResource)
{
    std::string library = TestLibraryPath("version_new.dll");
    struct Case {
        const char* high;
        const char* low;
        int newer;
    };
    const Case cases[] = {
        {kNewHigh, "1DB04002h", 1}, {kNewHigh, kNewLow, 0}, {"60000h", "0FFFFFFFFh", 0},
        {"60002h", "0", 1},         {kOldHigh, kOldLow, 0}, {"", "0FFFFFFFFh", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsNewerVersion(library.c_str(), c.high, c.low), c.newer) << c.high << " " << c.low;
    EXPECT_EQ(IsNewerVersion(TestLibraryPath("version_old.dll").c_str(), kNewHigh, kNewLow), 1);
    EXPECT_EQ(IsNewerVersion(TestLibraryPath("without_registration.dll").c_str(), "0FFFFFFFFh", "0"), 0)
        << "no version information";
    EXPECT_EQ(IsNewerVersion((target_ + "\\Missing.dll").c_str(), "0FFFFFFFFh", "0"), 0);
}

TEST_F(CopyStep, CopyWithTimesKeepsTimesAndAttributes)
{
    std::string source = TempPath("Data.bin");
    std::string target = TargetPath("Data.bin");
    std::string bytes(40000, 'd');
    PutInTemp("Data.bin", bytes);
    HANDLE file = CreateFileA(source.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME written = {0x12345600u, 0x01C00000u};
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);

    ASSERT_EQ(CopyWithTimes(g_wizard.job, source.c_str(), target.c_str(), 0), 1);
    EXPECT_TRUE(ReadBytes(target) == bytes);
    EXPECT_EQ(GetFileAttributesA(target.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_FALSE(GetFileAttributesA(source.c_str()) & FILE_ATTRIBUTE_READONLY) << "the source is made deletable";
    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &data);
    EXPECT_EQ(data.ftLastWriteTime.dwLowDateTime, written.dwLowDateTime);
    EXPECT_EQ(data.ftLastWriteTime.dwHighDateTime, written.dwHighDateTime);
    EXPECT_EQ(g_barPositions, (std::vector<WPARAM>{100, 100, 100})) << "three chunks against a total of 1000";
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(CopyWithTimes(g_wizard.job, (temp_ + "\\Missing.bin").c_str(), target.c_str(), 0), 0);
    EXPECT_EQ(CopyWithTimes(g_wizard.job, source.c_str(), (root_ + "\\NoFolder\\Data.bin").c_str(), 0), 0);
}

TEST_F(CopyStep, ProtectedLibrariesThatExistAreNotCopied)
{
    WriteBytes(TargetPath("MFC42.DLL"), TestLibrary("registers_ok.dll"));
    WriteBytes(TargetPath("msvcrt40.dll"), "existing runtime");
    PutInTemp("MFC42.DLL", "packaged mfc");
    PutInTemp("msvcrt40.dll", "packaged runtime");
    PutInTemp("Kestrel.exe", "program");
    AddFileLine(Line(target_, "MFC42.DLL", 100, "0FFFFFFFFh", "0", 1));
    AddFileLine(Line(target_, "msvcrt40.dll", 100, "0FFFFFFFFh", "0", 1));
    AddFileLine(Line(target_, "Kestrel.exe", 100));

    ASSERT_EQ(CopyFiles(g_wizard.job), 1);
    EXPECT_TRUE(ReadBytes(TargetPath("MFC42.DLL")) == TestLibrary("registers_ok.dll"));
    EXPECT_EQ(RegistrationCount(TargetPath("MFC42.DLL")), 1u) << "the existing copy is registered again";
    EXPECT_EQ(ReadBytes(TargetPath("msvcrt40.dll")), "existing runtime");
    EXPECT_EQ(ReadBytes(TargetPath("Kestrel.exe")), "program");
    EXPECT_EQ(g_wizard.job.recordedFiles, std::vector<std::string>{Line(target_, "Kestrel.exe", 100)});
    EXPECT_FALSE(Exists(TempPath("MFC42.DLL"))) << "every handled source leaves the temp folder";
    EXPECT_FALSE(Exists(TempPath("msvcrt40.dll")));
    EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(CopyStep, AbsentProtectedLibrariesAreCopiedAndLeaveTheList)
{
    PutInTemp("mfc42.dll", TestLibrary("registers_ok.dll"));
    PutInTemp("MSVCRT40.DLL", "packaged runtime");
    AddFileLine(Line(target_, "mfc42.dll", 100));
    AddFileLine(Line(target_, "MSVCRT40.DLL", 100));

    ASSERT_EQ(CopyFiles(g_wizard.job), 1);
    EXPECT_TRUE(ReadBytes(TargetPath("mfc42.dll")) == TestLibrary("registers_ok.dll"));
    EXPECT_EQ(RegistrationCount(TargetPath("mfc42.dll")), 1u) << "the new copy is registered";
    EXPECT_EQ(ReadBytes(TargetPath("MSVCRT40.DLL")), "packaged runtime");
    EXPECT_TRUE(g_wizard.job.recordedFiles.empty());
}

TEST_F(CopyStep, DebugHelperIsUpdatedOnlyOverAnOlderVersion)
{
    // The system may answer with its own version for this name (Wine does),
    // so the packaged version is set against the version it reports.
    WriteBytes(TargetPath("dbghelp.dll"), TestLibrary("version_old.dll"));
    const Version existing = ReportedVersion(TargetPath("dbghelp.dll"));
    ASSERT_NE(existing.ms, 0u);
    struct Case {
        const char* description;
        Version packaged;
        bool updated;
    };
    const Case cases[] = {
        {"older", {existing.ms, existing.ls + 1}, true},
        {"same", existing, false},
        {"newer", {existing.ms, existing.ls - 1}, false},
    };
    for (const Case& c : cases) {
        StartList();
        WriteBytes(TargetPath("dbghelp.dll"), TestLibrary("version_old.dll"));
        PutInTemp("dbghelp.dll", "packaged helper");
        AddFileLine(Line(target_, "dbghelp.dll", 100, Hex(c.packaged.ms).c_str(), Hex(c.packaged.ls).c_str()));
        ASSERT_EQ(CopyFiles(g_wizard.job), 1) << c.description;
        EXPECT_TRUE(ReadBytes(TargetPath("dbghelp.dll")) == (c.updated ? "packaged helper" : TestLibrary("version_old.dll")))
            << c.description;
        EXPECT_TRUE(g_wizard.job.recordedFiles.empty()) << c.description;
        EXPECT_EQ(g_wizard.job.restartNeeded, 0);
        ASSERT_EQ(g_wizard.job.fileDecisions.size(), 1u) << c.description;
        EXPECT_EQ(g_wizard.job.fileDecisions[0].rule,
                  c.updated ? FileRule::SystemReplacedNewer : FileRule::SystemKeptNotNewer) << c.description;
    }
}

TEST_F(CopyStep, ExistingFilesAreReplacedByFlagOrNewerVersion)
{
    struct Case {
        const char* name;
        std::string existing;
        const char* high;
        const char* low;
        int replace;
        FileRule rule;   // what the log says of it
    };
    const Case cases[] = {
        {"Empty.dll", TestLibrary("version_old.dll"), "", "", 0, FileRule::KeptNotNewer},
        {"Newer.dll", TestLibrary("version_old.dll"), kNewHigh, kNewLow, 0, FileRule::ReplacedNewer},
        {"Same.dll", TestLibrary("version_new.dll"), kNewHigh, kNewLow, 0, FileRule::KeptNotNewer},
        {"Older.dll", TestLibrary("version_new.dll"), kOldHigh, kOldLow, 0, FileRule::KeptNotNewer},
        {"NoVersion.dll", TestLibrary("without_registration.dll"), "0FFFFFFFFh", "0", 0, FileRule::KeptNotNewer},
        {"Forced.txt", "existing text", "", "", 1, FileRule::ReplacedAlways},
    };
    for (const Case& c : cases) {
        WriteBytes(TargetPath(c.name), c.existing);
        PutInTemp(c.name, std::string("packaged ") + c.name);
        AddFileLine(Line(target_, c.name, 10, c.high, c.low, c.replace));
    }
    ASSERT_EQ(CopyFiles(g_wizard.job), 1);
    ASSERT_EQ(g_wizard.job.fileDecisions.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        bool replaced = c.rule != FileRule::KeptNotNewer;
        EXPECT_TRUE(ReadBytes(TargetPath(c.name)) == (replaced ? std::string("packaged ") + c.name : c.existing))
            << c.name;
        EXPECT_FALSE(Exists(TempPath(c.name))) << c.name;
        EXPECT_EQ(g_wizard.job.fileDecisions[i].target, TargetPath(c.name));
        EXPECT_EQ(g_wizard.job.fileDecisions[i].rule, c.rule) << c.name;
    }
    EXPECT_EQ(g_wizard.job.recordedFiles.size(), 6u) << "ordinary lines stay for the registration step";
    EXPECT_EQ(g_wizard.job.restartNeeded, 0);
}

TEST_F(CopyStep, AKeptFontIsStillInstalledAndLeavesTheList)
{
    const std::string fonts = FontsPath("");
    const std::string folder = fonts.substr(0, fonts.size() - 1);
    const std::string hostFont = ReadBytes(std::string(kHostFonts) + "DejaVuSans.ttf");
    ASSERT_GT(hostFont.size(), 1000u);
    WriteBytes(FontsPath("DejaVuSans.ttf"), hostFont);
    PutInTemp("DejaVuSans.ttf", "not the installed font");
    AddFileLine(Line(folder, "DejaVuSans.ttf", 100, "0FFFFFFFFh", "0"));
    AddFileLine(Line(target_, "Kestrel.exe", 100));
    PutInTemp("Kestrel.exe", "program");
    DeleteRegValue(kLocalMachine, kNtFonts, kFontValue);

    ASSERT_EQ(CopyFiles(g_wizard.job), 1);
    EXPECT_TRUE(ReadBytes(FontsPath("DejaVuSans.ttf")) == hostFont) << "a font is never replaced by version";
    char value[kTextCapacity] = "";
    ReadRegValue(kLocalMachine, kNtFonts, kFontValue, value);
    EXPECT_STREQ(value, "DejaVuSans.ttf");
    EXPECT_EQ(g_wizard.job.recordedFiles, std::vector<std::string>{Line(target_, "Kestrel.exe", 100)});
}

TEST_F(CopyStep, AFileInUseIsReplacedAtTheNextStart)
{
    WriteBytes(TargetPath("Locked.dll"), "running");
    WriteBytes(TargetPath("Busy.exe"), "running too");
    PutInTemp("Locked.dll", "replacement");
    PutInTemp("Busy.exe", "replacement too");
    AddFileLine(Line(target_, "Locked.dll", 10, "", "", 1, 1));
    AddFileLine(Line(target_, "Busy.exe", 10, "", "", 1, 0));
    HANDLE held = CreateFileA(TargetPath("Locked.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE busy = CreateFileA(TargetPath("Busy.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);

    int result = CopyFiles(g_wizard.job);
    CloseHandle(held);
    CloseHandle(busy);
    ASSERT_EQ(result, 1);
    EXPECT_EQ(ReadBytes(TargetPath("Locked.dll")), "running");
    EXPECT_EQ(ReadBytes(TargetPath("Locked.tmp")), "replacement");
    EXPECT_EQ(ReadBytes(TargetPath("Busy.tmp")), "replacement too");
    EXPECT_EQ(g_wizard.job.restartNeeded, 1);
    ASSERT_EQ(g_wizard.job.afterRestartRegistrations.size(), 1u) << "only the self-registering one";
    EXPECT_EQ(LongForm(g_wizard.job.afterRestartRegistrations[0].c_str()), LongForm(TargetPath("Locked.dll")));

    std::string renames = PendingRenames();
    EXPECT_NE(renames.find("\\LOCKED.TMP|"), std::string::npos) << renames;
    EXPECT_NE(renames.find("\\LOCKED.DLL|"), std::string::npos) << renames;
    EXPECT_LT(renames.find("\\LOCKED.TMP|"), renames.find("\\LOCKED.DLL|")) << "from the copy to the target";
    EXPECT_NE(renames.find("\\BUSY.TMP|"), std::string::npos) << renames;
    EXPECT_EQ(g_wizard.job.recordedFiles.size(), 2u);
}

TEST_F(CopyStep, RenamesOnWindows9xGoToWininit)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string wininit = std::string(windows) + "\\WININIT.INI";
    DeleteFileA(wininit.c_str());
    g_wizard.job.osCode = 1;
    WriteBytes(TargetPath("Locked.dll"), "running");
    PutInTemp("Locked.dll", "replacement");
    AddFileLine(Line(target_, "Locked.dll", 10, "", "", 1));
    HANDLE held = CreateFileA(TargetPath("Locked.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);

    int result = CopyFiles(g_wizard.job);
    CloseHandle(held);
    ASSERT_EQ(result, 1);
    char temporary[kTextCapacity];
    GetShortPathNameA(TargetPath("Locked.tmp").c_str(), temporary, sizeof temporary);
    char target[kTextCapacity];
    GetShortPathNameA(TargetPath("Locked.dll").c_str(), target, sizeof target);
    char entry[kTextCapacity] = "";
    GetPrivateProfileStringA("Rename", target, "", entry, sizeof entry, wininit.c_str());
    EXPECT_STREQ(entry, temporary);
    DeleteFileA(wininit.c_str());
}

// When the system will not take the rename for the next start, no restart
// could complete the install: the file is one that cannot be copied.
TEST_F(CopyStep, ARenameTheSystemRefusesIsACopyFailure)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string wininit = std::string(windows) + "\\WININIT.INI";
    for (int osCode : {5, 2}) {
        SCOPED_TRACE(osCode);
        StartList();
        const std::size_t boxesBefore = boxes_.boxes().size();
        g_wizard.cancel = 0;
        g_wizard.job.osCode = osCode;
        if (osCode == 5) {   // a list of pending renames that is not a list
            DWORD damaged = 1;
            ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations", REG_DWORD,
                                      &damaged, sizeof damaged), ERROR_SUCCESS);
        } else {   // a folder where the file of renames belongs; read-only would not stop Wine's root
            ASSERT_TRUE(CreateDirectoryA(wininit.c_str(), nullptr));
        }
        WriteBytes(TargetPath("Locked.dll"), "running");
        PutInTemp("First.txt", "first");
        PutInTemp("Locked.dll", "replacement");
        AddFileLine(Line(target_, "First.txt", 5));
        AddFileLine(Line(target_, "Locked.dll", 10, "", "", 1));
        HANDLE held = CreateFileA(TargetPath("Locked.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);

        int result = CopyFiles(g_wizard.job);
        CloseHandle(held);
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations");
        RemoveDirectoryA(wininit.c_str());
        EXPECT_EQ(result, 0);
        ASSERT_EQ(boxes_.boxes().size(), boxesBefore + 1);
        EXPECT_EQ(Upper(boxes_.boxes().back().text), Upper(ErrorText("Locked.dll", IDS_COPY_FAILED)));
        EXPECT_EQ(ReadBytes(TargetPath("Locked.dll")), "running");
        EXPECT_FALSE(Exists(TargetPath("Locked.tmp"))) << "the copy that could not be scheduled";
        EXPECT_FALSE(Exists(TargetPath("First.txt"))) << "rolled back";
        EXPECT_EQ(g_wizard.job.restartNeeded, 0);
        DeleteFileA(TargetPath("Locked.dll").c_str());
    }
}

TEST_F(CopyStep, ProductLibrariesAlsoGoToTheSystemDirectory)
{
    DeleteFileA(SystemPath("KSDllGo.dll").c_str());
    DeleteFileA(SystemPath("KSDllGou.dll").c_str());
    PutInTemp("KSDllGo.dll", "go");
    PutInTemp("KSDllGou.dll", "packaged gou");
    WriteBytes(TargetPath("KSDllGou.dll"), "kept gou");
    AddFileLine(Line(target_, "KSDllGo.dll", 2));
    AddFileLine(Line(target_, "KSDllGou.dll", 12));

    ASSERT_EQ(CopyFiles(g_wizard.job), 1);
    EXPECT_EQ(ReadBytes(TargetPath("KSDllGo.dll")), "go");
    EXPECT_EQ(ReadBytes(SystemPath("KSDllGo.dll")), "go");
    EXPECT_EQ(ReadBytes(TargetPath("KSDllGou.dll")), "kept gou");
    EXPECT_EQ(ReadBytes(SystemPath("KSDllGou.dll")), "packaged gou") << "a kept target still gets its second copy";
    DeleteFileA(SystemPath("KSDllGo.dll").c_str());
    DeleteFileA(SystemPath("KSDllGou.dll").c_str());
}

TEST_F(CopyStep, ASpaceAfterTheExtensionIsNotPartOfTheName)
{
    PutInTemp("Trail.txt", "trailing");
    AddFileLine(Line(target_, "Trail.txt ", 8));
    ASSERT_EQ(CopyFiles(g_wizard.job), 1);
    EXPECT_EQ(ReadBytes(TargetPath("Trail.txt")), "trailing");
    char shown[kTextCapacity];
    GetControlText(stcFile, shown);
    EXPECT_STREQ(shown, "") << "the file label is cleared at the end";
}

TEST_F(CopyStep, TheBarFollowsBytesThenTheSizeFields)
{
    g_wizard.model.progressTotal = 100000;
    PutInTemp("Big.bin", std::string(65536, 'b'));
    PutInTemp("Small.txt", "small");
    AddFileLine(Line(target_, "Big.bin", 1000));
    AddFileLine(Line(target_, "Small.txt", 200000));

    ASSERT_EQ(CopyFiles(g_wizard.job), 1);
    // Four chunks of Big.bin by bytes, then its size field (the bar steps
    // back), then Small.txt from there, then a sum beyond the total.
    EXPECT_EQ(g_barPositions, (std::vector<WPARAM>{16, 32, 49, 65, 1, 1, 100}));
}

TEST_F(CopyStep, AMissingSourceRollsBackWhatWasCopied)
{
    const std::string folder = target_ + "\\Kestrel\\Bin";
    char failed[kTextCapacity];
    ASSERT_EQ(CreateFolderChain(folder.c_str(), g_wizard.job.journal, failed), 1);
    PutInTemp("First.dll", "first");
    PutInTemp("Third.txt", "third");
    AddFileLine(Line(folder, "First.dll", 5));
    AddFileLine(Line(folder, "Second.dll", 5));
    AddFileLine(Line(target_, "Third.txt", 5));
    WriteBytes(TargetPath("Third.txt"), "there before");

    EXPECT_EQ(CopyFiles(g_wizard.job), 0);
    EXPECT_FALSE(Exists(folder + "\\First.dll"));
    EXPECT_FALSE(Exists(folder)) << "the folders it made go";
    EXPECT_FALSE(Exists(target_ + "\\Kestrel"));
    EXPECT_EQ(ReadBytes(TargetPath("Third.txt")), "there before") << "a file this run did not write stays";
    EXPECT_TRUE(Exists(target_)) << "a folder that was there before stays";
    ASSERT_EQ(boxes_.boxes().size(), 1u) << "no cancel box after an error";
    EXPECT_EQ(boxes_.boxes()[0].text, ErrorText("Second.dll", IDS_FILE_NOT_FOUND));
    EXPECT_EQ(Status(), TableString(IDS_INSTALL_INTERRUPTED));
    EXPECT_NE(g_wizard.cancel, 0);
}

TEST_F(CopyStep, AFileThatCannotBeWrittenIsReported)
{
    PutInTemp("Lost.dll", "lost");
    AddFileLine(Line(root_ + "\\NoSuchFolder", "Lost.dll", 5));
    EXPECT_EQ(CopyFiles(g_wizard.job), 0);
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].text, ErrorText("Lost.dll", IDS_COPY_FAILED));
}

TEST_F(CopyStep, CancelDuringAChunkedCopyRollsBack)
{
    const std::string folder = target_ + "\\Bin";
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteBytes(folder + "\\Foreign.txt", "not ours");
    PutInTemp("Large.bin", std::string(1024 * 1024, 'l'));
    PutInTemp("Next.txt", "next");
    AddFileLine(Line(folder, "Large.bin", 1024 * 1024));
    AddFileLine(Line(folder, "Next.txt", 4));
    g_wizard.model.progressTotal = 1024 * 1024 + 4;

    g_cancelAtPosition = 10;
    EXPECT_EQ(CopyFiles(g_wizard.job), 0);
    EXPECT_FALSE(Exists(folder + "\\Large.bin")) << "the partial copy is removed";
    EXPECT_FALSE(Exists(folder + "\\Next.txt"));
    EXPECT_EQ(ReadBytes(folder + "\\Foreign.txt"), "not ours");
    EXPECT_TRUE(Exists(folder)) << "a folder with foreign files stays, and its parents";
    // Seven chunks of 16 KiB by bytes, the press handled after the seventh,
    // then the file's size field once (1 MiB of 1 MiB and 4 bytes: 99 %):
    // the copy stopped at once.
    EXPECT_EQ(g_barPositions, (std::vector<WPARAM>{1, 3, 4, 6, 7, 9, 10, 99}));
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].text, TableString(IDS_CANCELLED_BY_USER));
    EXPECT_EQ(Status(), TableString(IDS_INSTALL_INTERRUPTED));
    EXPECT_FALSE(IsWindowVisible(ControlWindow(stcFile)));
    EXPECT_FALSE(IsWindowVisible(ControlWindow(prbPerCent)));
    EXPECT_FALSE(IsWindowEnabled(ControlWindow(btnCancel)));
    EXPECT_TRUE(Exists(TempPath("Next.txt"))) << "unhandled sources wait for the clean-up";
}

// The user's own files under the names that helper files once took without
// looking, two files in use with one base name, and a long name that the
// copy once replaced by its short form: the install and its cancel leave
// each file as it was or with its new bytes, and the held ones wait apart.
TEST_F(CopyStep, AnInstallAndItsCancelKeepTheUsersFilesAndTheRealNames)
{
    const std::vector<std::string> users = {"~Kestrel.exe", "~Kept\\Kestrel.exe", "Kestrel.tmp"};
    const std::vector<std::string> replaced = {"Kestrel.exe", "KestrelCoreLibrary.dll"};
    const std::vector<std::string> held = {"Kestrel.chm", "Kestrel.dat"};
    CreateDirectoryA(TargetPath("~Kept").c_str(), nullptr);
    for (const std::string& name : users)
        WriteBytes(TargetPath(name), "the user's " + name);
    for (const std::string& name : {replaced[0], replaced[1], held[0], held[1]}) {
        WriteBytes(TargetPath(name), "old " + name);
        PutInTemp(name, "new " + name);
        AddFileLine(Line(target_, name, 10, "", "", 1));
    }
    std::vector<HANDLE> handles;
    for (const std::string& name : held)
        handles.push_back(CreateFileA(TargetPath(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    int result = CopyFiles(g_wizard.job);
    for (HANDLE file : handles)
        CloseHandle(file);
    ASSERT_EQ(result, 1);
    for (const std::string& name : held) {
        std::vector<std::string> waiting = RenamesTo(TargetPath(name));
        ASSERT_EQ(waiting.size(), 1u) << PendingRenames();
        EXPECT_EQ(ReadBytes(waiting[0]), "new " + name);
    }
    for (bool cancelled : {false, true}) {
        SCOPED_TRACE(cancelled ? "cancelled" : "installed");
        if (cancelled)
            RollBack(g_wizard.job);
        for (const std::string& name : users)
            EXPECT_EQ(ReadBytes(TargetPath(name)), "the user's " + name);
        for (const std::string& name : replaced)
            EXPECT_EQ(ReadBytes(TargetPath(name)), (cancelled ? "old " : "new ") + name);
    }
    EXPECT_EQ(Listing(TargetPath("~Kept")), "KESTREL.EXE|");
    EXPECT_EQ(Listing(target_), "KESTREL.CHM|KESTREL.DAT|KESTREL.EXE|KESTREL.TMP|KESTRELCORELIBRARY.DLL|~KEPT|~KESTREL.EXE|")
        << "no helper file is left";
    EXPECT_TRUE(RenamesTo(TargetPath(held[0])).empty());
}

// Product libraries that were there before: kept when the same version (in
// the folder and the system folder), replaced when older. Only those the
// run put in place are its to unregister and to take back; every listed
// library's shared count is raised by one.
TEST_F(CopyStep, LibrariesAreTheRunsOwnOnlyWhereItPutThemInPlace)
{
    struct Case {
        const char* name;
        const char* existing;   // the library there before, or nullptr
        bool placed;
    };
    const Case cases[] = {
        {"KSDllMsr.dll", "version_new.dll", false},
        {"KSDllGou.dll", "version_old.dll", true},
        {"KSDllGo.dll", nullptr, true},
    };
    for (const Case& c : cases) {
        for (const std::string& path : {TargetPath(c.name), SystemPath(c.name)}) {
            DeleteFileA(path.c_str());
            if (c.existing != nullptr)
                WriteBytes(path, TestLibrary(c.existing));
        }
        PutInTemp(c.name, "packaged");
        AddFileLine(Line(target_, c.name, 8, kNewHigh, kNewLow, 0, 1));
    }
    ASSERT_EQ(CopyFiles(g_wizard.job), 1);
    UpdateRegistry(g_wizard.job);
    const std::vector<std::string> registered = JournaledPaths(JournalKind::Registered, 0);
    const std::vector<std::string> counted = JournaledPaths(JournalKind::Count, 2);
    auto before = [](const Case& c) { return c.existing != nullptr ? TestLibrary(c.existing) : "<missing>"; };
    for (const Case& c : cases) {
        const std::string path = Upper(LongForm(TargetPath(c.name)));
        EXPECT_EQ(std::count(registered.begin(), registered.end(), path), c.placed ? 1 : 0) << c.name;
        EXPECT_EQ(std::count(counted.begin(), counted.end(), path), 1) << c.name;
        EXPECT_TRUE(ReadBytes(SystemPath(c.name)) == (c.placed ? "packaged" : before(c))) << c.name;
    }
    RollBack(g_wizard.job);
    for (const Case& c : cases) {
        EXPECT_TRUE(ReadBytes(SystemPath(c.name)) == before(c)) << c.name;
        DeleteFileA(SystemPath(c.name).c_str());
    }
    EXPECT_FALSE(Exists(SystemPath("~Kept")));
}

}  // namespace
