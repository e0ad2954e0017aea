#include "engine/entry_extraction.h"

#include <windows.h>

#include <algorithm>

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

// The bytes of the package after the current position: a packed size
// beyond them can only show as a cut stream, so no more is allocated.
DWORD RemainingPackageBytes(HANDLE package)
{
    DWORD size = GetFileSize(package, nullptr);
    DWORD position = SetFilePointer(package, 0, nullptr, FILE_CURRENT);
    return size >= position ? size - position : 0;
}

// The entry's block, decompressed from the package into `block`; the
// length of the block, or 0 when the entry is damaged (the caller reports it).
std::size_t DecompressEntry(Unpacking& unpacking, DWORD packedSize, unsigned char* packed, unsigned char* block,
                            std::size_t capacity)
{
    DWORD read = 0;
    ReadFile(unpacking.package, packed, packedSize, &read, nullptr);
    std::size_t produced = 0;
    if (!InflateEntry(packed, packedSize, block, capacity, produced, HookCallback, &unpacking.progress))
        return 0;
    return produced >= kEntryHeaderSize ? produced : 0;
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

int ExtractEntry(Unpacking& unpacking, const char* target)
{
    unsigned char sizeBytes[kEntrySizesLength];
    DWORD read = 0;
    if (!ReadFile(unpacking.package, sizeBytes, sizeof sizeBytes, &read, nullptr) || read != sizeof sizeBytes)
        return ReportError(IDS_PACKAGE_DAMAGED, nullptr, true);
    EntrySizes sizes = DecodeEntrySizes(sizeBytes);

    // No stream can fill more than MaxInflatedSize, so a larger claimed size
    // is not allocated; a size that cannot be had counts as damage.
    DWORD packedSize = std::min<DWORD>(sizes.packed, RemainingPackageBytes(unpacking.package));
    std::size_t capacity = std::min<std::size_t>(sizes.unpacked, MaxInflatedSize(packedSize));
    auto* packed = static_cast<unsigned char*>(GlobalAlloc(GPTR, packedSize));
    auto* block = static_cast<unsigned char*>(GlobalAlloc(GPTR, capacity));
    std::size_t length = 0;
    if (packed != nullptr && block != nullptr)
        length = DecompressEntry(unpacking, packedSize, packed, block, capacity);
    if (packed != nullptr)
        GlobalFree(packed);
    if (length == 0) {
        if (block != nullptr)
            GlobalFree(block);
        return ReportError(IDS_PACKAGE_DAMAGED, nullptr, true);
    }

    EntryHeader header = {};
    DecodeEntryHeader(block, length, header);
    SetFileAttributesA(target, FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        GlobalFree(block);
        return ReportError(IDS_WRITE_FAILED, target, true);
    }
    DWORD bodyLength = static_cast<DWORD>(length - kEntryHeaderSize);
    DWORD written = 0;
    bool complete = WriteFile(file, block + kEntryHeaderSize, bodyLength, &written, nullptr) && written == bodyLength;
    complete = CloseHandle(file) && complete;
    GlobalFree(block);
    // A full disk cuts the write short: a truncated file must never be
    // installed as if it were whole.
    if (!complete) {
        DeleteFileA(target);
        return ReportError(IDS_WRITE_FAILED, target, true);
    }

    ApplyEntryHeader(target, header);
    if (IsUninstallerPath(target))
        SetFileAttributesA(target, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    return 1;
}
