#include "forms/portable/command_line.h"

#include <cstring>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

const char* AfterProgramPath(const char* text)
{
    if (*text == '"') {
        const char* closing = std::strchr(text + 1, '"');
        return closing != nullptr ? closing + 1 : text + std::strlen(text);
    }
    while (*text != '\0' && *text != ' ')
        ++text;
    return *text == ' ' ? text + 1 : text;
}

}  // namespace

void CommandArguments(const char* commandLine, char* buffer, std::size_t capacity)
{
    if (capacity == 0)
        return;
    const char* start = AfterProgramPath(commandLine);
    while (IsBlank(*start))
        ++start;
    const char* end = start + std::strlen(start);
    while (end > start && IsBlank(end[-1]))
        --end;
    std::size_t length = static_cast<std::size_t>(end - start);
    if (length > capacity - 1)
        length = capacity - 1;
    std::memcpy(buffer, start, length);
    buffer[length] = '\0';
}
