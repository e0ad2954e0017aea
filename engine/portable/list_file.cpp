#include "engine/portable/list_file.h"

#include <cstring>

namespace {

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = Upper(c);
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

// The suffix letter that ends a number's taken characters chooses its base.
unsigned BaseOfSuffix(char last)
{
    switch (Upper(last)) {
    case 'B': case 'Y': return 2;
    case 'H': return 16;
    case 'O': case 'Q': return 8;
    default: return 10;
    }
}

bool IsLineEnd(unsigned char c)
{
    return c == '\r' || c == '\n';
}

}  // namespace

int32_t ParseNumber(const char* text)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool hasSign = false;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        hasSign = true;
        negative = *p == '-';
        ++p;
    }
    const char* digits = p;
    const char* end = p;
    while (IsHexDigit(*end))
        ++end;
    char next = Upper(*end);
    if (next == 'H' || next == 'O' || next == 'Q' || next == 'Y')
        ++end;
    if (end == digits)
        return 0;

    unsigned base = BaseOfSuffix(end[-1]);
    uint32_t value = 0;
    if (base == 10) {
        for (const char* d = digits; *d >= '0' && *d <= '9'; ++d)
            value = value * 10u + static_cast<uint32_t>(*d - '0');
        if (negative)
            value = 0u - value;
        return static_cast<int32_t>(value);
    }
    if (hasSign)
        return 0;
    for (const char* d = digits; DigitValue(*d) < static_cast<int>(base); ++d)
        value = value * base + static_cast<uint32_t>(DigitValue(*d));
    return static_cast<int32_t>(value);
}

LineResult ReadListLine(ListCursor& cursor, char (&value)[kListLineCapacity])
{
    std::size_t length = 0;
    bool tooLong = false;
    for (;;) {
        if (cursor.position >= cursor.size) {
            value[0] = '\0';
            return LineResult::Missing;
        }
        unsigned char c = cursor.bytes[cursor.position++];
        if (IsLineEnd(c)) {
            if (cursor.position < cursor.size) {
                unsigned char pair = cursor.bytes[cursor.position];
                if (IsLineEnd(pair) && pair != c)
                    ++cursor.position;
            }
            break;
        }
        if (length + 1 < kListLineCapacity)
            value[length++] = static_cast<char>(c);
        else
            tooLong = true;
    }
    value[length] = '\0';
    if (tooLong)
        return LineResult::TooLong;
    char* equals = std::strchr(value, '=');
    if (equals == nullptr)
        return LineResult::NoEquals;
    std::memmove(value, equals + 1, std::strlen(equals + 1) + 1);
    return LineResult::Value;
}

LineResult ReadSubList(ListCursor& cursor, std::vector<std::string>& lines)
{
    char value[kListLineCapacity];
    LineResult result = ReadListLine(cursor, value);
    if (result != LineResult::Value)
        return result;
    int32_t count = ParseNumber(value);
    for (int32_t i = 0; i < count; ++i) {
        result = ReadListLine(cursor, value);
        if (result != LineResult::Value)
            return result;
        lines.emplace_back(value);
    }
    return LineResult::Value;
}

namespace {

bool ReadInto(ListCursor& cursor, std::vector<std::string>& lines, int count)
{
    char value[kListLineCapacity];
    for (int i = 0; i < count; ++i) {
        if (ReadListLine(cursor, value) != LineResult::Value)
            return false;
        lines.emplace_back(value);
    }
    return true;
}

}  // namespace

ListFileResult ParseListFile(ListCursor& cursor, ListFileContent& content)
{
    char value[kListLineCapacity];
    if (ReadListLine(cursor, value) != LineResult::Value)
        return ListFileResult::Damaged;
    content.setupKind = ParseNumber(value);
    content.setupKindRead = true;

    if (ReadListLine(cursor, value) != LineResult::Value)
        return ListFileResult::Damaged;
    content.title = value;
    content.titleRead = true;

    if (!ReadInto(cursor, content.information, 8))
        return ListFileResult::Damaged;
    content.systemInstall = ParseNumber(content.information[InfoSystemInstall].c_str());

    if (ReadListLine(cursor, value) != LineResult::Value)
        return ListFileResult::Damaged;
    content.progressTotal = static_cast<uint32_t>(ParseNumber(value));

    if (ReadListLine(cursor, value) != LineResult::Value)
        return ListFileResult::Damaged;
    content.entryCount = ParseNumber(value);
    if (content.entryCount == 0)
        return ListFileResult::NoEntries;

    if (!ReadInto(cursor, content.files, content.entryCount))
        return ListFileResult::Damaged;
    if (ReadSubList(cursor, content.registry) != LineResult::Value
        || ReadSubList(cursor, content.groupItems) != LineResult::Value
        || ReadSubList(cursor, content.associations) != LineResult::Value)
        return ListFileResult::Damaged;
    if (!ReadInto(cursor, content.information, 3))
        return ListFileResult::Damaged;
    return ListFileResult::Complete;
}
