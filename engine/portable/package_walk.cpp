#include "engine/portable/package_walk.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "engine/portable/entry_codec.h"

namespace {

struct Reader {
    const unsigned char* bytes;
    std::size_t size;
    std::size_t position;
};

// Decodes the entry record at the reader's position and visits it.
WalkStatus WalkEntry(Reader& reader, WalkedEntry& entry, const EntryVisitor& visit)
{
    entry.offset = reader.position;
    if (reader.size - reader.position < kEntrySizesLength)
        return WalkStatus::EntryMissing;
    unsigned char sizeBytes[kEntrySizesLength];
    std::memcpy(sizeBytes, reader.bytes + reader.position, kEntrySizesLength);
    reader.position += kEntrySizesLength;
    entry.sizes = DecodeEntrySizes(sizeBytes);
    std::size_t available = std::min<std::size_t>(entry.sizes.packed, reader.size - reader.position);
    const unsigned char* packed = reader.bytes + reader.position;
    reader.position += available;

    std::size_t capacity = std::min<std::size_t>(entry.sizes.unpacked, MaxInflatedSize(static_cast<uint32_t>(available)));
    std::unique_ptr<unsigned char[]> block(new unsigned char[capacity + 1]);
    std::size_t produced = 0;
    if (!InflateEntry(packed, available, block.get(), capacity, produced, nullptr, nullptr))
        return WalkStatus::EntryDamaged;
    if (!DecodeEntryHeader(block.get(), produced, entry.header))
        return WalkStatus::EntryDamaged;
    entry.body = block.get() + kEntryHeaderSize;
    entry.bodySize = produced - kEntryHeaderSize;
    visit(entry);
    return WalkStatus::Complete;
}

std::string EntryName(std::size_t index, const PackageWalk& walk)
{
    switch (index) {
    case 0: return ListFileNameForSelector(walk.selector);
    case 1: return kLogoName;
    case 2: return kUninstallerName;
    default: return FileLineName(walk.list.files[index - 3]);
    }
}

}  // namespace

PackageWalk WalkPackage(const unsigned char* bytes, std::size_t size, const EntryVisitor& visit)
{
    PackageWalk walk;
    walk.selector = DecodePackageHeader(bytes, size);
    if (walk.selector == 0)
        return walk;
    Reader reader = {bytes, size, kPackageHeaderSize};
    walk.entriesExpected = 1;
    for (std::size_t index = 0; index < walk.entriesExpected; ++index) {
        WalkedEntry entry = {};
        entry.index = index;
        entry.name = EntryName(index, walk);
        walk.failedName = entry.name;
        bool isList = index == 0;
        walk.status = WalkEntry(reader, entry, [&](const WalkedEntry& decoded) {
            if (isList) {
                ListCursor cursor = {decoded.body, decoded.bodySize, 0};
                if (ParseListFile(cursor, walk.list) != ListFileResult::Complete)
                    return;
            }
            ++walk.entriesRead;
            visit(decoded);
        });
        if (walk.status != WalkStatus::Complete) {
            walk.failedOffset = entry.offset;
            return walk;
        }
        if (isList && walk.entriesRead == 0) {
            walk.status = WalkStatus::ListDamaged;
            return walk;
        }
        if (isList) {
            for (const std::string& line : walk.list.files) {
                if (!IsPlainFileName(FileLineName(line).c_str())) {
                    walk.status = WalkStatus::UnsafeName;
                    walk.failedName = FileLineName(line);
                    return walk;
                }
            }
            walk.entriesExpected = 3 + walk.list.files.size();
        }
    }
    walk.failedName.clear();
    walk.trailingBytes = size - reader.position;
    return walk;
}

const char* DescribeWalkStatus(WalkStatus status)
{
    switch (status) {
    case WalkStatus::Complete: return "complete";
    case WalkStatus::BadHeader: return "not a data package (wrong magic or selector)";
    case WalkStatus::EntryMissing: return "the package ends before this entry";
    case WalkStatus::EntryDamaged: return "the entry does not decode within its sizes";
    case WalkStatus::ListDamaged: return "the embedded list file is malformed";
    case WalkStatus::UnsafeName: return "a file line names a file outside its folder";
    }
    return "unknown";
}
