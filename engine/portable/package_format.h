#pragma once
// The data package "_Data.001": a 4-byte header, then entry records that
// follow each other without gaps. An entry record is two little-endian size
// words and one zlib stream; the stream decompresses to an entry block whose
// 28-byte header holds the file's attributes and its three file times.
// Pure code shared by the wizard's extraction and the package builder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/portable/product_files.h"

constexpr std::size_t kPackageHeaderSize = 4;
constexpr std::size_t kEntrySizesLength = 8;
constexpr std::size_t kEntryHeaderSize = 28;
constexpr unsigned char kMagic0 = 0x45;
constexpr unsigned char kMagic1 = 0x41;
// The attribute word that leaves a written file's attributes as created.
constexpr uint32_t kKeepAttributes = 0xFFFFFFFF;

// The list file's name for selector 1, 2 or 3; nullptr for any other value.
const char* ListFileNameForSelector(int selector);
// The selector whose name equals the text (without regard to case), or 0.
int SelectorForListFileName(const char* name);

// True when the first two bytes are the magic 0x45 0x41.
bool HasPackageMagic(const unsigned char* bytes, std::size_t count);

// The selector of a complete 4-byte header (the third byte is ignored), or
// 0 when the magic is wrong or the selector names no list file.
int DecodePackageHeader(const unsigned char* bytes, std::size_t count);
void EncodePackageHeader(int selector, unsigned char (&header)[kPackageHeaderSize]);

struct EntrySizes {
    uint32_t unpacked;   // capacity for the entry block, header included
    uint32_t packed;     // bytes of zlib data that follow
};
EntrySizes DecodeEntrySizes(const unsigned char (&bytes)[kEntrySizesLength]);
void EncodeEntrySizes(const EntrySizes& sizes, unsigned char (&bytes)[kEntrySizesLength]);

// FILETIME values as 64-bit counts (low word first in the block).
struct EntryHeader {
    uint32_t attributes;
    uint64_t creationTime;
    uint64_t accessTime;
    uint64_t writeTime;
};

// False when the block is shorter than its header.
bool DecodeEntryHeader(const unsigned char* block, std::size_t length, EntryHeader& header);
void EncodeEntryHeader(const EntryHeader& header, unsigned char (&bytes)[kEntryHeaderSize]);

// A block that arrives in pieces: its header bytes so far, then the body.
struct BlockStart {
    unsigned char header[kEntryHeaderSize];
    std::size_t length;   // header bytes received
};

// Takes what the piece has of the header; how many of its bytes that was
// (the rest is body).
std::size_t TakeHeaderPart(BlockStart& start, const unsigned char* piece, std::size_t size);

// True when the ends of a target path equal "KSUninst.exe" without regard
// to case: such a file always ends read-only and hidden.
bool IsUninstallerPath(const char* path);

// A file line's name may only name a file directly in the temp folder: not
// empty, no path separator, no drive or stream colon, not "." or "..", and
// no device name such as CON or LPT1.
bool IsPlainFileName(const char* name);

// Field 2 of a file line: the entry's file name.
std::string FileLineName(const std::string& line);
