// libFuzzer target: the list-file reader over arbitrary bytes. Besides not
// crashing, the reader must keep its promises: one result, success or one
// failure; no kept line longer than 259 characters; lists as long as their
// counts say.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/portable/list_file.h"

namespace {

constexpr std::size_t kLongestLine = kListLineCapacity - 1;
constexpr std::size_t kInformationLines = InformationLineCount;

void Require(bool promise)
{
    if (!promise)
        std::abort();
}

void RequireShortLines(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        Require(line.size() <= kLongestLine);
}

std::size_t LinesForCount(int32_t count)
{
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

// Every line on its own: each value fits the buffer, and the cursor only
// moves forward until the bytes run out.
void CheckLineByLine(const uint8_t* data, size_t size)
{
    ListCursor cursor = {data, size, 0};
    char value[kListLineCapacity];
    for (;;) {
        std::size_t before = cursor.position;
        LineResult result = ReadListLine(cursor, value);
        Require(std::string(value).size() <= kLongestLine);
        Require(cursor.position <= size);
        if (result == LineResult::Missing)
            return;
        Require(cursor.position > before);
    }
}

// Walks the bytes again line by line after a complete read: each sub-list's
// count line must give the length of the list that was kept.
void CheckSubListCounts(const uint8_t* data, size_t size, const ListFileContent& content)
{
    ListCursor cursor = {data, size, 0};
    char value[kListLineCapacity];
    // Setup kind, title, 8 information lines, progress total, entry count.
    std::size_t headLines = 12 + LinesForCount(content.entryCount);
    for (std::size_t i = 0; i < headLines; ++i)
        Require(ReadListLine(cursor, value) == LineResult::Value);
    for (const std::vector<std::string>* list : {&content.registry, &content.groupItems, &content.associations}) {
        Require(ReadListLine(cursor, value) == LineResult::Value);
        std::size_t expected = LinesForCount(ParseNumber(value));
        Require(list->size() == expected);
        for (std::size_t i = 0; i < expected; ++i)
            Require(ReadListLine(cursor, value) == LineResult::Value && (*list)[i] == value);
    }
}

void CheckWholeFile(const uint8_t* data, size_t size)
{
    ListCursor cursor = {data, size, 0};
    ListFileContent content;
    ListFileResult result = ParseListFile(cursor, content);
    Require(cursor.position <= size);
    Require(content.title.size() <= kLongestLine);
    for (const std::vector<std::string>* list : {&content.information, &content.files, &content.registry,
                                                 &content.groupItems, &content.associations})
        RequireShortLines(*list);
    for (const std::string& line : content.files)
        ParseNumber(line.c_str());
    Require(content.information.size() <= kInformationLines);
    Require(content.files.size() <= LinesForCount(content.entryCount));

    switch (result) {
    case ListFileResult::Complete:
        Require(content.setupKindRead && content.titleRead);
        Require(content.information.size() == kInformationLines);
        Require(content.entryCount != 0);
        Require(content.files.size() == LinesForCount(content.entryCount));
        CheckSubListCounts(data, size, content);
        break;
    case ListFileResult::NoEntries:
        Require(content.entryCount == 0 && content.files.empty());
        Require(content.information.size() == 8);
        break;
    case ListFileResult::Damaged:
        Require(content.information.size() < kInformationLines);
        break;
    default:
        Require(false);   // neither success nor one of the failures
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckLineByLine(data, size);
    CheckWholeFile(data, size);
    return 0;
}
