#include "engine/portable/name_compare.h"

#include <cstring>

namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

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
