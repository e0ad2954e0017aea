#include "tools/pack_command.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "engine/portable/list_file.h"
#include "engine/portable/package_writer.h"
#include "tools/check_command.h"
#include "tools/file_bytes.h"
#include "tools/file_stamp.h"
#include "tools/list_fix.h"
#include "tools/streamed_entry.h"

namespace {

struct PackEntry {
    std::string name;
    std::string path;
    EntryHeader header;
    uint64_t size;
};

// Which line of a damaged list file does not read, and why: the reader
// takes every line in turn, so the first line that fails is the culprit.
std::string DescribeDamage(const std::vector<unsigned char>& bytes, ListFileResult result)
{
    if (result == ListFileResult::NoEntries)
        return "the entry count is 0";
    ListCursor cursor = {bytes.data(), bytes.size(), 0};
    char value[kListLineCapacity];
    std::size_t line = 1;
    LineResult read;
    while ((read = ReadListLine(cursor, value)) == LineResult::Value)
        ++line;
    std::string number = std::to_string(line);
    switch (read) {
    case LineResult::NoEquals: return "line " + number + " has no \"=\"";
    case LineResult::TooLong: return "line " + number + " is longer than 259 characters";
    default: return "the file ends before line " + number + " ends";
    }
}

bool ReadList(const BuilderOptions& options, const std::vector<unsigned char>& bytes, ListFileContent& list,
              std::FILE* errors)
{
    ListCursor cursor = {bytes.data(), bytes.size(), 0};
    ListFileResult result = ParseListFile(cursor, list);
    if (result == ListFileResult::Complete)
        return true;
    std::fprintf(errors, "package_builder: malformed list file %s: %s\n", options.listFile.c_str(),
                 DescribeDamage(bytes, result).c_str());
    return false;
}

void ApplyOverrides(const BuilderOptions& options, PackEntry& entry)
{
    for (int named = 0; named <= 1; ++named) {
        for (const StampOverride& stamp : options.overrides) {
            if (stamp.name.empty() == (named == 1) || (named == 1 && stamp.name != entry.name))
                continue;
            if (!stamp.isTime)
                entry.header.attributes = static_cast<uint32_t>(stamp.value);
            else
                entry.header.creationTime = entry.header.accessTime = entry.header.writeTime = stamp.value;
        }
    }
}

// The entries in the format's order, each examined on the file system.
bool CollectEntries(const BuilderOptions& options, const std::string& listName, const ListFileContent& list,
                    std::vector<PackEntry>& entries, std::FILE* errors)
{
    entries.push_back({listName, options.listFile, {}, 0});
    entries.push_back({kLogoName, JoinFilePath(options.folder, kLogoName), {}, 0});
    entries.push_back({kUninstallerName, JoinFilePath(options.folder, kUninstallerName), {}, 0});
    bool ok = true;
    for (std::size_t i = 0; i < list.files.size(); ++i) {
        std::string name = FileLineName(list.files[i]);
        if (!IsPlainFileName(name.c_str())) {
            std::fprintf(errors, "package_builder: file line %zu names \"%s\", which is not a plain file name\n",
                         i + 1, name.c_str());
            ok = false;
            continue;
        }
        entries.push_back({name, JoinFilePath(options.folder, name), {}, 0});
    }
    for (PackEntry& entry : entries) {
        std::string error;
        if (!QueryFileStamp(entry.path, entry.header, error)) {
            std::fprintf(errors, "package_builder: missing file %s: %s\n", entry.path.c_str(), error.c_str());
            ok = false;
            continue;
        }
        ApplyOverrides(options, entry);
    }
    return ok;
}

// One entry's compressed record, made by whichever worker took it.
struct CompressedEntry {
    bool done = false;
    bool streamed = false;        // left to the writer, which streams it from its file
    uint64_t streamedSize = 0;    // the streamed record's bytes
    std::vector<unsigned char> record;
    std::string error;
};

// Records made but not yet written, beyond which workers wait for the
// writer: memory holds that much of the package, not all of it.
constexpr std::size_t kHeldRecordBytes = 64u << 20;

// Workers take the largest entries first, so that no large one is left for
// the end while the other workers idle; the writer puts the records in the
// package in list order.
struct PackQueue {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::size_t> order;   // entry indices, largest file first
    std::size_t nextInOrder = 0;
    std::vector<bool> taken;
    std::size_t takenCount = 0;
    std::size_t written = 0;
    std::size_t heldBytes = 0;
    bool stopping = false;
    std::vector<CompressedEntry> results;
};

constexpr std::size_t kNoEntry = static_cast<std::size_t>(-1);

// The entry the writer waits for comes first; any other only while the
// records held stay under the bound.
std::size_t EntryToTake(PackQueue& queue)
{
    std::size_t count = queue.taken.size();
    if (queue.written < count && !queue.taken[queue.written])
        return queue.written;
    if (queue.heldBytes >= kHeldRecordBytes)
        return kNoEntry;
    while (queue.nextInOrder < count && queue.taken[queue.order[queue.nextInOrder]])
        ++queue.nextInOrder;
    return queue.nextInOrder < count ? queue.order[queue.nextInOrder] : kNoEntry;
}

std::vector<std::uintmax_t> FileSizes(const std::vector<PackEntry>& entries, std::size_t listSize)
{
    std::vector<std::uintmax_t> sizes;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::error_code unknown;
        std::uintmax_t size = i == 0 ? listSize : std::filesystem::file_size(entries[i].path, unknown);
        sizes.push_back(unknown ? 0 : size);
    }
    return sizes;
}

