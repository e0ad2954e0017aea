#include "engine/portable/package_writer.h"

#include <cstdint>
#include <cstring>

#include "engine/portable/entry_codec.h"

std::vector<unsigned char> StartPackage(int selector)
{
    unsigned char header[kPackageHeaderSize];
    EncodePackageHeader(selector, header);
    return std::vector<unsigned char>(header, header + kPackageHeaderSize);
}

bool AppendEntryRecord(std::vector<unsigned char>& package, const EntryHeader& header,
                       const unsigned char* body, std::size_t size, int level)
{
    if (size > UINT32_MAX - kEntryHeaderSize)
        return false;
    std::vector<unsigned char> block(kEntryHeaderSize + size);
    unsigned char headerBytes[kEntryHeaderSize];
    EncodeEntryHeader(header, headerBytes);
    std::memcpy(block.data(), headerBytes, kEntryHeaderSize);
    if (size > 0)
        std::memcpy(block.data() + kEntryHeaderSize, body, size);

    std::size_t start = package.size();
    package.resize(start + kEntrySizesLength);
    if (!DeflateEntry(block.data(), block.size(), level, package)) {
        package.resize(start);
        return false;
    }
    std::size_t packed = package.size() - start - kEntrySizesLength;
    if (packed > UINT32_MAX) {
        package.resize(start);
        return false;
    }
    unsigned char sizeBytes[kEntrySizesLength];
    EncodeEntrySizes({static_cast<uint32_t>(block.size()), static_cast<uint32_t>(packed)}, sizeBytes);
    std::memcpy(package.data() + start, sizeBytes, kEntrySizesLength);
    return true;
}
