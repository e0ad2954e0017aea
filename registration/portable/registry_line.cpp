#include "registration/portable/registry_line.h"

#include <cstring>

#include "engine/portable/list_file.h"

namespace {

// Copies the text up to the next comma (cut to the buffer) and returns where
// the next field starts.
const char* TakeField(const char* line, char* field)
{
    const char* end = std::strchr(line, ',');
    std::size_t length = end != nullptr ? static_cast<std::size_t>(end - line) : std::strlen(line);
    std::size_t kept = length < kTextCapacity ? length : kTextCapacity - 1;
    std::memcpy(field, line, kept);
    field[kept] = '\0';
    return end != nullptr ? end + 1 : line + length;
}

}  // namespace

bool SplitRegistryLine(const char* line, RegistryLine& parsed)
{
    char root[kTextCapacity];
    char nameAndData[kTextCapacity];
    line = TakeField(line, root);
    line = TakeField(line, parsed.key);
    TakeField(line, nameAndData);
    parsed.root = ParseNumber(root);
    parsed.valueName[0] = '\0';
    parsed.data[0] = '\0';
    char* at = std::strchr(nameAndData, '@');
    if (at == nullptr)
        return false;
    *at = '\0';
    CopyText(parsed.valueName, nameAndData);
    CopyText(parsed.data, at + 1);
    return true;
}
