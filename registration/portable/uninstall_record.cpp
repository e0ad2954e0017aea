#include "registration/portable/uninstall_record.h"

#include <cstring>

#include "base/portable/text_helpers.h"
#include "engine/portable/list_file.h"

namespace {

int32_t FlagValue(char character)
{
    const char text[2] = {character, '\0'};
    return ParseNumber(text);
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(const char* text, const char* prefix, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        if (text[i] == '\0' || Lower(text[i]) != Lower(prefix[i]))
            return false;
    return true;
}

}  // namespace

FileFlags ReadFileFlags(const char* line)
{
    std::size_t length = std::strlen(line);
    if (length < 3)
        return FileFlags{0, 0, '0'};
    const char* flags = line + length - 3;
    return FileFlags{FlagValue(flags[0]), FlagValue(flags[2]), flags[2]};
}

const char* RecordedFilePath(const char* fullPath, const char* destinationPrefix)
{
    std::size_t length = std::strlen(destinationPrefix);
    if (length > 0 && StartsWithIgnoringCase(fullPath, destinationPrefix, length))
        return fullPath + length;
    return fullPath;
}

void ComposeFileRecord(char* buffer, std::size_t capacity, const char* recordedPath, char registerCharacter)
{
    CopyText(buffer, recordedPath, capacity);
    AppendChar(buffer, ',', capacity);
    AppendChar(buffer, registerCharacter, capacity);
}
