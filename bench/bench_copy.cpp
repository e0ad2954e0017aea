// Measures the copy step on a set of mixed files (50 MB unless a size in MB
// is given): wall time, the share of it that the step's fixed pauses account
// for, the rest beside CopyFileA of the same files, and the processor time
// that the pauses use.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/copy_files.h"
#include "engine/copy_progress.h"
#include "engine/copy_with_times.h"
#include "engine/journal_end.h"
#include "wizard/control_ids.h"
#include "wizard/form_install_view.h"
#include "wizard/wizard_state.h"

namespace {

constexpr DWORD kChunk = 16384;
constexpr double kChunkPauseSeconds = 0.025;   // 15 ms after the bar, 10 ms wait
constexpr double kFilePauseSeconds = 0.015;

struct FileSet {
    std::vector<std::string> names;
    std::vector<DWORD> sizes;
    unsigned long long bytes = 0;
    unsigned long long chunks = 0;
};

double Seconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double ProcessorSeconds()
{
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    auto value = [](FILETIME t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

void WriteFileOfSize(const std::string& path, DWORD size)
{
    std::string bytes(size, '\0');
    for (DWORD i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 2654435761u) >> 24);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), size, &written, nullptr);
    CloseHandle(file);
}

// Large, middle and small files in the proportions 80 %, 16 % and 4 %.
FileSet MakeFiles(const std::string& folder, unsigned megabytes)
{
    struct Kind {
        const char* prefix;
        DWORD size;
        double share;
    };
    const Kind kinds[] = {{"Large", 4u << 20, 0.80}, {"Middle", 200u << 10, 0.16}, {"Small", 10u << 10, 0.04}};
    FileSet set;
    for (const Kind& kind : kinds) {
        unsigned count = static_cast<unsigned>(kind.share * megabytes * 1048576.0 / kind.size + 0.5);
        for (unsigned i = 0; i < count; ++i) {
            std::string name = std::string(kind.prefix) + std::to_string(i) + ".bin";
            WriteFileOfSize(folder + "\\" + name, kind.size);
            set.names.push_back(name);
            set.sizes.push_back(kind.size);
            set.bytes += kind.size;
            set.chunks += (kind.size + kChunk - 1) / kChunk;
        }
    }
    return set;
}

void MakeWindow()
{
    HWND window = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    CreateWindowExA(0, PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE, 10, 10, 300, 20, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(prbPerCent)), nullptr, nullptr);
    CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE, 10, 40, 300, 20, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(stcFile)), nullptr, nullptr);
    g_wizard.mainWindow = window;
}

double CopyFileSeconds(const FileSet& set, const std::string& from, const std::string& to)
{
    double start = Seconds();
    for (const std::string& name : set.names)
        CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    return Seconds() - start;
}

struct PauseRun {
    double secondsPerRound;
    double processorShare;   // processor seconds per second of pause
};

// A run of one chunk's pauses alone, as the step makes them.
PauseRun MeasurePauses(unsigned rounds)
{
    double cpu = ProcessorSeconds();
    double start = Seconds();
    for (unsigned i = 0; i < rounds; ++i) {
        WaitMilliseconds(15, false);
        WaitMilliseconds(10, true);
    }
    double wall = Seconds() - start;
    return {wall / rounds, (ProcessorSeconds() - cpu) / wall};
}

// How much longer than asked a wait lasts, on average.
double MeanOvershootMs(DWORD milliseconds, bool dispatch, unsigned rounds)
{
    double start = Seconds();
    for (unsigned i = 0; i < rounds; ++i)
        WaitMilliseconds(milliseconds, dispatch);
    return (Seconds() - start) * 1000.0 / rounds - milliseconds;
}

// One bar update without its pause, as every chunk makes it.
double SecondsPerProgressUpdate(unsigned rounds)
{
    double start = Seconds();
    for (unsigned i = 0; i < rounds; ++i)
        ShowCopyProgress(FormInstallView(), i % 100, 100, false);
    return (Seconds() - start) / rounds;
}

}  // namespace

