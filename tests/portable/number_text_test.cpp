#include <gtest/gtest.h>

#include <cstring>

#include "registration/portable/number_text.h"

namespace {

TEST(NumberToText, EveryMode)
{
    struct Case { int32_t value; int mode; const char* text; };
    const Case cases[] = {
        {12, 1, "12"}, {12, 2, "CH"}, {12, 0, "1100B"},
        {255, 2, "FFH"}, {5, 0, "101B"}, {0, 0, "0B"}, {0, 2, "0H"},
        {-1, 1, "-1"}, {-1, 2, "FFFFFFFFH"}, {-1, 0, "11111111111111111111111111111111B"},
        {7, 9, "7"}, {-42, -1, "-42"},
    };
    for (const Case& c : cases) {
        char buffer[40];
        NumberToText(c.value, buffer, c.mode);
        EXPECT_STREQ(buffer, c.text) << c.value << " mode " << c.mode;
    }
}

TEST(NumberToText, Mode3LeavesTheBufferAsItWas)
{
    char buffer[40] = "untouched";
    NumberToText(12, buffer, 3);
    EXPECT_STREQ(buffer, "untouched");
}

}  // namespace
