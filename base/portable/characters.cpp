#include "base/portable/characters.h"

#include <cstring>

char Lower(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return static_cast<char>(u + 0x20);
    return c;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool EqualNoCase(const char* left, const char* right, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        if (Lower(left[i]) != Lower(right[i]))
            return false;
        if (left[i] == '\0')
            return true;
    }
    return true;
}

bool EqualNoCase(const char* left, const char* right)
{
    std::size_t length = std::strlen(left);
    return length == std::strlen(right) && EqualNoCase(left, right, length);
}
