#pragma once
// The fields of one file line, as the copy step, the folder preparation and
// the rollback take them: target folder, name, size, the two version texts,
// the replace flag and the self-register flag (field 7 is not used).
#include <cstddef>
#include <cstdint>

constexpr std::size_t kFileLineCapacity = 1024;

struct FileLineFields {
    char folder[262];
    char name[128];
    uint32_t size;
    char versionHigh[64];
    char versionLow[82];
    int32_t replace;
    int32_t selfRegister;
};

// Splits the line (it is not changed). The name loses a space that follows
// a three-character extension and ends it ("Kestrel.exe " is "Kestrel.exe").
void SplitFileLine(const char* line, FileLineFields& fields);

// Ends the name at the space when its first "." is followed by exactly three
// characters and then a space.
void TrimExtensionSpace(char* name);
