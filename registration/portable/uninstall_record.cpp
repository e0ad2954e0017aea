#include "registration/portable/uninstall_record.h"

#include <cstring>

#include "base/portable/characters.h"
#include "base/portable/text_helpers.h"
#include "engine/portable/list_file.h"

namespace {

int32_t FlagValue(char character)
{
    const char text[2] = {character, '\0'};
    return ParseNumber(text);
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
    if (length > 0 && EqualNoCase(fullPath, destinationPrefix, length))
        return fullPath + length;
    return fullPath;
}

void ComposeFileRecord(char* buffer, std::size_t capacity, const char* recordedPath, char registerCharacter)
{
    CopyText(buffer, recordedPath, capacity);
    AppendChar(buffer, ',', capacity);
    AppendChar(buffer, registerCharacter, capacity);
}
