#pragma once
// What the uninstaller finds about each installed file: its path relative to
// the destination folder and whether it was registered as a shared library.
#include <cstddef>
#include <cstdint>

// The two one-character flags that end a file line ("...,record,register").
struct FileFlags {
    int32_t record;            // non-zero: the file is listed for the uninstaller
    int32_t registerFlag;      // non-zero: self-registered and counted as shared
    char registerCharacter;    // the register flag as written in the line
};

// A line shorter than the two flags has both flags 0.
FileFlags ReadFileFlags(const char* line);

// The path to record for a file, given its full short path and the
// destination folder's short form with its backslash: the part after that
// prefix when the file lies inside the folder, else the full path, so a file
// installed elsewhere can still be found.
const char* RecordedFilePath(const char* fullPath, const char* destinationPrefix);

// "path,c": the recorded path, a comma and the register flag character.
void ComposeFileRecord(char* buffer, std::size_t capacity, const char* recordedPath, char registerCharacter);