int main(int argc, char** argv)
{
    unsigned megabytes = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 50;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    ResetWizardState();
    AllocateWorkBuffers();
    MakeWindow();

    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    std::string root = std::string(base) + "InstalBench";
    std::string temp = root + "\\Temp", target = root + "\\Target", plain = root + "\\Plain";
    for (const std::string& folder : {root, temp, target, plain})
        CreateDirectoryA(folder.c_str(), nullptr);
    FileSet set = MakeFiles(temp, megabytes);

    double copyFileSeconds = CopyFileSeconds(set, temp, plain);

    for (std::size_t i = 0; i < set.names.size(); ++i)
        g_wizard.job.targetLines.push_back(target + "," + set.names[i] + "," + std::to_string(set.sizes[i]) + ",,,1,0,0");
    g_wizard.model.entryCount = static_cast<int32_t>(set.names.size());
    g_wizard.model.progressTotal = static_cast<uint32_t>(set.bytes);
    InstallJob& job = g_wizard.job;
    job.model = &g_wizard.model;
    CopyText(job.tempFolder, temp.c_str());
    job.view = &FormInstallView();
    job.cancel = &g_wizard.cancel;
    // The wizard's copy notes every file in its journal first; BENCH_JOURNAL=0
    // measures the step without one, for comparison.
    char journalSetting[8] = "";
    GetEnvironmentVariableA("BENCH_JOURNAL", journalSetting, sizeof journalSetting);
    bool journal = std::string(journalSetting) != "0" && OpenJournal(job.journal, "InstalBench") == JournalOpening::Opened;

    double cpuStart = ProcessorSeconds();
    double start = Seconds();
    int result = CopyFiles(job);
    double wall = Seconds() - start;
    double cpu = ProcessorSeconds() - cpuStart;
    CompleteJournal(job.journal);

    double pauses = set.chunks * kChunkPauseSeconds + set.names.size() * kFilePauseSeconds;
    double rest = wall - pauses;
    PauseRun pauseRun = MeasurePauses(200);
    double progressUpdate = SecondsPerProgressUpdate(200);
    double oneStart = Seconds();
    CopyWithTimes(job, (plain + "\\" + set.names[0]).c_str(), (target + "\\again.bin").c_str(), 0);
    double oneFile = Seconds() - oneStart;
    DeleteFileA((target + "\\again.bin").c_str());

    std::printf("files: %zu, bytes: %llu, chunks of 16 KB: %llu, CopyFiles result: %d, journal: %s\n",
                set.names.size(), set.bytes, set.chunks, result, journal ? "on" : "off");
    std::printf("wall time of CopyFiles:          %8.2f s\n", wall);
    std::printf("fixed pauses (25 ms a chunk, 15 ms a file): %8.2f s (%.1f %% of the wall time)\n", pauses, 100.0 * pauses / wall);
    std::printf("rest (copying and bookkeeping):  %8.2f s\n", rest);
    std::printf("CopyFileA of the same files:     %8.2f s (rest / CopyFileA = %.2f)\n", copyFileSeconds,
                copyFileSeconds > 0 ? rest / copyFileSeconds : 0.0);
    std::printf("processor time in CopyFiles:     %8.2f s (%.1f %% of its wall time)\n", cpu, 100.0 * cpu / wall);
    std::printf("processor time during pauses:    %8.4f s per second of pause (%.2f s over the step's pauses)\n",
                pauseRun.processorShare, pauseRun.processorShare * pauses);
    std::printf("one chunk's pauses measured:     %8.1f ms (nominal 25 ms)\n", pauseRun.secondsPerRound * 1000.0);
    std::printf("CopyWithTimes of %lu bytes:   %8.2f s (%lu chunks)\n", static_cast<unsigned long>(set.sizes[0]), oneFile,
                static_cast<unsigned long>((set.sizes[0] + kChunk - 1) / kChunk));
    std::printf("one bar update without pause:    %8.1f ms\n", progressUpdate * 1000.0);
    std::printf("copy step / (pauses + CopyFileA): %7.2f\n", wall / (pauses + copyFileSeconds));
    for (DWORD milliseconds : {10u, 15u}) {
        for (bool dispatch : {false, true})
            std::printf("mean overshoot of a %2lu ms wait%s: %6.2f ms\n", static_cast<unsigned long>(milliseconds),
                        dispatch ? " with dispatch   " : " without dispatch", MeanOvershootMs(milliseconds, dispatch, 100));
    }

    for (const std::string& name : set.names) {
        DeleteFileA((target + "\\" + name).c_str());
        DeleteFileA((plain + "\\" + name).c_str());
        DeleteFileA((temp + "\\" + name).c_str());
    }
    for (const std::string& folder : {target, plain, temp, root})
        RemoveDirectoryA(folder.c_str());
    return result == 1 ? 0 : 1;
}
