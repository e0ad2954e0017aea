// Measures the real wizard from outside, as the end-to-end runs drive it:
// the time from start to the welcome page, and the processor time that the
// wizard's process uses while it waits on a page, through the install's
// pauses and while an earlier installation's uninstaller runs; or, asked
// for "memory", its peak resident memory while it unpacks given packages.
// The optional argument is the number of starts (5 unless given).
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/messages.h"
#include "base/portable/exit_codes.h"
#include "base/portable/product_files.h"
#include "engine/portable/package_walk.h"
#include "e2e/wizard_session.h"
#include "resources/string_ids.h"
#include "test_environment.h"
#include "wizard/control_ids.h"

namespace {

constexpr DWORD kIdleMilliseconds = 5000;
constexpr DWORD kUninstallerMilliseconds = 3000;
const char kProductRecord[] = "SOFTWARE\\TWC Products\\Kestrel";
const char kWizardName[] = "Instal.exe";

double Seconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Wine answers GetProcessTimes about another process with the caller's own
// times, so the wizard's processor time is read from the Linux record of
// its process, /proc/PID/stat, through the Z: drive. The fields of a record
// after the process's name, from its state on; empty when unreadable.
std::vector<std::string> RecordFields(const std::string& record, const std::string& name)
{
    std::ifstream file(record);
    std::string line;
    std::getline(file, line);
    std::size_t end = line.rfind(')');
    if (end == std::string::npos || (!name.empty() && line.find(" (" + name + ") ") == std::string::npos))
        return {};
    std::istringstream stream(line.substr(end + 1));
    std::vector<std::string> fields;
    for (std::string field; stream >> field;)
        fields.push_back(field);
    return fields;
}

// The record of the newest live process of that name (an ended wizard may
// linger a moment); empty when there is none.
std::string FindProcessRecord(const char* name)
{
    constexpr std::size_t kState = 0, kStartTime = 19;
    std::string found;
    unsigned long long newest = 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        if (entry.cFileName[0] < '1' || entry.cFileName[0] > '9')
            continue;
        std::string path = std::string("Z:\\proc\\") + entry.cFileName + "\\stat";
        std::vector<std::string> fields = RecordFields(path, name);
        if (fields.size() <= kStartTime || fields[kState] == "Z" || fields[kState] == "X")
            continue;
        unsigned long long started = std::stoull(fields[kStartTime]);
        if (found.empty() || started > newest) {
            found = path;
            newest = started;
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

// User plus system time so far of the process whose record it is, counted
// in the kernel's fixed 100 ticks a second; negative when it has gone.
double ProcessorSeconds(const std::string& record)
{
    constexpr std::size_t kUserTime = 11, kSystemTime = 12;
    std::vector<std::string> fields = RecordFields(record, "");
    if (fields.size() <= kSystemTime)
        return -1.0;
    return static_cast<double>(std::stoull(fields[kUserTime]) + std::stoull(fields[kSystemTime])) / 100.0;
}

std::string Table(int id)
{
    char text[260];
    LoadTableString(id, text);
    return text;
}

// Polls every interval: finely where a time is measured, coarsely where the
// polling would otherwise take processor time from the measured wizard.
template <typename Condition>
bool PollUntil(Condition condition, DWORD timeout, DWORD interval)
{
    double end = Seconds() + timeout / 1000.0;
    while (!condition()) {
        if (Seconds() > end)
            return false;
        Sleep(interval);
    }
    return true;
}

// The control's text as the window manager holds it: reading it from
// another process sends the wizard no message, so the polling costs the
// measured process nothing.
std::string HeldText(HWND control)
{
    char text[256] = "";
    GetWindowTextA(control, text, sizeof text);
    return text;
}

bool WaitForHeldText(WizardSession& session, int id, const std::string& text, DWORD timeout, DWORD interval)
{
    return PollUntil([&] { return HeldText(session.Control(id)) == text; }, timeout, interval);
}

bool Report(bool reached, const char* what)
{
    if (!reached)
        std::printf("  (could not reach %s; figure skipped)\n", what);
    return reached;
}

// Starts the wizard and waits for its welcome page; the seconds it took, or
// a negative number when the page did not come.
double StartToWelcome(WizardSession& session)
{
    double start = Seconds();
    if (!session.Start())
        return -1.0;
    if (!PollUntil([&] { return session.FindMainWindow() != nullptr; }, 30000, 2))
        return -1.0;
    if (!WaitForHeldText(session, btnCancel, Table(IDS_EXIT), 30000, 2))
        return -1.0;
    return Seconds() - start;
}

// The processor time between two readings of the record, and its share of
// the wall time; a reading of a gone process makes the figure unknown.
void PrintShare(const char* what, double before, double after, double wall)
{
    if (before < 0 || after < 0) {
        std::printf("%-44s (the wizard's process record could not be read)\n", what);
        return;
    }
    double cpu = after - before;
    std::printf("%-44s %8.1f ms CPU over %6.2f s wall (%.2f %%)\n", what, cpu * 1000.0, wall,
                wall > 0 ? 100.0 * cpu / wall : 0.0);
}

// Processor time of the wizard while it waits untouched on its page.
void MeasureIdle(const char* what)
{
    Sleep(1000);   // let the page finish drawing
    std::string record = FindProcessRecord(kWizardName);
    double cpu = ProcessorSeconds(record);
    double start = Seconds();
    Sleep(kIdleMilliseconds);
    PrintShare(what, cpu, ProcessorSeconds(record), Seconds() - start);
}

void CancelOnWelcome(WizardSession& session)
{
    session.Click(btnCancel);
    session.WaitForExit(10000);
}

void MeasureStarts(int runs)
{
    std::vector<double> times;
    double cpuTotal = 0.0;
    int cpuRuns = 0;
    for (int run = 0; run < runs; ++run) {
        WizardSession session(BuildFile("sample\\_Data.001"));
        double seconds = StartToWelcome(session);
        if (!Report(seconds >= 0, "the welcome page"))
            return;
        times.push_back(seconds);
        double cpu = ProcessorSeconds(FindProcessRecord(kWizardName));
        if (cpu >= 0) {
            cpuTotal += cpu;
            ++cpuRuns;
        }
        CancelOnWelcome(session);
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("start to welcome page, %d runs:               median %6.0f ms (min %.0f, max %.0f; runs:", runs,
                sorted[sorted.size() / 2] * 1000.0, sorted.front() * 1000.0, sorted.back() * 1000.0);
    for (double seconds : times)
        std::printf(" %.0f", seconds * 1000.0);
    std::printf(")\n");
    if (cpuRuns > 0)
        std::printf("processor time of a start (mean):             %8.1f ms\n", cpuTotal / cpuRuns * 1000.0);
}

// What any program's start costs under this system: the stand-in
// uninstaller, told not to sleep, from its creation to its end.
void MeasureBareStart()
{
    SetEnvironmentVariableA("INSTAL_FAKE_SLEEP", "0");
    std::string program = BuildFile("fake_uninstaller.exe");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    double start = Seconds();
    if (CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 30000);
        std::printf("for comparison, a bare console program's run: %8.0f ms\n", (Seconds() - start) * 1000.0);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    SetEnvironmentVariableA("INSTAL_FAKE_SLEEP", nullptr);
}

void MeasureIdleOnWelcome()
{
    WizardSession session(BuildFile("sample\\_Data.001"));
    if (!Report(StartToWelcome(session) >= 0, "the welcome page"))
        return;
    MeasureIdle("idle on the welcome page:");
    CancelOnWelcome(session);
}

// The page frame that is showing, or 0.
int ShownPage(const WizardSession& session)
{
    for (int page : {grpWelcomePage, grpDestinationPage, grpUserPage, grpGroupPage, grpOptionsPage, grpSummaryPage}) {
        if (session.IsShown(page))
            return page;
    }
    return 0;
}

// Walks from the welcome page to the summary, measuring the idle user page
// when asked; false when a page did not come. The options page shows only
// when the package has something to offer.
bool WalkToSummary(WizardSession& session, bool measureIdle)
{
    if (StartToWelcome(session) < 0)
        return false;
    for (int page = ShownPage(session); page != grpSummaryPage;) {
        if (page == grpUserPage) {
            session.Type(edtUserName, "Anna Puig");
            session.Type(edtOrganization, "Tallers Puig");
            if (measureIdle)
                MeasureIdle("idle on the user page (caret in a field):");
        }
        session.Click(btnNext);
        if (!PollUntil([&] { return ShownPage(session) != page && ShownPage(session) != 0; }, 30000, 5))
            return false;
        page = ShownPage(session);
    }
    return true;
}

void Finish(WizardSession& session)
{
    session.Click(btnCancel);
    MessageBoxSeen closing = session.WaitForMessageBox();
    if (closing.box != nullptr)
        session.Answer(closing, IDOK);
    session.WaitForExit(10000);
}

void MeasureInstall()
{
    WizardSession session(BuildFile("sample\\_Data.001"));
    if (!Report(WalkToSummary(session, true), "the summary page"))
        return;
    std::string record = FindProcessRecord(kWizardName);
    double cpu = ProcessorSeconds(record);
    double start = Seconds();
    session.Click(btnNext);
    bool finished = WaitForHeldText(session, btnCancel, Table(IDS_FINISH), 180000, 50);
    double wall = Seconds() - start;
    double after = ProcessorSeconds(record);
    if (!Report(finished, "the finish page"))
        return;
    PrintShare("install page (Install pressed to finish page):", cpu, after, wall);
    Finish(session);
}

// What the pace package holds (scripts/bench-wizard.sh builds it): one file
// of 16 MB, one program-group item and the desktop link, nothing to open at
// the end and no registry or association lines.
constexpr unsigned long kPaceFileBytes = 16u << 20;
constexpr unsigned kPaceGroupItems = 1;
const char kPaceRecord[] = "SOFTWARE\\TWC Products\\KestrelPace\\Uninstall";

// The install of the pace package step by step, as its status line shows
// it, with the milliseconds each step is asked to wait: the installing
// page's 500 ms and the driver's two pauses before the copy; 25 ms a 16 KB
// chunk, 15 ms a file and the driver's 600 ms in the copy; 15 ms an item
// and 600 ms in the registration; the program group's pauses (when the group
// was made) and the driver's 500 ms; the link's pause (when it was made).
struct PaceStep {
    const char* name;
    int taskId;           // the status line's text that begins the step, or 0 for the first
    double askedWaits;    // milliseconds
};

std::vector<PaceStep> PaceSteps(bool groupMade, bool linkMade)
{
    double chunks = (kPaceFileBytes + 16383) / 16384;
    return {
        {"folders and the disk check", 0, 500 + 500 + 500},
        {"copy", IDS_COPYING_FILES, chunks * 25 + 1 * 15 + 600},
        {"registry", IDS_UPDATING_REGISTRY, (0 + 1 + kPaceGroupItems) * 15 + 600},
        {"program group", IDS_CREATING_GROUP, (groupMade ? 500.0 + 400 + kPaceGroupItems * 400 + 300 : 0.0) + 500},
        {"desktop link and the journal's end", IDS_CREATING_SHORTCUT, linkMade ? 250.0 : 0.0},
    };
}

std::string RecordValue(const char* name)
{
    char value[260] = "";
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kPaceRecord, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "";
    return value;
}

// CopyFileA of a file as large as the pace package's: the floor of its copy.
double CopyFileFloorSeconds()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string from = std::string(temp) + "pace-floor.bin", to = from + ".copy";
    std::string bytes(kPaceFileBytes, '\x5A');
    HANDLE file = CreateFileA(from.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    double start = Seconds();
    CopyFileA(from.c_str(), to.c_str(), FALSE);
    double seconds = Seconds() - start;
    DeleteFileA(to.c_str());
    DeleteFileA(from.c_str());
    return seconds;
}

// The journal's lines so far, read as the running wizard shares it; 0 once
// it is gone.
std::size_t JournalLines(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    std::size_t lines = 0;
    char block[4096];
    DWORD read = 0;
    while (ReadFile(file, block, sizeof block, &read, nullptr) && read > 0)
        lines += static_cast<std::size_t>(std::count(block, block + read, '\n'));
    CloseHandle(file);
    return lines;
}

// What one journal note costs here: a line appended to a file in the Windows
// folder and flushed to the disk, as the wizard notes a change.
double FlushedNoteMilliseconds()
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string path = std::string(windows) + "\\pace-notes.jnl";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    constexpr int kNotes = 50;
    const char line[] = "file\tC:\\Program Files\\Kestrel Pace\\Dades.bin\r\n";
    double start = Seconds();
    for (int i = 0; i < kNotes; ++i) {
        DWORD written = 0;
        WriteFile(file, line, sizeof line - 1, &written, nullptr);
        FlushFileBuffers(file);
    }
    double each = (Seconds() - start) * 1000.0 / kNotes;
    CloseHandle(file);
    DeleteFileA(path.c_str());
    return each;
}

// The whole install of the pace package, from Install to the finish page,
// beside the waits asked for it plus the floor of its copy; then where the
// time beyond the waits went, step by step, as the status line showed the
// steps, and what the journal's flushed notes cost of it.
void MeasurePace()
{
    double started = Seconds();
    WizardSession session(BuildFile("bench\\pace\\_Data.001"));
    if (!Report(WalkToSummary(session, false), "the pace package's summary page"))
        return;
    double unpacking = Seconds() - started;
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string journal = std::string(windows) + "\\KestrelPace.jnl";
    std::vector<std::pair<std::string, double>> changes;   // the status line's texts and when they came
    std::size_t journalLines = 0;
    double lastJournalRead = 0;
    double start = Seconds();
    session.Click(btnNext);
    bool finished = PollUntil([&] {
        double now = Seconds();
        std::string task = HeldText(session.Control(stcCurrentTask));
        if (changes.empty() || changes.back().first != task)
            changes.emplace_back(task, now);
        if (now - lastJournalRead > 0.05) {
            journalLines = std::max(journalLines, JournalLines(journal));
            lastJournalRead = now;
        }
        return HeldText(session.Control(btnCancel)) == Table(IDS_FINISH);
    }, 300000, 1);
    double end = Seconds();
    double wall = end - start;
    if (!Report(finished, "the pace package's finish page"))
        return;
    Finish(session);
    bool groupMade = !RecordValue("Group").empty();
    std::vector<PaceStep> steps = PaceSteps(groupMade, RecordValue("Shortcut") == "1");
    double waits = 0;
    for (const PaceStep& step : steps)
        waits += step.askedWaits / 1000.0;
    double floor = CopyFileFloorSeconds();
    std::printf("whole install of one 16 MB file:             %8.2f s; waits asked %.2f s + CopyFileA %.2f s;"
                " ratio %.3f (target <= 1.05)\n",
                wall, waits, floor, wall / (waits + floor));
    std::printf("  unpacking, the start to the welcome page and on to the summary: %.2f s\n", unpacking);
    // Each step lasts from the first time its text shows to the next step's.
    std::vector<double> begins(steps.size(), -1);
    begins[0] = start;
    for (std::size_t i = 1; i < steps.size(); ++i) {
        for (const auto& change : changes) {
            if (change.first == Table(steps[i].taskId) && begins[i] < 0)
                begins[i] = change.second;
        }
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
        std::size_t next = i + 1;
        while (next < steps.size() && begins[next] < 0)
            ++next;
        if (begins[i] < 0)
            continue;
        double took = (next < steps.size() ? begins[next] : end) - begins[i];
        std::printf("  %-36s %7.2f s, waits asked %6.2f s, beyond them %+6.2f s\n", steps[i].name, took,
                    steps[i].askedWaits / 1000.0, took - steps[i].askedWaits / 1000.0);
    }
    double note = FlushedNoteMilliseconds();
    std::printf("  journal: at least %zu notes, %.2f ms a flushed note here: at most %.2f s of the above\n",
                journalLines, note, journalLines * note / 1000.0);
}

bool WriteEarlierInstallation(const std::string& path)
{
    std::string record = std::string(kProductRecord) + "\\Uninstall";
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, record.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    for (auto [name, value] : {std::pair{"Name", std::string("Kestrel")}, std::pair{"Version", std::string("0.9")},
                               std::pair{"Language", std::string("Catal\xE0")}, std::pair{"Path", path}})
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return true;
}

// The running uninstaller that the wizard started, opened for its end.
HANDLE OpenUninstaller()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    HANDLE found = nullptr;
    for (BOOL more = Process32First(snapshot, &entry); more && found == nullptr; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, kUninstallerName) == 0)
            found = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return found;
}

// The package whose KSUninst.exe is the stand-in that sleeps: the wizard
// unpacks it into the Windows folder and runs it.
void MeasureUninstaller()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string earlier = std::string(temp) + "KestrelEarlier";
    CreateDirectoryA(earlier.c_str(), nullptr);
    if (!Report(WriteEarlierInstallation(earlier), "the earlier installation's record"))
        return;
    SetEnvironmentVariableA("INSTAL_FAKE_SLEEP", std::to_string(kUninstallerMilliseconds).c_str());
    {
        WizardSession session(BuildFile("bench\\uninstaller\\_Data.001"));
        MessageBoxSeen question = session.Start() ? session.WaitForMessageBox() : MessageBoxSeen{};
        if (Report(question.box != nullptr, "the question about the earlier installation")) {
            session.Answer(question, IDYES);
            HANDLE uninstaller = nullptr;
            PollUntil([&] { return (uninstaller = OpenUninstaller()) != nullptr; }, 30000, 5);
            if (Report(uninstaller != nullptr, "the uninstaller's start")) {
                std::string record = FindProcessRecord(kWizardName);
                double cpu = ProcessorSeconds(record);
                double start = Seconds();
                WaitForSingleObject(uninstaller, 60000);
                double wall = Seconds() - start;
                double after = ProcessorSeconds(record);
                CloseHandle(uninstaller);
                std::printf("uninstaller sleeping %lu ms:\n", static_cast<unsigned long>(kUninstallerMilliseconds));
                PrintShare("  the wizard while it runs:", cpu, after, wall);
                bool back = PollUntil([&] { return session.FindMainWindow() != nullptr; }, 30000, 10);
                if (Report(back, "the welcome page after the uninstaller"))
                    CancelOnWelcome(session);
            }
        }
    }
    SetEnvironmentVariableA("INSTAL_FAKE_SLEEP", nullptr);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductRecord);
    RemoveDirectoryA(earlier.c_str());
}

