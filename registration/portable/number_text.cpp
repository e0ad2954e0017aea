#include "registration/portable/number_text.h"

#include <cstdio>

namespace {

void Binary(uint32_t value, char* buffer)
{
    int highest = 31;
    while (highest > 0 && (value & (1u << highest)) == 0)
        --highest;
    char* out = buffer;
    for (int bit = highest; bit >= 0; --bit)
        *out++ = (value & (1u << bit)) ? '1' : '0';
    *out++ = 'B';
    *out = '\0';
}

}  // namespace

void NumberToText(int32_t value, char* buffer, int mode)
{
    switch (mode) {
    case 0:
        Binary(static_cast<uint32_t>(value), buffer);
        break;
    case 2:
        std::snprintf(buffer, 36, "%XH", static_cast<unsigned>(value));
        break;
    case 3:
        break;
    default:
        std::snprintf(buffer, 36, "%d", static_cast<int>(value));
        break;
    }
}
