#include "base/portable/program_manager_commands.h"

#include <cstring>
#include <initializer_list>

#include "base/portable/characters.h"
#include "base/portable/text_helpers.h"

namespace {

bool ComposeWhole(char* buffer, std::size_t capacity, std::initializer_list<const char*> parts)
{
    std::size_t length = 0;
    for (const char* part : parts)
        length += std::strlen(part);
    buffer[0] = '\0';
    if (length + 1 > capacity)
        return false;
    for (const char* part : parts)
        std::strcat(buffer, part);
    return true;
}

}  // namespace

bool ComposeCreateGroup(char* block, const char* groupName)
{
    return ComposeWhole(block, kCommandBlockSize, {"[CreateGroup(\"", groupName, "\")]"});
}

bool ComposeDeleteGroup(char* block, const char* groupName)
{
    return ComposeWhole(block, kCommandBlockSize, {"[DeleteGroup(\"", groupName, "\")]"});
}

bool ComposeDeleteItem(char* block, const char* title)
{
    return ComposeWhole(block, kCommandBlockSize, {"[DeleteItem(\"", title, "\")]"});
}

bool ComposeAddItem(char* block, const char* path, const char* title)
{
    return ComposeWhole(block, kCommandBlockSize, {"[AddItem(\"", path, "\",\"", title, "\")]"});
}

bool ComposeItemPath(char* path, std::size_t capacity, const char* destination, const char* relative)
{
    std::size_t length = std::strlen(destination);
    bool needsSeparator = length > 0 && destination[length - 1] != '\\' && relative[0] != '\\';
    return ComposeWhole(path, capacity, {destination, needsSeparator ? "\\" : "", relative});
}

void SplitGroupItem(const char* line, char* title, char* relativePath, std::size_t capacity)
{
    const char* comma = std::strchr(line, ',');
    std::size_t titleLength = comma != nullptr ? static_cast<std::size_t>(comma - line) : std::strlen(line);
    if (titleLength + 1 > capacity)
        titleLength = capacity - 1;
    std::memcpy(title, line, titleLength);
    title[titleLength] = '\0';
    CopyText(relativePath, comma != nullptr ? comma + 1 : "", capacity);
}

void TrimBlanks(char* text)
{
    std::size_t start = 0;
    while (IsBlank(text[start]))
        ++start;
    std::size_t end = std::strlen(text);
    while (end > start && IsBlank(text[end - 1]))
        --end;
    std::memmove(text, text + start, end - start);
    text[end - start] = '\0';
}
