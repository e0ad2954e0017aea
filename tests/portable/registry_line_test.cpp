#include <gtest/gtest.h>

#include <string>

#include "registration/portable/registry_line.h"
#include "registration/portable/uninstall_record.h"
#include "registration/portable/uninstaller_contract.h"

namespace {

TEST(RegistryLine, SplitsRootKeyNameAndData)
{
    struct Case {
        const char* line;
        bool kept;
        int32_t root;
        const char* key;
        const char* name;
        const char* data;
    };
    const Case cases[] = {
        {"80000002H,Software\\Acme,Dir@<AppDir>\\Bin", true, int32_t(0x80000002u), "Software\\Acme", "Dir",
         "<AppDir>\\Bin"},
        {"80000000H,.abc,@<WinDir>", true, int32_t(0x80000000u), ".abc", "", "<WinDir>"},
        {"2147483649,Software\\A,X@plain text", true, int32_t(0x80000001u), "Software\\A", "X", "plain text"},
        {"80000002H,Software\\Acme,Dir@<AppDir>,ignored,too", true, int32_t(0x80000002u), "Software\\Acme", "Dir",
         "<AppDir>"},
        {"80000002H,Software\\Acme,Dir=<AppDir>", false, int32_t(0x80000002u), "Software\\Acme", "", ""},
        {"0,Software\\Acme,Dir@<AppDir>", true, 0, "Software\\Acme", "Dir", "<AppDir>"},
        {"80000002H,Software\\Acme", false, int32_t(0x80000002u), "Software\\Acme", "", ""},
        {"", false, 0, "", "", ""},
        {"1,K,a@b@c", true, 1, "K", "a", "b@c"},
    };
    for (const Case& c : cases) {
        RegistryLine parsed;
        EXPECT_EQ(SplitRegistryLine(c.line, parsed), c.kept) << c.line;
        EXPECT_EQ(parsed.root, c.root) << c.line;
        EXPECT_STREQ(parsed.key, c.key) << c.line;
        EXPECT_STREQ(parsed.valueName, c.name) << c.line;
        EXPECT_STREQ(parsed.data, c.data) << c.line;
    }
}

TEST(RegistryLine, OverlongFieldsAreCutNotOverflowed)
{
    std::string line = "80000002H," + std::string(400, 'k') + ",N@" + std::string(400, 'd');
    RegistryLine parsed;
    ASSERT_TRUE(SplitRegistryLine(line.c_str(), parsed));
    EXPECT_EQ(std::string(parsed.key), std::string(kTextCapacity - 1, 'k'));
    EXPECT_EQ(std::string(parsed.data).size(), kTextCapacity - 1 - 2);
}

TEST(UninstallRecord, FlagsAreTheLineLastThreeCharacters)
{
    struct Case { const char* line; int32_t record; int32_t registerFlag; char character; };
    const Case cases[] = {
        {"<AppDir>,a.exe,10,0,0,0,1,0", 1, 0, '0'},
        {"<AppDir>,b.dll,10,0,0,0,0,1", 0, 1, '1'},
        {"<AppDir>,c.dll,10,0,0,0,1,1", 1, 1, '1'},
        {"1,", 0, 0, '0'},
        {"", 0, 0, '0'},
    };
    for (const Case& c : cases) {
        FileFlags flags = ReadFileFlags(c.line);
        EXPECT_EQ(flags.record, c.record) << c.line;
        EXPECT_EQ(flags.registerFlag, c.registerFlag) << c.line;
        EXPECT_EQ(flags.registerCharacter, c.character) << c.line;
    }
}

TEST(UninstallRecord, PathsInsideTheFolderAreRelativeOthersStayFull)
{
    struct Case { const char* full; const char* prefix; const char* recorded; };
    const Case cases[] = {
        {"C:\\PROGRA~1\\KESTREL\\HELP\\name.ext", "C:\\PROGRA~1\\KESTREL\\", "HELP\\name.ext"},
        {"C:\\PROGRA~1\\KESTREL\\k.exe", "c:\\progra~1\\kestrel\\", "k.exe"},
        {"C:\\WINDOWS\\SYSTEM32\\k.dll", "C:\\PROGRA~1\\KESTREL\\", "C:\\WINDOWS\\SYSTEM32\\k.dll"},
        {"C:\\PROGRA~1\\KESTREL2\\k.exe", "C:\\PROGRA~1\\KESTREL\\", "C:\\PROGRA~1\\KESTREL2\\k.exe"},
        {"C:\\K", "C:\\K\\", "C:\\K"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(RecordedFilePath(c.full, c.prefix), c.recorded) << c.full;

    char record[260];
    ComposeFileRecord(record, sizeof record, "HELP\\name.ext", '0');
    EXPECT_STREQ(record, "HELP\\name.ext,0");
}

TEST(UninstallerContract, SystemEntryKeyAndCommand)
{
    char text[260];
    ComposeSystemUninstallKey(text, "K");
    EXPECT_STREQ(text, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K");
    ComposeUninstallString(text, "C:\\WINDOWS", "K");
    EXPECT_STREQ(text, "C:\\WINDOWS\\KSUninst.exe K");
    ComposeUninstallString(text, "C:\\", "K");
    EXPECT_STREQ(text, "C:\\KSUninst.exe K");
    ComposeUninstallString(text, "C:\\My Windows", "K");
    EXPECT_STREQ(text, "\"C:\\My Windows\\KSUninst.exe\" K");
    ComposeOpenCommand(text, "C:\\Kestrel.exe");
    EXPECT_STREQ(text, "\"C:\\Kestrel.exe\" \"%1\"");
}

}  // namespace
