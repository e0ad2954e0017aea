// Extraction benchmark, run under Wine by scripts/bench-package.sh: the
// engine's decode-and-write path (ExtractEntry) beside raw zlib inflate of
// the same streams; then the unpacking with a bar to move, beside its floor:
// the hook's calls times its 2 ms sleep, plus the same work without a bar.
#include <windows.h>
#include <commctrl.h>

#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/bar_position.h"
#include "engine/entry_extraction.h"
#include "engine/portable/entry_codec.h"
#include "engine/portable/package_walk.h"
#include "engine/progress_hook.h"
#include "engine/temp_folder.h"

namespace {

constexpr int kRounds = 3;

struct Stream {
    std::size_t offset;   // of the zlib data in the package
    EntrySizes sizes;
    std::string name;
};

double Seconds(LARGE_INTEGER start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

std::vector<unsigned char> ReadPackage(const char* path)
{
    std::vector<unsigned char> bytes;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return bytes;
    unsigned char chunk[1 << 16];
    std::size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + count);
    std::fclose(file);
    return bytes;
}

// Best time of raw inflate over every stream.
double TimeRawInflate(const std::vector<unsigned char>& package, const std::vector<Stream>& streams)
{
    double best = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER start = Now();
        for (const Stream& stream : streams) {
            std::vector<unsigned char> block(stream.sizes.unpacked);
            uLongf length = stream.sizes.unpacked;
            if (uncompress(block.data(), &length, package.data() + stream.offset, stream.sizes.packed) != Z_OK)
                std::fprintf(stderr, "raw inflate failed for %s\n", stream.name.c_str());
        }
        best = std::min(best, Seconds(start));
    }
    return best;
}

// A window with a bar, moved as the wizard's is; nothing else is shown.
class BarView final : public InstallView {
public:
    explicit BarView(HWND bar) : bar_(bar) {}
    void ShowBar(int percent) override
    {
        ShowBarPosition(bar_, static_cast<unsigned>(percent));
        UpdateWindow(bar_);
    }
    void ShowTask(int) override {}
    void ShowFile(const char*) override {}
    void ShowProgress(bool) override {}
    void EnableCancel(bool) override {}
    void ShowBusy(bool) override {}
    // The hook's pauses as the wizard's window takes them.
    void Pause(DWORD milliseconds, bool dispatch) override { WaitMilliseconds(milliseconds, dispatch); }
    void ShowListFile(const ListFileContent&) override {}
    void DispatchWaiting() override {}

private:
    HWND bar_;
};

struct EngineRun {
    double seconds;
    uint32_t hookCalls;
};

// Best time of ExtractEntry over every entry, each written into the folder,
// and the progress hook's calls in that round; every round counts from 0.
// Without a view the hook is inert.
EngineRun TimeEngine(const char* packagePath, const std::string& folder, const std::vector<Stream>& streams,
                     InstallView* view, uint32_t total)
{
    EngineRun best = {1e9, 0};
    for (int round = 0; round < kRounds; ++round) {
        Unpacking unpacking = {};
        AllocateEntryBuffers(unpacking.buffers);
        SetProgressTarget(unpacking.progress, view, total);
        unpacking.package = CreateFileA(packagePath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFilePointer(unpacking.package, static_cast<LONG>(kPackageHeaderSize), nullptr, FILE_BEGIN);
        LARGE_INTEGER start = Now();
        for (const Stream& stream : streams) {
            char target[kTextCapacity];
            CopyText(target, folder.c_str());
            JoinPath(target, stream.name.c_str());
            if (!ExtractEntry(unpacking, target))
                std::fprintf(stderr, "engine failed for %s\n", stream.name.c_str());
        }
        double seconds = Seconds(start);
        if (seconds < best.seconds)
            best = {seconds, unpacking.progress.calls};
        CloseHandle(unpacking.package);
        FreeEntryBuffers(unpacking.buffers);
    }
    return best;
}

// Best time of the engine's decoder loop alone, from the package in memory
// into a block of the entry's size, without the files.
double TimeEngineDecoder(const std::vector<unsigned char>& package, const std::vector<Stream>& streams)
{
    double best = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER start = Now();
        for (const Stream& stream : streams) {
            auto* block = static_cast<unsigned char*>(GlobalAlloc(GPTR, stream.sizes.unpacked));
            std::size_t produced = 0;
            InflateEntry(package.data() + stream.offset, stream.sizes.packed, block, stream.sizes.unpacked, produced,
                         nullptr, nullptr);
            GlobalFree(block);
        }
        best = std::min(best, Seconds(start));
    }
    return best;
}

