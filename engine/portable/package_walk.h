#pragma once
// Walking a whole package entry by entry, in the order the format fixes:
// the list file, the logo, the uninstaller, then one entry per file line of
// the list file. The package comes from a source read in order, and each
// body is handed on in pieces as it is decoded, so that no entry is ever
// held whole; a package in memory can also be walked with whole bodies.
// Used by the package builder's list, verify and extract commands and by
// the decoder's fuzz target.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/portable/list_file.h"
#include "engine/portable/package_format.h"

enum class WalkStatus {
    Complete,
    BadHeader,       // magic missing or wrong, or selector not 1, 2 or 3
    EntryMissing,    // the package ends before an entry's size words
    EntryDamaged,    // the stream does not decode within the sizes, or the block is too short
    ListDamaged,     // the embedded list file does not read
    UnsafeName,      // a file line names something outside the folder
    Refused,         // the body's receiver stopped the walk
};

struct WalkedEntry {
    std::size_t index;          // 0 for the list file
    std::string name;
    uint64_t offset;            // of the entry record in the package
    EntrySizes sizes;
    EntryHeader header;         // read once the block's first 28 bytes are decoded
    const unsigned char* body;  // the whole body when walked in memory, during the visit; else nullptr
    uint64_t bodySize;
};

struct PackageWalk {
    WalkStatus status = WalkStatus::BadHeader;
    int selector = 0;
    std::size_t entriesRead = 0;    // entries decoded and visited
    std::size_t entriesExpected = 0;
    uint64_t failedOffset = 0;      // where the failing entry record starts
    std::string failedName;         // the entry that failed, or the unsafe name
    uint64_t trailingBytes = 0;     // after the last listed entry, never read
    ListFileContent list;
};

// Reads up to `size` bytes at the source's position; how many, 0 at its end.
using PackageSource = std::function<std::size_t(unsigned char* buffer, std::size_t size)>;
// Takes the next piece of an entry's body; false stops the walk (Refused).
using BodyPiece = std::function<bool(const WalkedEntry& entry, const unsigned char* bytes, std::size_t size)>;
// Called once an entry is wholly decoded; the body's pieces came before.
using EntryVisitor = std::function<void(const WalkedEntry&)>;

PackageWalk WalkPackageStream(const PackageSource& source, const BodyPiece& piece, const EntryVisitor& visit);

// The same over a package in memory, each body whole during its visit.
PackageWalk WalkPackage(const unsigned char* bytes, std::size_t size, const EntryVisitor& visit);

// A readable sentence for a walk's status.
const char* DescribeWalkStatus(WalkStatus status);
