#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/portable/list_file.h"

namespace {

TEST(ParseNumber, ReadsEverySyntax)
{
    struct Case { const char* text; int32_t value; };
    const Case cases[] = {
        {"", 0},
        {"12", 12},
        {"1Fh", 31},
        {"1fH", 31},
        {"101b", 5},
        {"101Y", 5},
        {"17o", 15},
        {"17q", 15},
        {"0Ah", 10},
        {"0A", 0},
        {"  +25", 25},
        {"\t25", 25},
        {"-7", -7},
        {"-7h", 0},
        {"+7h", 0},
        {"12A", 12},
        {"12 apples", 12},
        {"B", 0},           // a lone B is binary with no digits
        {"1B", 1},
        {"2b", 0},          // 2 is no binary digit
        {"FFh", 255},
        {"19o", 1},         // octal stops at 9
        {"abc", 0},         // decimal reads no digit
        {"h", 0},
        {"-", 0},
        {"4294967297", 1},  // 32-bit wrap
        {"FFFFFFFFh", -1},
        {"-2147483648", INT32_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseNumber(c.text), c.value) << '"' << c.text << '"';
}

struct Lines {
    std::string bytes;
    ListCursor cursor;
    explicit Lines(std::string text) : bytes(std::move(text))
    {
        cursor = {reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 0};
    }
    std::vector<std::string> ReadAll(LineResult& last)
    {
        std::vector<std::string> values;
        char value[kListLineCapacity];
        while ((last = ReadListLine(cursor, value)) == LineResult::Value)
            values.emplace_back(value);
        return values;
    }
};

TEST(ReadListLine, EveryLineEndReadsTheSame)
{
    const char* texts[] = {
        "a=1\r\nb=2\r\n", "a=1\nb=2\n", "a=1\rb=2\r", "a=1\n\rb=2\n\r", "a=1\r\nb=2\n",
        "a=1\rb=2\r\n",
    };
    for (const char* text : texts) {
        Lines lines(text);
        LineResult last;
        EXPECT_EQ(lines.ReadAll(last), (std::vector<std::string>{"1", "2"})) << text;
        EXPECT_EQ(last, LineResult::Missing);
    }
}

TEST(ReadListLine, TwoEqualEndsMakeAnEmptyLine)
{
    Lines lines("a=1\n\nb=2\n");
    LineResult last;
    EXPECT_EQ(lines.ReadAll(last), std::vector<std::string>{"1"});
    EXPECT_EQ(last, LineResult::NoEquals);
}

TEST(ReadListLine, ValuesAreKeptExactly)
{
    struct Case { const char* line; LineResult result; const char* value; };
    const Case cases[] = {
        {"label=a=b\n", LineResult::Value, "a=b"},
        {"=rest of line\n", LineResult::Value, "rest of line"},
        {"title=  Kestrel 1.0  \n", LineResult::Value, "  Kestrel 1.0  "},
        {"x=\n", LineResult::Value, ""},
        {"no equals sign\n", LineResult::NoEquals, "no equals sign"},
        {"complete=but unended", LineResult::Missing, ""},
        {"", LineResult::Missing, ""},
    };
    for (const Case& c : cases) {
        Lines lines(c.line);
        char value[kListLineCapacity];
        EXPECT_EQ(ReadListLine(lines.cursor, value), c.result) << c.line;
        if (c.result == LineResult::Value) {
            EXPECT_STREQ(value, c.value) << c.line;
        }
    }
}

TEST(ReadListLine, LengthLimitIs259Characters)
{
    std::string longest = "v=" + std::string(257, 'x');
    Lines fits(longest + "\n");
    char value[kListLineCapacity];
    ASSERT_EQ(ReadListLine(fits.cursor, value), LineResult::Value);
    EXPECT_EQ(std::string(value), std::string(257, 'x'));

    Lines overlong(longest + "y\nnext=1\n");
    EXPECT_EQ(ReadListLine(overlong.cursor, value), LineResult::TooLong);
    ASSERT_EQ(ReadListLine(overlong.cursor, value), LineResult::Value);
    EXPECT_STREQ(value, "1");
}

TEST(ReadSubList, CountsAtOrBelowZeroReadNoLines)
{
    const char* counts[] = {"n=0\n", "n=-3\n", "n=\n", "n=-1h\n"};
    for (const char* count : counts) {
        Lines lines(std::string(count) + "next=x\n");
        std::vector<std::string> list;
        EXPECT_EQ(ReadSubList(lines.cursor, list), LineResult::Value) << count;
        EXPECT_TRUE(list.empty()) << count;
        char value[kListLineCapacity];
        ASSERT_EQ(ReadListLine(lines.cursor, value), LineResult::Value);
        EXPECT_STREQ(value, "x") << "the next line is the next count";
    }
}

TEST(ReadSubList, ReadsExactlyTheCount)
{
    Lines lines("n=2\nr=one\nr=two\nr=three\n");
    std::vector<std::string> list;
    EXPECT_EQ(ReadSubList(lines.cursor, list), LineResult::Value);
    EXPECT_EQ(list, (std::vector<std::string>{"one", "two"}));
}

// A complete list file with the given entry count line and file lines.
std::string ListFile(const std::string& entryCount, const std::vector<std::string>& files,
                     const std::string& ending = "\r\n")
{
    std::vector<std::string> lines = {
        "Kind=1", "Title=Kestrel 2.0 Setup", "Name=Kestrel", "Version=2.0",
        "Folder=Kestrel", "System=0", "Reserved=", "Welcome=Hello", "Language=Catala",
        "Key=Kestrel2", "Total=1000", "Entries=" + entryCount,
    };
    lines.insert(lines.end(), files.begin(), files.end());
    const std::vector<std::string> rest = {
        "Registry=1", "R=80000002H,Software\\Acme,Dir@<AppDir>\\Bin",
        "Group=0", "Assoc=2", "A=.ksp,Project", "A=.ksf,Form",
        "Shortcut=<AppDir>\\Kestrel.exe", "Closing=Done", "Display=Kestrel 2.0",
    };
    lines.insert(lines.end(), rest.begin(), rest.end());
    std::string text;
    for (const std::string& line : lines)
        text += line + ending;
    return text;
}

ListFileResult Parse(const std::string& text, ListFileContent& content)
{
    ListCursor cursor = {reinterpret_cast<const unsigned char*>(text.data()), text.size(), 0};
    return ParseListFile(cursor, content);
}

TEST(ParseListFile, ReadsEveryPartInOrder)
{
    ListFileContent content;
    ASSERT_EQ(Parse(ListFile("2", {"F=<AppDir>,a.exe,10,,,1,1,0", "F=<WinSysDir>,b.dll,20,1,2,0,1,1"}),
                    content),
              ListFileResult::Complete);
    EXPECT_EQ(content.setupKind, 1);
    EXPECT_EQ(content.title, "Kestrel 2.0 Setup");
    EXPECT_EQ(content.information,
              (std::vector<std::string>{"Kestrel", "2.0", "Kestrel", "0", "", "Hello", "Catala",
                                        "Kestrel2", "<AppDir>\\Kestrel.exe", "Done", "Kestrel 2.0"}));
    EXPECT_EQ(content.progressTotal, 1000u);
    EXPECT_EQ(content.entryCount, 2);
    EXPECT_EQ(content.files.size(), 2u);
    EXPECT_EQ(content.registry, std::vector<std::string>{"80000002H,Software\\Acme,Dir@<AppDir>\\Bin"});
    EXPECT_TRUE(content.groupItems.empty());
    EXPECT_EQ(content.associations, (std::vector<std::string>{".ksp,Project", ".ksf,Form"}));
}

TEST(ParseListFile, OutcomesOfDamagedFiles)
{
    const std::string good = ListFile("1", {"F=<AppDir>,a.exe,10,,,1,1,0"});
    struct Case { const char* what; std::string text; ListFileResult result; };
    const Case cases[] = {
        {"LF endings", ListFile("1", {"F=<AppDir>,a.exe,10,,,1,1,0"}, "\n"), ListFileResult::Complete},
        {"CR endings", ListFile("1", {"F=<AppDir>,a.exe,10,,,1,1,0"}, "\r"), ListFileResult::Complete},
        {"LF CR endings", ListFile("1", {"F=<AppDir>,a.exe,10,,,1,1,0"}, "\n\r"), ListFileResult::Complete},
        {"no final line end", good.substr(0, good.size() - 2), ListFileResult::Damaged},
        {"entry count 0", ListFile("0", {}), ListFileResult::NoEntries},
        {"entry count too large", ListFile("50", {"F=<AppDir>,a.exe,10,,,1,1,0"}), ListFileResult::Damaged},
        {"line without =", ListFile("1", {"<AppDir>,a.exe,10,,,1,1,0"}), ListFileResult::Damaged},
        {"overlong line", ListFile("1", {"F=" + std::string(300, 'x')}), ListFileResult::Damaged},
        {"empty file", "", ListFileResult::Damaged},
        {"text after the end", good + "junk without equals", ListFileResult::Complete},
    };
    for (const Case& c : cases) {
        ListFileContent content;
        EXPECT_EQ(Parse(c.text, content), c.result) << c.what;
    }
}

TEST(ParseListFile, KeepsWhatWasReadBeforeAFailure)
{
    ListFileContent content;
    ASSERT_EQ(Parse("Kind=2\nTitle= Spaced\nName=Kestrel\n", content), ListFileResult::Damaged);
    EXPECT_TRUE(content.setupKindRead);
    EXPECT_EQ(content.setupKind, 2);
    EXPECT_TRUE(content.titleRead);
    EXPECT_EQ(content.title, " Spaced");
}

TEST(ParseListFile, SystemInstallFlagIsInformationLine3AsANumber)
{
    std::string text = ListFile("1", {"F=<AppDir>,a.exe,10,,,1,1,0"});
    text.replace(text.find("System=0"), 8, "System=1h");
    ListFileContent content;
    ASSERT_EQ(Parse(text, content), ListFileResult::Complete);
    EXPECT_EQ(content.systemInstall, 1);
    EXPECT_EQ(content.information[InfoSystemInstall], "1h");
}

}  // namespace
