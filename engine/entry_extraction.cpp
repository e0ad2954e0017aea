#include "engine/entry_extraction.h"

#include <windows.h>

#include "base/messages.h"
#include "engine/portable/entry_codec.h"
#include "engine/portable/package_format.h"
#include "engine/progress_hook.h"
#include "resources/string_ids.h"

namespace {

// Each call of the hook pauses 2 ms; one that cannot move the bar is left
// out, and the end of every stream is always counted.
void HookCallback(uint32_t count, bool end, void* context)
{
    ProgressState& progress = *static_cast<ProgressState*>(context);
    if (end || HookWouldMoveBar(progress, count))
        ProgressHook(progress, count, end);
}

FILETIME ToFileTime(uint64_t value)
{
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

// The entry's file as its block comes out of the decoder: the first 28
// bytes are the header, the rest is written to the target, which is created
// when its first bytes come.
struct EntryFile {
    const char* target;
    HANDLE package;
    HANDLE file;   // INVALID_HANDLE_VALUE until created
    BlockStart start;
};

std::size_t ReadPackage(unsigned char* buffer, std::size_t size, void* context)
{
    DWORD read = 0;
    if (!ReadFile(static_cast<EntryFile*>(context)->package, buffer, static_cast<DWORD>(size), &read, nullptr))
        return 0;
    return read;
}

// Set to normal first, so that a read-only or hidden older file can be replaced.
bool CreateTarget(EntryFile& entry)
{
    SetFileAttributesA(entry.target, FILE_ATTRIBUTE_NORMAL);
    entry.file = CreateFileA(entry.target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return entry.file != INVALID_HANDLE_VALUE;
}

bool WriteBody(const unsigned char* bytes, std::size_t size, void* context)
{
    EntryFile& entry = *static_cast<EntryFile*>(context);
    std::size_t headerPart = TakeHeaderPart(entry.start, bytes, size);
    bytes += headerPart;
    size -= headerPart;
    if (size == 0)
        return true;
    if (entry.file == INVALID_HANDLE_VALUE && !CreateTarget(entry))
        return false;
    DWORD written = 0;
    return WriteFile(entry.file, bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

// A damaged stream or a full disk leaves a partial file: it must never be
// installed as if it were whole.
int DiscardPartialFile(EntryFile& entry, int stringId, const char* shownWith)
{
    if (entry.file != INVALID_HANDLE_VALUE) {
        CloseHandle(entry.file);
        DeleteFileA(entry.target);
    }
    return ReportError(stringId, shownWith, true);
}

// The report for a decoding that did not complete.
int ReportFailure(EntryFile& entry, InflateResult result)
{
    switch (result) {
    case InflateResult::OutOfMemory: return DiscardPartialFile(entry, IDS_OUT_OF_MEMORY, nullptr);
    case InflateResult::Damaged: return DiscardPartialFile(entry, IDS_PACKAGE_DAMAGED, nullptr);
    default: return DiscardPartialFile(entry, IDS_WRITE_FAILED, entry.target);
    }
}

// The next entry starts where this one's packed bytes end, however much of
// them the stream used: positions pass 4 GiB in a large package.
void SkipTo(HANDLE package, ULONGLONG position)
{
    LONG high = static_cast<LONG>(position >> 32);
    SetFilePointer(package, static_cast<LONG>(position & 0xFFFFFFFF), &high, FILE_BEGIN);
}

ULONGLONG PackagePosition(HANDLE package)
{
    LONG high = 0;
    DWORD low = SetFilePointer(package, 0, &high, FILE_CURRENT);
    return (static_cast<ULONGLONG>(static_cast<DWORD>(high)) << 32) | low;
}

// Gives the written file its times and attributes; failures are ignored.
void ApplyEntryHeader(const char* target, const EntryHeader& header)
{
    HANDLE file = CreateFileA(target, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FILETIME creation = ToFileTime(header.creationTime);
    FILETIME access = ToFileTime(header.accessTime);
    FILETIME write = ToFileTime(header.writeTime);
    SetFileTime(file, &creation, &access, &write);
    CloseHandle(file);
    if (header.attributes != kKeepAttributes)
        SetFileAttributesA(target, header.attributes);
}

}  // namespace

bool AllocateEntryBuffers(EntryStreamBuffers& buffers)
{
    buffers.input = static_cast<unsigned char*>(GlobalAlloc(GMEM_FIXED, kStreamInputSize));
    buffers.window = static_cast<unsigned char*>(GlobalAlloc(GMEM_FIXED, kStreamWindowSize));
    buffers.inputSize = kStreamInputSize;
    buffers.windowSize = kStreamWindowSize;
    if (buffers.input != nullptr && buffers.window != nullptr)
        return true;
    FreeEntryBuffers(buffers);
    return false;
}

void FreeEntryBuffers(EntryStreamBuffers& buffers)
{
    if (buffers.input != nullptr)
        GlobalFree(buffers.input);
    if (buffers.window != nullptr)
        GlobalFree(buffers.window);
    buffers = {};
}

int ExtractEntry(Unpacking& unpacking, const char* target)
{
    unsigned char sizeBytes[kEntrySizesLength];
    DWORD read = 0;
    if (!ReadFile(unpacking.package, sizeBytes, sizeof sizeBytes, &read, nullptr) || read != sizeof sizeBytes)
        return ReportError(IDS_PACKAGE_DAMAGED, nullptr, true);
    EntrySizes sizes = DecodeEntrySizes(sizeBytes);
    ULONGLONG next = PackagePosition(unpacking.package) + sizes.packed;

    EntryFile entry = {target, unpacking.package, INVALID_HANDLE_VALUE, {}};
    EntryStreamIo io = {ReadPackage, WriteBody, &entry};
    uint64_t produced = 0;
    InflateResult result = InflateEntryStream(sizes.packed, sizes.unpacked, unpacking.buffers, io, produced,
                                              HookCallback, &unpacking.progress);
    if (result == InflateResult::Complete && entry.start.length < kEntryHeaderSize)
        result = InflateResult::Damaged;
    // An empty body creates its file only now.
    if (result == InflateResult::Complete && entry.file == INVALID_HANDLE_VALUE && !CreateTarget(entry))
        result = InflateResult::WriteFailed;
    if (result != InflateResult::Complete)
        return ReportFailure(entry, result);
    // A full disk can show only when the last bytes are flushed.
    if (!CloseHandle(entry.file)) {
        DeleteFileA(target);
        return ReportError(IDS_WRITE_FAILED, target, true);
    }
    SkipTo(unpacking.package, next);

    EntryHeader header = {};
    DecodeEntryHeader(entry.start.header, kEntryHeaderSize, header);
    ApplyEntryHeader(target, header);
    if (IsUninstallerPath(target))
        SetFileAttributesA(target, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    return 1;
}
