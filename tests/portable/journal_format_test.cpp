#include <gtest/gtest.h>

#include <string>

#include "engine/portable/journal_format.h"

namespace {

TEST(JournalFormat, LinesCarryTheirFieldsWhateverTheyHold)
{
    // A sound line of every kind: each damaged line below differs from one.
    const JournalRecord records[] = {
        {JournalKind::Folder, {"C:\\Program Files\\Kestrel"}},
        {JournalKind::File, {"c:\\K\\" + std::string(254, 'a')}},  // 259 characters
        {JournalKind::Written, {"C:\\K\\a.exe", "0", "18446744073709551615"}},
        {JournalKind::Written, {"C:\\K\\a.exe", "7", "1", "42"}},
        {JournalKind::Replaced, {"C:\\K\\a.exe", "c:\\k\\~Kept\\a.exe"}},
        {JournalKind::Replaced, {"C:\\a.exe", "C:\\~Kept\\a.exe"}},
        {JournalKind::Key, {"2147483648", "Software"}},
        {JournalKind::Value, {"2147483649", "Software\\K", "tab\there", "1", "6100"}},
        {JournalKind::Value, {"2147483654", "Software\\K", "", "-", "", "4294967295", "00ff"}},
        {JournalKind::Value, {"2147483649", "Software\\K", "Gone", "1", "6100", "-", ""}},
        {JournalKind::Count, {"2147483650", "Software\\K", "C:\\K\\c.dll"}},
        {JournalKind::Registered, {"Z:\\K\\c.dll"}},
        {JournalKind::Rename, {"C:\\K\\c.tmp", "C:\\K\\c.dll"}},
        {JournalKind::Group, {"100% Kestrel\r\nline"}},
        {JournalKind::Item, {"Kestrel", "Llegiu-me"}},
        {JournalKind::User, {"Anna"}},
        {JournalKind::Destination, {"C:\\Kestrel \xF1"}},
        {JournalKind::End, {}},
    };
    std::string text;
    for (const JournalRecord& record : records)
        text += ComposeJournalLine(record);
    EXPECT_EQ(ComposeJournalLine(records[7]), "value\t2147483649\tSoftware\\K\ttab%09here\t1\t6100\r\n");
    EXPECT_EQ(ComposeJournalLine(records[13]), "group\t100%25 Kestrel%0D%0Aline\r\n");

    JournalContents parsed = ParseJournal(text);
    EXPECT_EQ(parsed.skipped, 0u);
    EXPECT_EQ(parsed.completeLength, text.size());
    ASSERT_EQ(parsed.records.size(), 18u);
    for (std::size_t i = 0; i < parsed.records.size(); ++i) {
        EXPECT_EQ(parsed.records[i].kind, records[i].kind) << i;
        EXPECT_EQ(parsed.records[i].fields, records[i].fields) << i;
        EXPECT_EQ(parsed.records[i].number, i);
    }
}

TEST(JournalFormat, LinesThatCannotBeTrustedAreSkipped)
{
    struct Damaged {
        std::string line;
        const char* reason;
    };
    const Damaged rows[] = {
        {"file\tC:\\cut short by a kill", "no line end: the append never completed"},
        {"\r\n", "an empty line"},
        {"file\r\n", "a field missing"},
        {"file\tC:\\a\tC:\\b\r\n", "a field too many"},
        {"end\t\r\n", "end with a field"},
        {"value\t2147483649\tSoftware\\K\tN\t1\t00\t1\r\n", "a value of 6 fields"},
        {"erase\tC:\\Windows\r\n", "an unknown kind"},
        {"file\tC:\\100%2\r\n", "an escape cut short"},
        {"file\tC:\\%ZZ\r\n", "an escape that is not hex"},
        {"value\t2147483649\tSoftware\\K\tN%00\t1\t00\r\n", "a NUL in a value's name"},
        {"group\t%00\r\n", "a NUL in a name"},
        {"folder\t\r\n", "an empty path"},
        {"folder\tK\\a\r\n", "a relative path"},
        {"folder\t\\\\server\\share\\K\r\n", "a network path"},
        {"folder\tC:K\r\n", "a path relative to a drive's current folder"},
        {"folder\t1:\\K\r\n", "a drive that is no letter"},
        {"folder\tC:\\\r\n", "a drive root"},
        {"folder\tC:\\K\\\r\n", "a trailing backslash"},
        {"folder\tC:\\K\\\\a\r\n", "an empty part"},
        {"folder\tC:\\K\\..\\..\\Windows\r\n", "a '..' part"},
        {"folder\tC:\\K\\.\r\n", "a '.' part"},
        {"folder\tC:\\K/a\r\n", "a slash"},
        {"folder\tC:\\K%0Aa\r\n", "a control character"},
        {"file\tC:\\K\\a.exe:x\r\n", "a colon past the drive"},
        {"file\tC:\\K\\*.exe\r\n", "a wildcard"},
        {"file\tC:\\K\\" + std::string(255, 'a') + "\r\n", "260 characters"},
        {"written\tK\\a.exe\t1\t2\r\n", "a relative written path"},
        {"registered\tC:\\..\\c.dll\r\n", "a '..' in a registered path"},
        {"rename\tC:\\K\\c.tmp\tc.dll\r\n", "a relative rename target"},
        {"rename\tC:\\\tC:\\K\\c.dll\r\n", "a drive root renamed"},
        {"destination\tC:\\\r\n", "a drive root as destination"},
        {"replaced\tC:\\K\\a.exe\tC:\\K\\a.old\r\n", "kept outside ~Kept"},
        {"replaced\tC:\\K\\a.exe\tC:\\L\\~Kept\\a.exe\r\n", "kept beside another folder"},
        {"replaced\tC:\\K\\L\\a.exe\tC:\\K\\~Kept\\a.exe\r\n", "kept beside the folder above"},
        {"replaced\tC:\\K\\a.exe\tC:\\K\\~Kept\\x\\a.exe\r\n", "kept in a folder inside ~Kept"},
        {"key\t2147483647\tSoftware\r\n", "a root below the codes"},
        {"key\t2147483655\tSoftware\r\n", "a root above the codes"},
        {"key\t18446744075857035265\tSoftware\r\n", "a root that wraps past 64 bits onto a code"},
        {"key\t+2147483649\tSoftware\r\n", "a root with a sign"},
        {"key\t 2147483649\tSoftware\r\n", "a root with a blank"},
        {"key\t02147483649\tSoftware\r\n", "a root with a leading zero"},
        {"key\t2147483649\t\r\n", "an empty key"},
        {"key\t2147483649\t\\Software\r\n", "a key beginning with a backslash"},
        {"count\t2147483649\tSoftware\\\tN\r\n", "a key ending with a backslash"},
        {"value\t2147483649\tSoftware\\\\K\tN\t1\t00\r\n", "a key with an empty part"},
        {"value\t2147483649\tSoftware\tN\t-\t00\r\n", "old data where there was no value"},
        {"value\t2147483649\tSoftware\tN\tx\t00\r\n", "an old type that is no number"},
        {"value\t2147483649\tSoftware\tN\t4294967296\t00\r\n", "an old type past 32 bits"},
        {"value\t2147483649\tSoftware\tN\t1\tG0\r\n", "old data that is not hex"},
        {"value\t2147483649\tSoftware\tN\t1\t00\t-\t00\r\n", "data after a deletion"},
        {"value\t2147483649\tSoftware\tN\t1\t00\t1\t0G\r\n", "new data that is not hex"},
        {"count\t2147483649\tSoftware\t\r\n", "an empty count name"},
        {"group\t\r\n", "an empty group"},
        {"user\t\r\n", "an empty user"},
        {"written\tC:\\K\\a.exe\t1\t18446744073709551616\r\n", "a time past 64 bits"},
        {"undone\t\r\n", "an empty record number"},
        {"undone\t1.5\r\n", "a record number that is none"},
    };
    for (const Damaged& row : rows) {
        JournalContents parsed = ParseJournal(row.line);
        EXPECT_TRUE(parsed.records.empty() && parsed.undone.empty()) << row.reason;
        EXPECT_EQ(parsed.skipped, 1u) << row.reason;
    }
}

TEST(JournalFormat, NumbersCountEveryWholeLineButTheUndoneOnes)
{
    JournalContents parsed = ParseJournal(
        "folder\tC:\\K\r\n"     // 0
        "erase\tC:\\K\r\n"      // 1, skipped
        "undone\t0\r\n"
        "file\tC:\\K\\a\r\n"    // 2
        "undone\tx\r\n"         // skipped
        "undone\t7\r\n"
        "file\tC:\\K\\b\r\n"    // 3
        "end\r");               // cut
    ASSERT_EQ(parsed.records.size(), 3u);
    EXPECT_EQ(parsed.records[0].number, 0u);
    EXPECT_EQ(parsed.records[1].number, 2u);
    EXPECT_EQ(parsed.records[2].number, 3u);
    EXPECT_EQ(parsed.undone, (std::set<std::size_t>{0, 7}));
    EXPECT_EQ(parsed.skipped, 3u);
    EXPECT_EQ(parsed.completeLength, 81u);
}

TEST(JournalFormat, PathLiesInItsFolderOnly)
{
    const struct {
        const char* path;
        const char* folder;
        bool inside;
    } rows[] = {
        {"C:\\K", "C:\\K", true},     {"c:\\k\\a\\b", "C:\\K", true}, {"C:\\Ab", "C:\\A", false},
        {"C:\\K", "C:\\K\\a", false}, {"D:\\K\\a", "C:\\K", false},   {"C:\\K", "", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PathLiesIn(row.path, row.folder), row.inside) << row.path << " in " << row.folder;
}

TEST(JournalFormat, HexRoundTripsAndRefusesWhatIsNotHex)
{
    std::string bytes("\x00\x7F\x80\xFF", 4);
    std::string back;
    EXPECT_EQ(HexFromBytes(bytes), "007F80FF");
    EXPECT_TRUE(BytesFromHex("007f80FF", back));
    EXPECT_EQ(back, bytes);
    EXPECT_FALSE(BytesFromHex("ABC", back));
    EXPECT_FALSE(BytesFromHex("G0", back));
}

}  // namespace
