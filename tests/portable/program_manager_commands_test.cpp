#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/portable/program_manager_commands.h"

namespace {

TEST(ProgramManagerCommands, ExactTexts)
{
    char block[kCommandBlockSize];
    ASSERT_TRUE(ComposeCreateGroup(block, "Tools"));
    EXPECT_STREQ(block, "[CreateGroup(\"Tools\")]");
    ASSERT_TRUE(ComposeDeleteGroup(block, "Kestrel 1.0"));
    EXPECT_STREQ(block, "[DeleteGroup(\"Kestrel 1.0\")]");
    ASSERT_TRUE(ComposeDeleteItem(block, "Editor"));
    EXPECT_STREQ(block, "[DeleteItem(\"Editor\")]");
    ASSERT_TRUE(ComposeAddItem(block, "C:\\K\\ed.exe", "Editor"));
    EXPECT_STREQ(block, "[AddItem(\"C:\\K\\ed.exe\",\"Editor\")]");
}

TEST(ProgramManagerCommands, ACommandMustFitItsBlockWhole)
{
    // "[CreateGroup(\"\")]" is 17 characters: 237 name characters fill the
    // 255-byte block with its zero, one more does not fit.
    char block[kCommandBlockSize];
    std::memset(block, 'x', sizeof block);
    std::string fits(237, 'g');
    ASSERT_TRUE(ComposeCreateGroup(block, fits.c_str()));
    EXPECT_EQ(std::strlen(block), kCommandBlockSize - 1);

    std::string overlong(238, 'g');
    EXPECT_FALSE(ComposeCreateGroup(block, overlong.c_str()));
    EXPECT_STREQ(block, "");

    std::string path(240, 'p');
    EXPECT_FALSE(ComposeAddItem(block, path.c_str(), "T"));
    EXPECT_FALSE(ComposeDeleteItem(block, std::string(300, 't').c_str()));
}

TEST(ProgramManagerCommands, ItemPathGetsOneBackslash)
{
    struct Case { const char* destination; const char* relative; const char* path; };
    const Case cases[] = {
        {"C:\\K", "bin\\a.exe", "C:\\K\\bin\\a.exe"},
        {"C:\\K\\", "b.exe", "C:\\K\\b.exe"},
        {"C:\\K", "\\b.exe", "C:\\K\\b.exe"},
        {"C:\\", "b.exe", "C:\\b.exe"},
    };
    for (const Case& c : cases) {
        char path[260];
        ASSERT_TRUE(ComposeItemPath(path, sizeof path, c.destination, c.relative));
        EXPECT_STREQ(path, c.path) << c.destination << " + " << c.relative;
    }
    char small[8];
    EXPECT_FALSE(ComposeItemPath(small, sizeof small, "C:\\K", "bin\\a.exe"));
    EXPECT_STREQ(small, "");
}

TEST(ProgramManagerCommands, GroupItemLineSplitsAtItsFirstComma)
{
    char title[260];
    char path[260];
    SplitGroupItem("Editor,bin\\ed.exe", title, path, 260);
    EXPECT_STREQ(title, "Editor");
    EXPECT_STREQ(path, "bin\\ed.exe");
    SplitGroupItem("Odd,dir,x.exe", title, path, 260);
    EXPECT_STREQ(title, "Odd");
    EXPECT_STREQ(path, "dir,x.exe");
    SplitGroupItem("NoPath", title, path, 260);
    EXPECT_STREQ(title, "NoPath");
    EXPECT_STREQ(path, "");
}

TEST(ProgramManagerCommands, GroupNameLosesOuterBlanksAndTabs)
{
    struct Case { const char* typed; const char* sent; };
    const Case cases[] = {
        {"  Tools ", "Tools"}, {"\tKestrel Tools\t ", "Kestrel Tools"}, {"   ", ""}, {"", ""}, {"A", "A"},
    };
    for (const Case& c : cases) {
        char text[64];
        std::strcpy(text, c.typed);
        TrimBlanks(text);
        EXPECT_STREQ(text, c.sent) << '"' << c.typed << '"';
    }
}

}  // namespace
