#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "import_table.h"

namespace {

constexpr std::size_t kHeader = 0x40;
constexpr std::uint32_t kSectionAddress = 0x3000;
constexpr std::size_t kSectionOffset = 0x400;

void Put(std::string& file, std::size_t offset, std::uint32_t value, std::size_t width)
{
    if (file.size() < offset + width)
        file.resize(offset + width, '\0');
    for (std::size_t i = 0; i < width; ++i)
        file[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A program file as the linker lays it out, reduced to what the import
// directory needs: the headers, one section holding the descriptors and the
// library names behind them.
std::string ProgramFile(bool plus, const std::vector<std::string>& libraries)
{
    std::string file = "MZ";
    Put(file, 0x3C, kHeader, 4);
    Put(file, kHeader, 0x4550, 4);
    Put(file, kHeader + 4, plus ? 0x8664 : 0x14C, 2);
    Put(file, kHeader + 6, 1, 2);
    std::size_t directories = plus ? 112 : 96;
    std::size_t optionalSize = directories + 16 * 8;
    Put(file, kHeader + 20, static_cast<std::uint32_t>(optionalSize), 2);
    std::size_t optional = kHeader + 24;
    Put(file, optional, plus ? 0x20B : 0x10B, 2);
    Put(file, optional + directories - 4, 16, 4);
    Put(file, optional + directories + 8, kSectionAddress, 4);
    std::size_t section = optional + optionalSize;
    Put(file, section + 8, 0x1000, 4);
    Put(file, section + 12, kSectionAddress, 4);
    Put(file, section + 16, 0x200, 4);
    Put(file, section + 20, kSectionOffset, 4);

    std::size_t name = (libraries.size() + 1) * 20;
    for (std::size_t i = 0; i < libraries.size(); ++i) {
        Put(file, kSectionOffset + i * 20 + 12, static_cast<std::uint32_t>(kSectionAddress + name), 4);
        file.resize(kSectionOffset + name);
        file += libraries[i] + '\0';
        name += libraries[i].size() + 1;
    }
    file.resize(kSectionOffset + 0x200, '\0');
    return file;
}

TEST(ImportTable, ReadsTheLibrariesOfBothKindsOfProgram)
{
    const std::vector<std::string> expected = {"KERNEL32.dll", "msvcrt.dll", "VERSION.dll"};
    for (bool plus : {false, true}) {
        std::vector<std::string> libraries;
        EXPECT_TRUE(ReadImportedLibraries(ProgramFile(plus, expected), libraries)) << plus;
        EXPECT_EQ(libraries, expected) << plus;
    }
    std::vector<std::string> libraries = {"left over"};
    EXPECT_TRUE(ReadImportedLibraries(ProgramFile(true, {}), libraries));
    EXPECT_TRUE(libraries.empty());
}

TEST(ImportTable, RefusesFilesThatAreNotProgramsOrReachOutside)
{
    const std::string good = ProgramFile(false, {"USER32.dll"});
    std::string notProgram = good;
    notProgram[0] = 'X';
    std::string badMagic = good;
    Put(badMagic, kHeader + 24, 0x107, 2);
    std::string nameOutside = good;
    Put(nameOutside, kSectionOffset + 12, 0x9000, 4);
    std::string headerOutside = good;
    Put(headerOutside, 0x3C, 0xFFFFFFF0, 4);
    const std::string cases[] = {
        "", "MZ", notProgram, badMagic, nameOutside, headerOutside,
        good.substr(0, kSectionOffset + 10),   // cut within the descriptors
        good.substr(0, kSectionOffset + 45),   // cut within the library's name
    };
    for (const std::string& file : cases) {
        std::vector<std::string> libraries;
        EXPECT_FALSE(ReadImportedLibraries(file, libraries)) << file.size() << " bytes";
    }
}

}  // namespace
