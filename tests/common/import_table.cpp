#include "import_table.h"

#include <cstdint>

namespace {

constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::size_t kImportDirectory = 1;
constexpr std::size_t kImportDescriptorSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

bool ReadValue(const std::string& file, std::size_t offset, std::size_t width, std::uint32_t& value)
{
    if (offset > file.size() || width > file.size() - offset)
        return false;
    value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(file[offset + i]);
    return true;
}

// The file offset of an address of the loaded image, found through the
// section that holds it in the file.
bool FileOffset(const std::vector<Section>& sections, std::uint32_t address, std::size_t& offset)
{
    for (const Section& section : sections) {
        if (address >= section.virtualAddress && address - section.virtualAddress < section.rawSize) {
            offset = std::size_t{section.rawOffset} + (address - section.virtualAddress);
            return true;
        }
    }
    return false;
}

bool ReadName(const std::string& file, std::size_t offset, std::string& name)
{
    std::size_t end = file.find('\0', offset);
    if (offset >= file.size() || end == std::string::npos)
        return false;
    name = file.substr(offset, end - offset);
    return !name.empty();
}

}  // namespace

bool ReadImportedLibraries(const std::string& file, std::vector<std::string>& libraries)
{
    libraries.clear();
    std::uint32_t headerOffset = 0, signature = 0, sectionCount = 0, optionalSize = 0, magic = 0;
    if (file.compare(0, 2, "MZ") != 0 || !ReadValue(file, 0x3C, 4, headerOffset))
        return false;
    std::size_t header = headerOffset;
    if (!ReadValue(file, header, 4, signature) || signature != 0x4550 || !ReadValue(file, header + 6, 2, sectionCount)
        || !ReadValue(file, header + 20, 2, optionalSize))
        return false;
    std::size_t optional = header + 24;
    if (!ReadValue(file, optional, 2, magic) || (magic != kPe32Magic && magic != kPe32PlusMagic))
        return false;
    // The data directories follow the fields whose width differs between the two kinds.
    std::size_t countField = optional + (magic == kPe32Magic ? 92 : 108);
    std::uint32_t directoryCount = 0, importAddress = 0;
    if (!ReadValue(file, countField, 4, directoryCount))
        return false;
    if (directoryCount <= kImportDirectory)
        return true;
    if (!ReadValue(file, countField + 4 + kImportDirectory * 8, 4, importAddress))
        return false;
    if (importAddress == 0)
        return true;

    std::vector<Section> sections;
    std::size_t table = optional + optionalSize;
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
        Section section = {};
        std::size_t at = table + i * kSectionHeaderSize;
        if (!ReadValue(file, at + 12, 4, section.virtualAddress) || !ReadValue(file, at + 16, 4, section.rawSize)
            || !ReadValue(file, at + 20, 4, section.rawOffset))
            return false;
        sections.push_back(section);
    }

    std::size_t descriptor = 0;
    if (!FileOffset(sections, importAddress, descriptor))
        return false;
    // The list ends with a descriptor that names no library.
    for (;; descriptor += kImportDescriptorSize) {
        std::uint32_t nameAddress = 0;
        if (!ReadValue(file, descriptor + 12, 4, nameAddress))
            return false;
        if (nameAddress == 0)
            return true;
        std::size_t nameOffset = 0;
        std::string name;
        if (!FileOffset(sections, nameAddress, nameOffset) || !ReadName(file, nameOffset, name))
            return false;
        libraries.push_back(name);
    }
}