std::vector<std::size_t> LargestFirst(const std::vector<std::uintmax_t>& sizes)
{
    std::vector<std::size_t> order(sizes.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return sizes[a] > sizes[b]; });
    return order;
}

// The list file's bytes are the package's copy, which --fix-totals may have changed.
void CompressEntry(const BuilderOptions& options, const std::vector<unsigned char>& listBytes, PackEntry& entry,
                   bool isList, CompressedEntry& result)
{
    std::vector<unsigned char> body;
    std::string error;
    if (isList)
        body = listBytes;
    else if (!ReadFileBytes(entry.path, body, error)) {
        result.error = "cannot read " + entry.path + ": " + error;
        return;
    }
    entry.size = body.size();
    if (!AppendEntryRecord(result.record, entry.header, body.data(), body.size(), options.level))
        result.error = entry.path + " is too large for a package entry";
}

void CompressWhileEntriesLeft(const BuilderOptions& options, const std::vector<unsigned char>& listBytes,
                              std::vector<PackEntry>& entries, PackQueue& queue)
{
    for (;;) {
        std::size_t i = kNoEntry;
        {
            std::unique_lock<std::mutex> held(queue.lock);
            queue.changed.wait(held, [&] {
                return queue.stopping || queue.takenCount == entries.size() || (i = EntryToTake(queue)) != kNoEntry;
            });
            if (i == kNoEntry)
                return;
            queue.taken[i] = true;
            ++queue.takenCount;
        }
        CompressedEntry result;
        CompressEntry(options, listBytes, entries[i], i == 0, result);
        std::lock_guard<std::mutex> held(queue.lock);
        result.done = true;
        queue.heldBytes += result.record.size();
        queue.results[i] = std::move(result);
        queue.changed.notify_all();
    }
}

unsigned WorkerCount(const BuilderOptions& options)
{
    unsigned cores = std::thread::hardware_concurrency();
    return options.jobs != 0 ? options.jobs : (cores != 0 ? cores : 1);
}

// A line each time the whole percentage of entries written changes.
void ShowProgress(const BuilderOptions& options, std::size_t written, const std::vector<PackEntry>& entries,
                  std::FILE* progress)
{
    std::size_t percent = written * 100 / entries.size();
    if (options.quiet || (written > 1 && percent == (written - 1) * 100 / entries.size()))
        return;
    const PackEntry& entry = entries[written - 1];
    std::fprintf(progress, "[%3zu/%zu] %3zu%% %s (%llu bytes)\n", written, entries.size(), percent, entry.name.c_str(),
                 static_cast<unsigned long long>(entry.size));
}

// A large file is never held whole: it is no worker's, and the writer
// streams it into the package when its turn comes.
void LeaveLargeFilesToTheWriter(const std::vector<std::uintmax_t>& sizes, PackQueue& queue)
{
    for (std::size_t i = 1; i < sizes.size(); ++i) {
        if (sizes[i] <= kStreamedEntryBytes)
            continue;
        queue.taken[i] = true;
        ++queue.takenCount;
        queue.results[i].done = true;
        queue.results[i].streamed = true;
    }
}

void StreamEntry(const BuilderOptions& options, PackEntry& entry, std::FILE* output, CompressedEntry& result)
{
    StreamedEntry written = {};
    if (!AppendStreamedEntry(output, entry.path, entry.header, options.level, written, result.error))
        return;
    entry.size = written.bodySize;
    result.streamedSize = written.recordSize;
}

bool WriteEntries(const BuilderOptions& options, const std::vector<unsigned char>& listBytes,
                  std::vector<PackEntry>& entries, std::FILE* output, uint64_t& packedTotal, std::FILE* progress,
                  std::FILE* errors)
{
    PackQueue queue;
    unsigned workers = WorkerCount(options);
    queue.results.resize(entries.size());
    queue.taken.assign(entries.size(), false);
    std::vector<std::uintmax_t> sizes = FileSizes(entries, listBytes.size());
    queue.order = LargestFirst(sizes);
    LeaveLargeFilesToTheWriter(sizes, queue);
    std::vector<std::thread> threads;
    for (unsigned n = 0; n < workers; ++n)
        threads.emplace_back(CompressWhileEntriesLeft, std::cref(options), std::cref(listBytes), std::ref(entries),
                             std::ref(queue));
    bool ok = true;
    for (std::size_t i = 0; i < entries.size() && ok; ++i) {
        CompressedEntry result;
        {
            std::unique_lock<std::mutex> held(queue.lock);
            queue.changed.wait(held, [&] { return queue.results[i].done; });
            result = std::move(queue.results[i]);
        }
        if (result.streamed)
            StreamEntry(options, entries[i], output, result);
        if (!result.error.empty()) {
            std::fprintf(errors, "package_builder: %s\n", result.error.c_str());
            ok = false;
        } else if (std::fwrite(result.record.data(), 1, result.record.size(), output) != result.record.size()) {
            std::fprintf(errors, "package_builder: cannot write %s: %s\n", options.output.c_str(), std::strerror(errno));
            ok = false;
        } else {
            packedTotal += result.record.size() + result.streamedSize;
            ShowProgress(options, i + 1, entries, progress);
        }
        std::lock_guard<std::mutex> held(queue.lock);
        queue.heldBytes -= result.record.size();
        queue.written = i + 1;
        queue.stopping = !ok;
        queue.changed.notify_all();
    }
    for (std::thread& thread : threads)
        thread.join();
    return ok;
}