// The highest resident memory of the process whose record it is, in KiB,
// from the kernel's own count (VmHWM); 0 when unreadable.
unsigned long PeakResidentKib(const std::string& statRecord)
{
    std::ifstream status(statRecord.substr(0, statRecord.size() - 4) + "status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoul(line.substr(6));
    }
    return 0;
}

// The wizard's peak resident memory once it has unpacked each package (a
// path under the build) and shows its welcome page.
void MeasureUnpackingMemory(int count, char** packages)
{
    for (int i = 0; i < count; ++i) {
        WizardSession session(BuildFile(packages[i]));
        if (!session.Start() || !PollUntil([&] { return session.FindMainWindow() != nullptr; }, 30000, 50) ||
            !Report(WaitForHeldText(session, btnCancel, Table(IDS_EXIT), 1800000, 200), "the welcome page"))
            continue;
        unsigned long peak = PeakResidentKib(FindProcessRecord(kWizardName));
        std::printf("peak resident memory of the wizard, %-40s %8.1f MB\n", packages[i], peak / 1024.0);
        CancelOnWelcome(session);
    }
}

}  // namespace

constexpr int kSilentRounds = 3;

// Removes the product as a deployment tool would, through the programs
// list's quiet command, so that the next silent install starts from a
// machine without it (else it would remove the earlier one first).
bool RemoveTheProduct(const std::string& productKey)
{
    const std::string entry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + productKey;
    char command[1024] = "";
    DWORD size = sizeof command;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, entry.c_str(), "QuietUninstallString", RRF_RT_REG_SZ, nullptr, command,
                     &size) != ERROR_SUCCESS)
        return true;
    WizardSession tool("");
    return tool.StartCommand(command, "none") && tool.WaitForExit(120000) == 0;
}

