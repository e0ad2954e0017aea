#pragma once
// Writing a data package: the header, then entry records in the format's
// order. The package builder and the tests build packages with it.
#include <cstddef>
#include <vector>

#include "engine/portable/package_format.h"

// The 4-byte header for the selector, as a new package.
std::vector<unsigned char> StartPackage(int selector);

// Appends one entry record: the block (header and body) compressed at the
// level, preceded by its two size words. False when the block is too large
// for the format's 32-bit sizes or the compressor fails.
bool AppendEntryRecord(std::vector<unsigned char>& package, const EntryHeader& header,
                       const unsigned char* body, std::size_t size, int level);
