#pragma once
// The list file's grammar and number syntax: lines "label=value", read in a
// fixed order into the parts of the install model. Pure code over bytes in
// memory; the Win32 layer (engine/list_reader) opens the file and fills the
// install model.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr std::size_t kListLineCapacity = 260;   // 259 characters and the zero

// The one number syntax of the list file: decimal, or with the suffixes
// h (hexadecimal), b or y (binary), o or q (octal). Overflow wraps.
int32_t ParseNumber(const char* text);

// The list file's bytes and the reading position.
struct ListCursor {
    const unsigned char* bytes;
    std::size_t size;
    std::size_t position;
};

enum class LineResult {
    Value,      // the value after the first "=" is in the buffer
    Missing,    // the file ended before a line end
    NoEquals,   // the line holds no "="
    TooLong,    // more than 259 characters
};

// Reads one line (ended by CR, LF, CR LF or LF CR) and leaves the text after
// its first "=" in the buffer.
LineResult ReadListLine(ListCursor& cursor, char (&value)[kListLineCapacity]);

// Reads a count line and, when the count is above 0, that many lines.
LineResult ReadSubList(ListCursor& cursor, std::vector<std::string>& lines);

// Indexes of the information list.
enum InformationLine {
    InfoProductName = 0,
    InfoVersion = 1,
    InfoDefaultFolder = 2,
    InfoSystemInstall = 3,
    InfoReserved = 4,
    InfoWelcomeText = 5,
    InfoLanguage = 6,
    InfoProductKey = 7,
    InfoShortcutTarget = 8,
    InfoClosingMessage = 9,
    InfoUninstallName = 10,
    InformationLineCount = 11,
};

// The setup kind on the list file's first line.
enum SetupKind {
    SetupKindWithoutOptions = 0,   // no options page, no associations, no check for a running copy
    SetupKindFull = 1,
    SetupKindWithoutToolset = 2,   // no toolset choice and no toolset setting
};

// What a list file holds, as far as it could be read.
struct ListFileContent {
    bool setupKindRead = false;
    int32_t setupKind = 0;
    bool titleRead = false;
    std::string title;
    std::vector<std::string> information;
    int32_t systemInstall = 0;
    uint32_t progressTotal = 0;
    int32_t entryCount = 0;
    std::vector<std::string> files;
    std::vector<std::string> registry;
    std::vector<std::string> groupItems;
    std::vector<std::string> associations;
};

enum class ListFileResult {
    Complete,
    Damaged,          // a line is missing, malformed or too long
    NoEntries,        // the entry count is 0
};

// Reads a whole list file in its fixed order. On failure the content holds
// what was read before it.
ListFileResult ParseListFile(ListCursor& cursor, ListFileContent& content);
