#include "engine/portable/file_line.h"

#include <cstring>

#include "base/portable/text_helpers.h"
#include "engine/portable/list_file.h"

void TrimExtensionSpace(char* name)
{
    char* dot = std::strchr(name, '.');
    if (dot == nullptr)
        return;
    char* after = dot + 1;
    if (std::strlen(after) >= 4 && after[3] == ' ')
        after[3] = '\0';
}

void SplitFileLine(const char* line, FileLineFields& fields)
{
    char rest[kFileLineCapacity];
    char number[kTextCapacity];
    CopyText(rest, line, sizeof rest);
    SplitFirstField(rest, fields.folder, sizeof fields.folder);
    SplitFirstField(rest, fields.name, sizeof fields.name);
    TrimExtensionSpace(fields.name);
    SplitFirstField(rest, number);
    fields.size = static_cast<uint32_t>(ParseNumber(number));
    SplitFirstField(rest, fields.versionHigh, sizeof fields.versionHigh);
    SplitFirstField(rest, fields.versionLow, sizeof fields.versionLow);
    SplitFirstField(rest, number);
    fields.replace = ParseNumber(number);
    SplitFirstField(rest, number);
    SplitFirstField(rest, number);
    fields.selfRegister = ParseNumber(number);
}
