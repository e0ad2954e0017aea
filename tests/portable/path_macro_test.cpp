#include <gtest/gtest.h>

#include <string>

#include "engine/portable/path_macro.h"

namespace {

TEST(PathMacro, RecognisedOnlyAtTheStartInAnyCase)
{
    struct Case {
        const char* text;
        PathMacro macro;
        const char* rest;
    };
    const Case cases[] = {
        {"<WinDir>\\Help", PathMacro::WinDir, "\\Help"},
        {"<winsysdir>\\Drivers,a.sys", PathMacro::WinSysDir, "\\Drivers,a.sys"},
        {"<FONTS>", PathMacro::Fonts, ""},
        {"<AppDir>", PathMacro::AppDir, ""},
        {"<appdir>\\Bin,Lib.dll,400", PathMacro::AppDir, "\\Bin,Lib.dll,400"},
        {"<AppDir>>x", PathMacro::AppDir, ">x"},
    };
    for (const Case& c : cases) {
        const char* rest = nullptr;
        EXPECT_EQ(RecognizePathMacro(c.text, &rest), c.macro) << c.text;
        ASSERT_NE(rest, nullptr) << c.text;
        EXPECT_STREQ(rest, c.rest) << c.text;
    }
}

TEST(PathMacro, OtherTextsAreNotMacros)
{
    const char* const texts[] = {
        "C:\\Kestrel",                 // no ">"
        "<Other>\\Bin",                // closes something else
        "C:\\Kestrel\\<WinDir>",       // a macro later than the start
        " <WinDir>",                   // not at the very start
        "<WinDir\\x>",                 // the first ">" decides
        "<App>Dir>",
        "",
    };
    for (const char* text : texts) {
        const char* rest = "untouched";
        EXPECT_EQ(RecognizePathMacro(text, &rest), PathMacro::None) << text;
        EXPECT_STREQ(rest, "untouched");
    }
}

}  // namespace
