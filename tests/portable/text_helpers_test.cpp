#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/portable/text_helpers.h"

namespace {

std::string Joined(const char* path, const char* name)
{
    char buffer[kTextCapacity];
    std::strcpy(buffer, path);
    char* end = JoinPath(buffer, name);
    EXPECT_EQ(end, buffer + std::strlen(buffer));
    return buffer;
}

TEST(JoinPath, AddsOneBackslashWhereNeeded)
{
    struct Case { const char* path; const char* name; const char* joined; };
    const Case cases[] = {
        {"C:\\", "Kestrel", "C:\\Kestrel"},
        {"C:\\Kestrel", nullptr, "C:\\Kestrel\\"},
        {"C:\\Kestrel\\", nullptr, "C:\\Kestrel\\"},
        {"", "Kestrel", "Kestrel"},
        {"", nullptr, ""},
        {"C:\\Program Files", "Kestrel", "C:\\Program Files\\Kestrel"},
        {"C:\\Windows", "\\System", "C:\\Windows\\System"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Joined(c.path, c.name), c.joined) << c.path << " + " << (c.name ? c.name : "none");
}

TEST(JoinPath, CutsAtTheBufferEnd)
{
    char buffer[kTextCapacity];
    std::string path(250, 'a');
    std::strcpy(buffer, path.c_str());
    JoinPath(buffer, "0123456789abcdef");
    EXPECT_EQ(std::strlen(buffer), kTextCapacity - 1);
    EXPECT_EQ(std::string(buffer), path + "\\01234567");
}

TEST(AppendChar, ReturnsThePositionAfterTheCharacter)
{
    char buffer[kTextCapacity] = "ab";
    char* end = AppendChar(buffer, 'c');
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(end, buffer + 3);
    EXPECT_EQ(*end, '\0');
}

TEST(AppendChar, KeepsTheTerminatorOfAFullBuffer)
{
    char buffer[4] = "abc";
    char* end = AppendChar(buffer, 'd', sizeof buffer);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(end, buffer + 3);
}

TEST(SplitFirstField, TakesFieldsFromTheLeft)
{
    char line[kTextCapacity] = "<AppDir>\\Bin,Kestrel.exe,1024,,,1,1,0";
    char field[kTextCapacity];
    SplitFirstField(line, field);
    EXPECT_STREQ(field, "<AppDir>\\Bin");
    EXPECT_STREQ(line, "Kestrel.exe,1024,,,1,1,0");
    SplitFirstField(line, field);
    EXPECT_STREQ(field, "Kestrel.exe");
    SplitFirstField(line, field);
    SplitFirstField(line, field);
    EXPECT_STREQ(field, "");
    EXPECT_STREQ(line, ",1,1,0");
}

TEST(SplitFirstField, WithoutACommaMovesTheWholeLine)
{
    char line[kTextCapacity] = "Llegiume.txt";
    char field[kTextCapacity] = "old";
    SplitFirstField(line, field);
    EXPECT_STREQ(field, "Llegiume.txt");
    EXPECT_STREQ(line, "");
}

TEST(ComposeErrorText, NameAndSentenceAreOptional)
{
    char text[kTextCapacity];
    ComposeErrorText(text, "C:\\Kestrel", "Error.", "Stop.");
    EXPECT_STREQ(text, "C:\\Kestrel: Error. Stop.");
    ComposeErrorText(text, nullptr, "Error.", nullptr);
    EXPECT_STREQ(text, "Error.");
    ComposeErrorText(text, "Setup.lst", "Error.", nullptr);
    EXPECT_STREQ(text, "Setup.lst: Error.");
}

TEST(ComposeErrorText, ALongNameIsCutNotOverflowed)
{
    char text[kTextCapacity + 8];
    std::memset(text, 'x', sizeof text);
    std::string name(300, 'n');
    ComposeErrorText(text, name.c_str(), "Error.", "Stop.");
    EXPECT_EQ(std::strlen(text), kTextCapacity - 1);
    EXPECT_EQ(text[kTextCapacity], 'x');
}

}  // namespace
