#include <gtest/gtest.h>

#include "base/portable/log_name.h"
#include "wizard/portable/log_lines.h"

namespace {

TEST(LogLines, TheDefaultNameAndEachChangeInWords)
{
    EXPECT_EQ(DefaultLogName("Kestrel", 2026, 3, 7, 12), "Kestrel 2026-03-07 12.log");
    struct Case { JournalRecord record; const char* line; };
    const Case cases[] = {
        {{JournalKind::Folder, {"C:\\K"}}, "Folder created: C:\\K"},
        {{JournalKind::Replaced, {"C:\\K\\a.dll", "C:\\K\\~Kept\\a.dll"}}, ""},
        {{JournalKind::File, {"C:\\K\\a.dll"}}, ""},
        {{JournalKind::Key, {"2147483648", ".kst"}}, "Registry key created: HKCR\\.kst"},
        {{JournalKind::Value, {"2147483651", "S\\K", "Path", "-", ""}}, "Registry value set: HKU\\S\\K [Path]"},
        {{JournalKind::Value, {"5", "S\\K", "Path", "-", ""}}, "Registry value set: 5\\S\\K [Path]"},
        {{JournalKind::Rename, {"C:\\K\\a.tmp", "C:\\K\\a.dll"}}, "Replaced at the next start: C:\\K\\a.dll"},
        {{JournalKind::Item, {"Kestrel 1.0", "Kestrel"}}, ""},
        {{JournalKind::Written, {"C:\\K\\a.dll", "4", "0"}}, ""},
        {{JournalKind::End, {}}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DescribeChange(c.record), c.line) << c.line;
}

}  // namespace
