#include "engine/portable/package_format.h"

#include <cstring>

#include "base/portable/characters.h"
#include "base/portable/safe_names.h"
#include "base/portable/text_helpers.h"

namespace {

const char* const kListFileNames[] = {"Instal.lst", "Setup.lst", "Instalar.lst"};

uint32_t ReadWord(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void WriteWord(unsigned char* bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint64_t ReadFileTime(const unsigned char* bytes)
{
    return static_cast<uint64_t>(ReadWord(bytes + 4)) << 32 | ReadWord(bytes);
}

void WriteFileTime(unsigned char* bytes, uint64_t value)
{
    WriteWord(bytes, static_cast<uint32_t>(value));
    WriteWord(bytes + 4, static_cast<uint32_t>(value >> 32));
}

}  // namespace

const char* ListFileNameForSelector(int selector)
{
    if (selector < 1 || selector > 3)
        return nullptr;
    return kListFileNames[selector - 1];
}

int SelectorForListFileName(const char* name)
{
    for (int selector = 1; selector <= 3; ++selector) {
        const char* known = kListFileNames[selector - 1];
        if (std::strlen(name) == std::strlen(known) && EqualNoCase(name, known, std::strlen(known)))
            return selector;
    }
    return 0;
}

bool HasPackageMagic(const unsigned char* bytes, std::size_t count)
{
    return count >= 2 && bytes[0] == kMagic0 && bytes[1] == kMagic1;
}

int DecodePackageHeader(const unsigned char* bytes, std::size_t count)
{
    if (count < kPackageHeaderSize || !HasPackageMagic(bytes, count))
        return 0;
    return ListFileNameForSelector(bytes[3]) != nullptr ? bytes[3] : 0;
}

void EncodePackageHeader(int selector, unsigned char (&header)[kPackageHeaderSize])
{
    header[0] = kMagic0;
    header[1] = kMagic1;
    header[2] = 0;
    header[3] = static_cast<unsigned char>(selector);
}

EntrySizes DecodeEntrySizes(const unsigned char (&bytes)[kEntrySizesLength])
{
    return EntrySizes{ReadWord(bytes), ReadWord(bytes + 4)};
}

void EncodeEntrySizes(const EntrySizes& sizes, unsigned char (&bytes)[kEntrySizesLength])
{
    WriteWord(bytes, sizes.unpacked);
    WriteWord(bytes + 4, sizes.packed);
}

bool DecodeEntryHeader(const unsigned char* block, std::size_t length, EntryHeader& header)
{
    if (length < kEntryHeaderSize)
        return false;
    header.attributes = ReadWord(block);
    header.creationTime = ReadFileTime(block + 4);
    header.accessTime = ReadFileTime(block + 12);
    header.writeTime = ReadFileTime(block + 20);
    return true;
}

std::size_t TakeHeaderPart(BlockStart& start, const unsigned char* piece, std::size_t size)
{
    std::size_t taken = kEntryHeaderSize - start.length;
    if (taken > size)
        taken = size;
    std::memcpy(start.header + start.length, piece, taken);
    start.length += taken;
    return taken;
}

void EncodeEntryHeader(const EntryHeader& header, unsigned char (&bytes)[kEntryHeaderSize])
{
    WriteWord(bytes, header.attributes);
    WriteFileTime(bytes + 4, header.creationTime);
    WriteFileTime(bytes + 12, header.accessTime);
    WriteFileTime(bytes + 20, header.writeTime);
}

bool IsUninstallerPath(const char* path)
{
    std::size_t length = std::strlen(path);
    std::size_t nameLength = sizeof kUninstallerName - 1;
    return length >= nameLength && EqualNoCase(path + length - nameLength, kUninstallerName, nameLength);
}

bool IsPlainFileName(const char* name)
{
    if (name[0] == '\0' || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
        return false;
    if (std::strpbrk(name, "\\/:") != nullptr)
        return false;
    return CheckNamePart(name) == NamePartProblem::None;
}

std::string FileLineName(const std::string& line)
{
    char rest[kTextCapacity];
    char field[kTextCapacity];
    CopyText(rest, line.c_str());
    SplitFirstField(rest, field);
    SplitFirstField(rest, field);
    return field;
}
