#include "base/portable/text_helpers.h"

#include <cstring>

char* AppendChar(char* text, char character, std::size_t capacity)
{
    std::size_t length = std::strlen(text);
    if (length + 1 < capacity) {
        text[length++] = character;
        text[length] = '\0';
    }
    return text + length;
}

char* AppendText(char* text, const char* tail, std::size_t capacity)
{
    std::size_t length = std::strlen(text);
    while (*tail != '\0' && length + 1 < capacity)
        text[length++] = *tail++;
    text[length] = '\0';
    return text + length;
}

char* CopyText(char* buffer, const char* text, std::size_t capacity)
{
    buffer[0] = '\0';
    return AppendText(buffer, text, capacity);
}

char* JoinPath(char* path, const char* name, std::size_t capacity)
{
    std::size_t length = std::strlen(path);
    bool nameHasSeparator = name != nullptr && name[0] == '\\';
    if (length > 0 && path[length - 1] != '\\' && !nameHasSeparator)
        AppendChar(path, '\\', capacity);
    if (name != nullptr)
        return AppendText(path, name, capacity);
    return path + std::strlen(path);
}

void SplitFirstField(char* line, char* field, std::size_t fieldCapacity)
{
    char* comma = std::strchr(line, ',');
    if (comma == nullptr) {
        CopyText(field, line, fieldCapacity);
        line[0] = '\0';
        return;
    }
    *comma = '\0';
    CopyText(field, line, fieldCapacity);
    std::memmove(line, comma + 1, std::strlen(comma + 1) + 1);
}

void ComposeErrorText(char* buffer, const char* name, const char* message,
                      const char* sentence, std::size_t capacity)
{
    buffer[0] = '\0';
    if (name != nullptr) {
        AppendText(buffer, name, capacity);
        AppendText(buffer, ": ", capacity);
    }
    AppendText(buffer, message, capacity);
    if (sentence != nullptr) {
        AppendChar(buffer, ' ', capacity);
        AppendText(buffer, sentence, capacity);
    }
}
