#pragma once
// One entry record written straight from its file into the package, a
// block at a time, for files too large to hold in memory.
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/portable/package_format.h"

// Files above this size are streamed; smaller ones are compressed whole.
constexpr uint64_t kStreamedEntryBytes = 8u << 20;

struct StreamedEntry {
    uint64_t bodySize;     // the file's bytes read
    uint64_t recordSize;   // the size words and the stream
};

// Appends the record at the output's end: size words left blank, the
// header and the file deflated in blocks, then the size words filled in.
// False with a reason when the file cannot be read, the output cannot be
// written, or the block would pass the format's 32-bit sizes.
bool AppendStreamedEntry(std::FILE* output, const std::string& path, const EntryHeader& header, int level,
                         StreamedEntry& written, std::string& error);
