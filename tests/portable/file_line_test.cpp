#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/portable/file_line.h"

namespace {

TEST(FileLine, TakesTheSevenUsedFields)
{
    FileLineFields fields;
    SplitFileLine("C:\\Kestrel\\Bin,Lib.dll,400,50001h,0A280000h,1,7,1", fields);
    EXPECT_STREQ(fields.folder, "C:\\Kestrel\\Bin");
    EXPECT_STREQ(fields.name, "Lib.dll");
    EXPECT_EQ(fields.size, 400u);
    EXPECT_STREQ(fields.versionHigh, "50001h");
    EXPECT_STREQ(fields.versionLow, "0A280000h");
    EXPECT_EQ(fields.replace, 1);
    EXPECT_EQ(fields.selfRegister, 1) << "field 8, not field 7";
}

TEST(FileLine, EmptyAndMissingFields)
{
    FileLineFields fields;
    SplitFileLine("<AppDir>,,", fields);
    EXPECT_STREQ(fields.folder, "<AppDir>");
    EXPECT_STREQ(fields.name, "");
    EXPECT_EQ(fields.size, 0u);
    EXPECT_STREQ(fields.versionHigh, "");
    EXPECT_EQ(fields.replace, 0);
    EXPECT_EQ(fields.selfRegister, 0);
}

TEST(FileLine, SpaceAfterAThreeCharacterExtensionIsDropped)
{
    struct Case {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"Kestrel.exe ", "Kestrel.exe"},
        {"Kestrel.exe x", "Kestrel.exe"},       // the name ends at the space
        {"Kestrel.exe", "Kestrel.exe"},
        {"Kestrel.ex ", "Kestrel.ex "},         // two characters
        {"Kestrel.html ", "Kestrel.html "},     // four characters
        {"Read me.txt ", "Read me.txt"},
        {"a.b.cde ", "a.b.cde "},               // the first "." decides
        {"NoDot ", "NoDot "},
    };
    for (const Case& c : cases) {
        char name[128];
        std::snprintf(name, sizeof name, "%s", c.name);
        TrimExtensionSpace(name);
        EXPECT_STREQ(name, c.expected) << '"' << c.name << '"';
    }
    FileLineFields fields;
    SplitFileLine("C:\\K,Kestrel.exe ,10,,,0,0,0", fields);
    EXPECT_STREQ(fields.name, "Kestrel.exe");
}

TEST(FileLine, OverlongFieldsAreCutToTheirBuffers)
{
    std::string folder(400, 'f');
    std::string name(300, 'n');
    FileLineFields fields;
    SplitFileLine((folder + "," + name + ",5").c_str(), fields);
    EXPECT_EQ(std::string(fields.folder), folder.substr(0, sizeof fields.folder - 1));
    EXPECT_EQ(std::string(fields.name), name.substr(0, sizeof fields.name - 1));
}

}  // namespace