// The floor of a silent install: the package's entries decoded and written
// into a folder, then each copied with CopyFileA into another, all in this
// process. Seconds; negative when the package cannot be read.
double UnpackAndCopyFloorSeconds(const std::string& packagePath)
{
    std::string bytes = ReadBytes(packagePath);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string unpacked = std::string(temp) + "floor-unpacked", copied = std::string(temp) + "floor-copied";
    CreateDirectoryA(unpacked.c_str(), nullptr);
    CreateDirectoryA(copied.c_str(), nullptr);
    std::vector<std::string> names;
    double start = Seconds();
    PackageWalk walk = WalkPackage(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                   [&](const WalkedEntry& entry) {
        HANDLE file = CreateFileA((unpacked + "\\" + entry.name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, entry.body, static_cast<DWORD>(entry.bodySize), &written, nullptr);
        CloseHandle(file);
        names.push_back(entry.name);
    });
    for (const std::string& name : names)
        CopyFileA((unpacked + "\\" + name).c_str(), (copied + "\\" + name).c_str(), FALSE);
    double seconds = Seconds() - start;
    for (const std::string& name : names) {
        DeleteFileA((unpacked + "\\" + name).c_str());
        DeleteFileA((copied + "\\" + name).c_str());
    }
    RemoveDirectoryA(unpacked.c_str());
    RemoveDirectoryA(copied.c_str());
    return walk.status == WalkStatus::Complete ? seconds : -1.0;
}

// A deployment tool's install (/VERYSILENT, from the start of the process
// to its exit) beside its floor, best of a few rounds each.
void MeasureSilentInstall(const char* what, const std::string& package, const std::string& productKey)
{
    double best = 1e9, floor = 1e9;
    for (int round = 0; round < kSilentRounds; ++round) {
        if (!Report(RemoveTheProduct(productKey), "the removal before a silent install"))
            return;
        WizardSession session(package);
        double start = Seconds();
        bool started = session.Start("/VERYSILENT");
        DWORD exitCode = started ? session.WaitForExit(120000) : STILL_ACTIVE;
        double wall = Seconds() - start;
        if (!Report(exitCode == kExitDone, "a silent install's exit code 0"))
            return;
        best = std::min(best, wall);
        floor = std::min(floor, UnpackAndCopyFloorSeconds(package));
    }
    RemoveTheProduct(productKey);
    if (!Report(floor > 0, "the package's floor"))
        return;
    std::printf("silent install of %-18s %6.2f s; floor (unpacking + CopyFileA) %6.3f s; ratio %5.2f"
                " (goal <= 1.3); beyond the floor %.2f s (best of %d)\n",
                what, best, floor, best / floor, best - floor, kSilentRounds);
}

// The sample, whose time goes mostly to the fixed work of any install (the
// process's start, a library's registration, the program manager's
// conversation, the link, the shell's notice), and the pace package, whose
// 16 MB file makes the copy the larger part.
void MeasureSilentInstalls()
{
    // What any run costs here before it does anything: a process that ends
    // at its command line.
    double bare = 1e9;
    for (int round = 0; round < kSilentRounds; ++round) {
        WizardSession session("");
        double start = Seconds();
        if (session.Start("/VERYSILENT /NOSUCHSWITCH") && session.WaitForExit(60000) == kExitBadCommandLine)
            bare = std::min(bare, Seconds() - start);
    }
    if (Report(bare < 1e9, "a run that ends at its command line"))
        std::printf("a silent run that ends at its command line (the process alone): %6.2f s\n", bare);
    MeasureSilentInstall("the sample:", BuildFile("sample\\_Data.001"), "Kestrel");
    MeasureSilentInstall("one 16 MB file:", BuildFile("bench\\pace\\_Data.001"), "KestrelPace");
}

// With "memory" and package paths, measures the unpacking's memory only;
// with "pace", the whole install's pace only; with "silent", the silent
// install beside its floor only; otherwise the optional
// argument is the number of starts.
int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "memory") {
        MeasureUnpackingMemory(argc - 2, argv + 2);
        return 0;
    }
    if (argc > 1 && std::string(argv[1]) == "pace") {
        MeasurePace();
        return 0;
    }
    if (argc > 1 && std::string(argv[1]) == "silent") {
        MeasureSilentInstalls();
        return 0;
    }
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("wizard: %s, package: %s\n", BuildFile("Instal.exe").c_str(), BuildFile("sample\\_Data.001").c_str());
    if (FindProcessRecord("bench_wizard.ex").empty())
        std::printf("no process records under Z:\\proc: processor times will read 0\n");
    MeasureStarts(runs);
    MeasureBareStart();
    MeasureIdleOnWelcome();
    MeasureUninstaller();
    MeasureInstall();
    MeasurePace();
    MeasureSilentInstalls();
    return 0;
}
