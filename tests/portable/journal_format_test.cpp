#include <gtest/gtest.h>

#include <string>

#include "engine/portable/journal_format.h"

namespace {

TEST(JournalFormat, LinesCarryTheirFieldsWhateverTheyHold)
{
    const JournalRecord records[] = {
        {JournalKind::Folder, {"C:\\Program Files\\Kestrel"}},
        {JournalKind::Replaced, {"C:\\K\\a.exe", "C:\\K\\~Kept\\a.exe"}},
        {JournalKind::Value, {"2147483649", "Software\\K", "tab\there", "1", "6100"}},
        {JournalKind::Value, {"2147483650", "Software\\K", "", "-", ""}},
        {JournalKind::Group, {"100% Kestrel\r\nline"}},
        {JournalKind::End, {}},
    };
    std::string text;
    for (const JournalRecord& record : records)
        text += ComposeJournalLine(record);
    EXPECT_EQ(ComposeJournalLine(records[2]), "value\t2147483649\tSoftware\\K\ttab%09here\t1\t6100\r\n");
    EXPECT_EQ(ComposeJournalLine(records[4]), "group\t100%25 Kestrel%0D%0Aline\r\n");

    std::vector<JournalRecord> parsed = ParseJournal(text);
    ASSERT_EQ(parsed.size(), 6u);
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        EXPECT_EQ(parsed[i].kind, records[i].kind) << i;
        EXPECT_EQ(parsed[i].fields, records[i].fields) << i;
    }
}

TEST(JournalFormat, LinesThatCannotBeTrustedAreSkipped)
{
    const char* const damaged[] = {
        "file\tC:\\cut short by a kill",            // no line end: the append never completed
        "file\r\n",                                  // a field missing
        "file\tC:\\a\tC:\\b\r\n",                    // a field too many
        "erase\tC:\\Windows\r\n",                    // an unknown kind
        "file\tC:\\100%2\r\n",                       // an escape cut short
        "file\tC:\\%ZZ\r\n",                         // an escape that is not hex
    };
    for (const char* line : damaged)
        EXPECT_TRUE(ParseJournal(std::string("folder\tC:\\K\r\n") + line).size() == 1) << line;
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
