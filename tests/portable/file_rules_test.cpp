#include <gtest/gtest.h>

#include <string>

#include "engine/portable/file_rules.h"

namespace {

TEST(FileRules, ProtectedLibraryClasses)
{
    struct Case {
        const char* name;
        int narrow;
        int wide;
    };
    const Case cases[] = {
        {"MFC42.DLL", 1, 1}, {"olepro32.dll", 1, 1}, {"RichEd20.Dll", 1, 1},
        {"MSVCRT40.dll", 0, 2}, {"DbgHelp.DLL", 0, 3},
        {"mfc42u.dll", 0, 0}, {"mfc42.dll ", 0, 0}, {"C:\\Windows\\mfc42.dll", 0, 0},
        {"msvcrt.dll", 0, 0}, {"", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProtectedLibraryClass(c.name, ProtectedTest::Narrow), c.narrow) << c.name;
        EXPECT_EQ(ProtectedLibraryClass(c.name, ProtectedTest::Wide), c.wide) << c.name;
    }
}

TEST(FileRules, FontsByTheTextAfterTheLastDot)
{
    const char* const fonts[] = {"Led.ttf", "LED.TTF", "led.fon", "Serif.FON", "a.b.ttf",
                                 "C:\\Windows\\Fonts\\Led.ttf"};
    const char* const others[] = {"Led.ttf.bak", "Led", "ttf", "Led.ttfx", "Led.tt", "C:\\x.ttf\\Led",
                                  "Led.otf", ""};
    for (const char* name : fonts)
        EXPECT_EQ(IsFontFile(name), 1) << name;
    for (const char* name : others)
        EXPECT_EQ(IsFontFile(name), 0) << name;
}

TEST(FileRules, ProductLibrariesInstalledTwice)
{
    for (const char* name : {"KSDllMsr.dll", "ksdllmsd.dll", "KSDLLGO.DLL", "KSDllGou.dll"})
        EXPECT_TRUE(IsInstalledTwice(name)) << name;
    for (const char* name : {"KSDllGo.dl", "KSDll.dll", "KSDllGo.dll.bak", ""})
        EXPECT_FALSE(IsInstalledTwice(name)) << name;
}

TEST(FileRules, HelperNamesPerAttempt)
{
    struct Case {
        void (*make)(const char*, unsigned, char*, std::size_t);
        const char* name;
        unsigned attempt;
        const char* expected;
    };
    const Case cases[] = {
        {TemporaryReplacementName, "Locked.dll", 0, "Locked.tmp"},
        {TemporaryReplacementName, "a.b.c", 0, "a.tmp"},
        {TemporaryReplacementName, "NoDot", 1, "NoDot1.tmp"},
        {TemporaryReplacementName, "KestrelCore.dll", 12, "Kestre12.tmp"},   // an 8.3 name
        {NumberedName, "Kestrel.exe", 0, "Kestrel.exe"},
        {NumberedName, "a.b.c", 7, "a.b~7.c"},
        {TemporaryCopyName, "Kestrel.exe", 0, "~Kestrel.exe"},
        {TemporaryCopyName, "NoDot", 2, "~NoDot~2"},
    };
    for (const Case& c : cases) {
        char buffer[128];
        c.make(c.name, c.attempt, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, c.expected) << c.name << " " << c.attempt;
    }
    char small[6];
    TemporaryCopyName("Longname", 0, small, sizeof small);
    EXPECT_STREQ(small, "~Long") << "cut to the buffer";
}

TEST(FileRules, NewerVersionComparesHighThenLowUnsigned)
{
    // Existing file version 5.1.2600.0: MS 0x00050001, LS 0x0A280000.
    const uint32_t ms = 0x00050001u, ls = 0x0A280000u;
    struct Case {
        const char* high;
        const char* low;
        bool newer;
    };
    const Case cases[] = {
        {"50001h", "0A280001h", true},
        {"50001h", "0A280000h", false},       // equal is not newer
        {"50001h", "0A27FFFFh", false},
        {"50002h", "0", true},
        {"50000h", "0FFFFFFFFh", false},
        {"327681", "170393601", true},        // decimal, same as 50001h and 0A280001h
        {"0FFFFFFFFh", "0", true},            // unsigned: not -1
        {"", "0FFFFFFFFh", false},            // empty high text
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsNewerThan(c.high, c.low, ms, ls), c.newer) << c.high << " " << c.low;
}

TEST(FileRules, CopyPercent)
{
    EXPECT_EQ(CopyPercent(0, 1000), 0u);
    EXPECT_EQ(CopyPercent(999, 1000), 99u);
    EXPECT_EQ(CopyPercent(1000, 1000), 100u);
    EXPECT_EQ(CopyPercent(5000, 1000), 100u) << "capped";
    EXPECT_EQ(CopyPercent(0xFFFFFFFFu, 0xFFFFFFFFu), 100u) << "no overflow of done * 100";
    EXPECT_EQ(CopyPercent(0x80000000u, 0xFFFFFFFFu), 50u);
    EXPECT_EQ(CopyPercent(0x100000000ull, 0xFFFFFFFFu), 100u) << "a step's count past 4 GiB";
    EXPECT_EQ(CopyPercent(0xFFFFFFFFFFFFFFFFull, 1000), 100u);
    EXPECT_EQ(CopyPercent(10, 0), 100u);
}

TEST(FileRules, WindowsFamily)
{
    EXPECT_TRUE(IsWindows9xFamily(1));
    EXPECT_TRUE(IsWindows9xFamily(2));
    for (int code : {3, 4, 5, 6})
        EXPECT_FALSE(IsWindows9xFamily(code)) << code;
}

}  // namespace