void CountCall(uint32_t, bool, void* context)
{
    ++*static_cast<unsigned long*>(context);
}

// How often the engine's decoder offers the progress hook a call for these
// streams (at each deflate block and each stream's end).
unsigned long CountDecoderCalls(const std::vector<unsigned char>& package, const std::vector<Stream>& streams)
{
    unsigned long calls = 0;
    for (const Stream& stream : streams) {
        std::vector<unsigned char> block(stream.sizes.unpacked);
        std::size_t produced = 0;
        InflateEntry(package.data() + stream.offset, stream.sizes.packed, block.data(), block.size(), produced,
                     CountCall, &calls);
    }
    return calls;
}

HWND CreateBar()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HWND window = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 10, 300, 20, window, nullptr,
                               nullptr, nullptr);
    SendMessageA(bar, PBM_SETRANGE32, 0, 100);
    return bar;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_extract PACKAGE\n");
        return 2;
    }
    std::vector<unsigned char> package = ReadPackage(argv[1]);
    std::vector<Stream> streams;
    uint64_t output = 0;
    PackageWalk walk = WalkPackage(package.data(), package.size(), [&](const WalkedEntry& entry) {
        streams.push_back({static_cast<std::size_t>(entry.offset) + kEntrySizesLength, entry.sizes, entry.name});
        output += entry.sizes.unpacked;
    });
    if (walk.status != WalkStatus::Complete) {
        std::fprintf(stderr, "bench_extract: %s: %s\n", argv[1], DescribeWalkStatus(walk.status));
        return 1;
    }
    char temp[kTextCapacity];
    GetTempFolder(temp);
    std::string folder = std::string(temp) + "\\bench";
    CreateDirectoryA(folder.c_str(), nullptr);

    double megabytes = static_cast<double>(output) / 1e6;
    double raw = TimeRawInflate(package, streams);
    double engine = TimeEngine(argv[1], folder, streams, nullptr, 0).seconds;
    double decoder = TimeEngineDecoder(package, streams);
    unsigned long offered = CountDecoderCalls(package, streams);
    BarView view(CreateBar());
    EngineRun withBar = TimeEngine(argv[1], folder, streams, &view, static_cast<uint32_t>(output));
    double sleeps = withBar.hookCalls * 0.002;
    double floor = sleeps + engine;

    std::printf("entries: %zu, decompressed: %.1f MB (best of %d rounds)\n", streams.size(), megabytes, kRounds);
    std::printf("raw zlib inflate:            %7.3f s  %7.1f MB/s\n", raw, megabytes / raw);
    std::printf("engine decoder loop:         %7.3f s  %7.1f MB/s  ratio %.2f (target >= 0.90)\n", decoder,
                megabytes / decoder, raw / decoder);
    std::printf("engine decode-and-write:     %7.3f s  %7.1f MB/s  ratio %.2f; the files cost %.1f ms each\n",
                engine, megabytes / engine, raw / engine, 1000 * (engine - decoder) / streams.size());
    std::printf("progress hook: %u calls (the decoder offers %lu), the hook's 2 ms sleeps %.3f s\n",
                withBar.hookCalls, offered, sleeps);
    std::printf("unpacking with the bar set:  %7.3f s; floor (sleeps + decode-and-write) %.3f s;"
                " ratio %.2f (target <= 1.20)\n",
                withBar.seconds, floor, withBar.seconds / floor);
    return 0;
}
