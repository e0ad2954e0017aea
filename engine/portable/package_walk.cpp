#include "engine/portable/package_walk.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/portable/entry_codec.h"

namespace {

// An embedded list file larger than this is taken for damage: no list that
// the wizard reads comes near it, and it is the one body held whole.
constexpr std::size_t kListFileLimit = 16u << 20;

struct Walker {
    const PackageSource& source;
    uint64_t position;   // bytes taken from the source so far
    std::vector<unsigned char> input;
    std::vector<unsigned char> window;
};

std::size_t ReadUpTo(Walker& walker, unsigned char* buffer, std::size_t size)
{
    std::size_t total = 0;
    for (std::size_t got = 1; total < size && got > 0; total += got)
        got = walker.source(buffer + total, size - total);
    walker.position += total;
    return total;
}

// Reads and drops what a stream left unread of its packed size.
void Discard(Walker& walker, uint64_t count)
{
    while (count > 0) {
        std::size_t wanted = static_cast<std::size_t>(std::min<uint64_t>(count, walker.input.size()));
        std::size_t got = ReadUpTo(walker, walker.input.data(), wanted);
        if (got == 0)
            return;
        count -= got;
    }
}

// One entry as its block comes out of the decoder: the header first, then
// the body, handed on in pieces or, for the list file, kept whole.
struct EntryDecoding {
    Walker& walker;
    WalkedEntry& entry;
    const BodyPiece& piece;
    std::vector<unsigned char>* kept;   // the list file's body; nullptr for the others
    BlockStart start;
    uint64_t packedRead;
    bool refused;
};

std::size_t ReadPacked(unsigned char* buffer, std::size_t size, void* context)
{
    auto& decoding = *static_cast<EntryDecoding*>(context);
    std::size_t got = decoding.walker.source(buffer, size);
    decoding.walker.position += got;
    decoding.packedRead += got;
    return got;
}

bool TakeBlock(const unsigned char* bytes, std::size_t size, void* context)
{
    auto& decoding = *static_cast<EntryDecoding*>(context);
    std::size_t headerPart = TakeHeaderPart(decoding.start, bytes, size);
    if (headerPart > 0 && decoding.start.length == kEntryHeaderSize)
        DecodeEntryHeader(decoding.start.header, kEntryHeaderSize, decoding.entry.header);
    bytes += headerPart;
    size -= headerPart;
    if (size == 0)
        return true;
    decoding.entry.bodySize += size;
    if (decoding.kept == nullptr)
        decoding.refused = !decoding.piece(decoding.entry, bytes, size);
    else if (decoding.kept->size() + size > kListFileLimit)
        decoding.refused = true;
    else
        decoding.kept->insert(decoding.kept->end(), bytes, bytes + size);
    return !decoding.refused;
}

// Decodes the entry record at the walker's position, its body handed on or
// kept; the entry is then visited by the caller.
WalkStatus WalkEntry(Walker& walker, WalkedEntry& entry, const BodyPiece& piece, std::vector<unsigned char>* kept)
{
    entry.offset = walker.position;
    unsigned char sizeBytes[kEntrySizesLength];
    if (ReadUpTo(walker, sizeBytes, kEntrySizesLength) != kEntrySizesLength)
        return WalkStatus::EntryMissing;
    entry.sizes = DecodeEntrySizes(sizeBytes);
    EntryDecoding decoding = {walker, entry, piece, kept, {}, 0, false};
    EntryStreamBuffers buffers = {walker.input.data(), walker.input.size(), walker.window.data(), walker.window.size()};
    EntryStreamIo io = {ReadPacked, TakeBlock, &decoding};
    uint64_t produced = 0;
    InflateResult result = InflateEntryStream(entry.sizes.packed, entry.sizes.unpacked, buffers, io, produced,
                                              nullptr, nullptr);
    if (decoding.refused)
        return kept != nullptr ? WalkStatus::ListDamaged : WalkStatus::Refused;
    if (result != InflateResult::Complete || decoding.start.length < kEntryHeaderSize)
        return WalkStatus::EntryDamaged;
    Discard(walker, entry.sizes.packed - decoding.packedRead);
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

// The list file, kept whole: read, then handed on.
WalkStatus TakeListFile(PackageWalk& walk, WalkedEntry& entry, const std::vector<unsigned char>& body,
                        const BodyPiece& piece)
{
    ListCursor cursor = {body.data(), body.size(), 0};
    if (ParseListFile(cursor, walk.list) != ListFileResult::Complete)
        return WalkStatus::ListDamaged;
    entry.body = body.data();
    if (!body.empty() && !piece(entry, body.data(), body.size()))
        return WalkStatus::Refused;
    return WalkStatus::Complete;
}

// Every file line must name a plain file; then the entries they count follow.
WalkStatus CheckFileNames(PackageWalk& walk)
{
    for (const std::string& line : walk.list.files) {
        if (!IsPlainFileName(FileLineName(line).c_str())) {
            walk.failedName = FileLineName(line);
            return WalkStatus::UnsafeName;
        }
    }
    walk.entriesExpected = 3 + walk.list.files.size();
    return WalkStatus::Complete;
}

}  // namespace

PackageWalk WalkPackageStream(const PackageSource& source, const BodyPiece& piece, const EntryVisitor& visit)
{
    PackageWalk walk;
    Walker walker = {source, 0, std::vector<unsigned char>(kStreamInputSize),
                     std::vector<unsigned char>(kStreamWindowSize)};
    unsigned char header[kPackageHeaderSize];
    std::size_t headerLength = ReadUpTo(walker, header, kPackageHeaderSize);
    walk.selector = DecodePackageHeader(header, headerLength);
    if (walk.selector == 0)
        return walk;
    walk.entriesExpected = 1;
    std::vector<unsigned char> listBody;
    for (std::size_t index = 0; index < walk.entriesExpected; ++index) {
        WalkedEntry entry = {};
        entry.index = index;
        entry.name = EntryName(index, walk);
        walk.failedName = entry.name;
        walk.status = WalkEntry(walker, entry, piece, index == 0 ? &listBody : nullptr);
        if (walk.status == WalkStatus::Complete && index == 0)
            walk.status = TakeListFile(walk, entry, listBody, piece);
        if (walk.status != WalkStatus::Complete) {
            walk.failedOffset = entry.offset;
            return walk;
        }
        ++walk.entriesRead;
        visit(entry);
        if (index == 0 && (walk.status = CheckFileNames(walk)) != WalkStatus::Complete)
            return walk;
    }
    walk.failedName.clear();
    uint64_t end = walker.position;
    Discard(walker, UINT64_MAX);
    walk.trailingBytes = walker.position - end;
    return walk;
}

PackageWalk WalkPackage(const unsigned char* bytes, std::size_t size, const EntryVisitor& visit)
{
    std::size_t position = 0;
    PackageSource source = [&](unsigned char* buffer, std::size_t wanted) {
        std::size_t count = std::min(wanted, size - position);
        std::memcpy(buffer, bytes + position, count);
        position += count;
        return count;
    };
    std::vector<unsigned char> body;
    BodyPiece collect = [&](const WalkedEntry&, const unsigned char* piece, std::size_t length) {
        body.insert(body.end(), piece, piece + length);
        return true;
    };
    return WalkPackageStream(source, collect, [&](const WalkedEntry& entry) {
        WalkedEntry whole = entry;
        whole.body = body.data();
        visit(whole);
        body.clear();
    });
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
    case WalkStatus::Refused: return "the entry's file could not be written";
    }
    return "unknown";
}