void PrintTotalsChanges(const BuilderOptions& options, const std::vector<TotalsChange>& changes,
                        std::FILE* progress)
{
    if (options.quiet)
        return;
    for (const TotalsChange& change : changes)
        std::fprintf(progress, "%s:%zu: note: %s written as %s in the package's copy (the list file says %s)\n",
                     options.listFile.c_str(), change.line, change.what.c_str(), change.after.c_str(),
                     change.before.c_str());
}

// The publisher's checks, on the list file as it will be packed. A list
// that the wizard cannot read at all is refused even with --force, by the
// reading that follows.
bool CheckBeforePacking(const BuilderOptions& options, std::vector<unsigned char>& listBytes, std::FILE* progress,
                        std::FILE* errors)
{
    ListLayout layout = ReadListLayout(listBytes);
    FolderFiles folder = LookUpFolder(options.folder, NamesInPackage(layout));
    if (options.fixTotals) {
        std::vector<TotalsChange> changes;
        listBytes = FixTotals(listBytes, layout, folder, changes);
        PrintTotalsChanges(options, changes, progress);
        layout = ReadListLayout(listBytes);
    }
    std::vector<Finding> findings = CheckListFile(layout, &folder);
    std::size_t errorCount = PrintFindings(options.listFile, findings, errors);
    ListCursor cursor = {listBytes.data(), listBytes.size(), 0};
    ListFileContent readable;
    if (errorCount == 0 || options.force || ParseListFile(cursor, readable) != ListFileResult::Complete)
        return true;
    std::fprintf(errors, "package_builder: %zu error%s in %s; no package written (--force packs it anyway)\n",
                 errorCount, errorCount == 1 ? "" : "s", options.listFile.c_str());
    return false;
}

}  // namespace

int RunPack(const BuilderOptions& options, std::FILE* progress, std::FILE* errors)
{
    std::vector<unsigned char> listBytes;
    std::string error;
    if (!ReadFileBytes(options.listFile, listBytes, error)) {
        std::fprintf(errors, "package_builder: cannot read list file %s: %s\n", options.listFile.c_str(), error.c_str());
        return 1;
    }
    int selector = options.selector != 0 ? options.selector : SelectorForListFileName(BaseName(options.listFile).c_str());
    if (selector == 0) {
        std::fprintf(errors, "package_builder: the list file must be named Instal.lst, Setup.lst or Instalar.lst, "
                             "or give --selector 1, 2 or 3\n");
        return 1;
    }
    if (!CheckBeforePacking(options, listBytes, progress, errors))
        return 1;
    ListFileContent list;
    std::vector<PackEntry> entries;
    if (!ReadList(options, listBytes, list, errors) ||
        !CollectEntries(options, ListFileNameForSelector(selector), list, entries, errors))
        return 1;

    std::FILE* output = std::fopen(options.output.c_str(), "wb");
    if (output == nullptr) {
        std::fprintf(errors, "package_builder: cannot write %s: %s\n", options.output.c_str(), std::strerror(errno));
        return 1;
    }
    std::vector<unsigned char> header = StartPackage(selector);
    uint64_t packedTotal = header.size();
    bool ok = std::fwrite(header.data(), 1, header.size(), output) == header.size() &&
              WriteEntries(options, listBytes, entries, output, packedTotal, progress, errors);
    if (std::fclose(output) != 0 && ok) {
        std::fprintf(errors, "package_builder: cannot write %s: %s\n", options.output.c_str(), std::strerror(errno));
        ok = false;
    }
    if (!ok) {
        std::remove(options.output.c_str());
        return 1;
    }
    uint64_t unpacked = 0;
    for (const PackEntry& entry : entries)
        unpacked += entry.size;
    if (!options.quiet)
        std::fprintf(progress, "%s: %zu entries, %llu bytes packed into %llu (%.1f%%)\n", options.output.c_str(),
                     entries.size(), static_cast<unsigned long long>(unpacked),
                     static_cast<unsigned long long>(packedTotal),
                     unpacked == 0 ? 100.0 : 100.0 * static_cast<double>(packedTotal) / static_cast<double>(unpacked));
    return 0;
}
