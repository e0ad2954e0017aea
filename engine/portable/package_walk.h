#pragma once
// Walking a whole package held in memory, entry by entry, in the order the
// format fixes: the list file, the logo, the uninstaller, then one entry per
// file line of the list file. Used by the package builder's list, verify and
// extract commands and by the decoder's fuzz target.
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
};

struct WalkedEntry {
    std::size_t index;          // 0 for the list file
    std::string name;
    std::size_t offset;         // of the entry record in the package
    EntrySizes sizes;
    EntryHeader header;
    const unsigned char* body;  // the file's bytes, valid during the visit
    std::size_t bodySize;
};

struct PackageWalk {
    WalkStatus status = WalkStatus::BadHeader;
    int selector = 0;
    std::size_t entriesRead = 0;    // entries decoded and visited
    std::size_t entriesExpected = 0;
    std::size_t failedOffset = 0;   // where the failing entry record starts
    std::string failedName;         // the entry that failed, or the unsafe name
    std::size_t trailingBytes = 0;  // after the last listed entry, never read
    ListFileContent list;
};

using EntryVisitor = std::function<void(const WalkedEntry&)>;

PackageWalk WalkPackage(const unsigned char* bytes, std::size_t size, const EntryVisitor& visit);

// A readable sentence for a walk's status.
const char* DescribeWalkStatus(WalkStatus status);
