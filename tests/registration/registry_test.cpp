#include <gtest/gtest.h>

#include <string>

#include "base/registry.h"

namespace {

const char kTestKey[] = "Software\\InstalTests\\Registry";

class Registry : public testing::Test {
protected:
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\InstalTests"); }
};

std::string Read(RootCode root, const char* key, const char* name)
{
    char buffer[260] = "unchanged";
    ReadRegValue(root, key, name, buffer);
    return buffer;
}

TEST_F(Registry, WritesAndReadsStrings)
{
    EXPECT_EQ(WriteRegString(kCurrentUser, kTestKey, "Dir", "C:\\Kestrel"), 1);
    EXPECT_EQ(Read(kCurrentUser, kTestKey, "Dir"), "C:\\Kestrel");
    EXPECT_EQ(WriteRegString(kCurrentUser, kTestKey, "", "default"), 1);
    EXPECT_EQ(Read(kCurrentUser, kTestKey, nullptr), "default");

    DWORD type = 0, size = 0;
    RegGetValueA(HKEY_CURRENT_USER, kTestKey, "Dir", RRF_RT_ANY, &type, nullptr, &size);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 11u) << "length plus the terminating zero";
}

TEST_F(Registry, RefusesWhatIsNotARootCode)
{
    HKEY open;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &open,
                              nullptr), ERROR_SUCCESS);
    const RootCode refused[] = {0x80000007u, 0u, 0x7FFFFFFFu,
                                static_cast<RootCode>(reinterpret_cast<ULONG_PTR>(open))};
    for (RootCode root : refused) {
        EXPECT_EQ(WriteRegString(root, "Refused", "x", "y"), 0) << std::hex << root;
        char buffer[260] = "kept";
        EXPECT_EQ(ReadRegValue(root, "Refused", "x", buffer), 0);
        EXPECT_STREQ(buffer, "kept");
    }
    RegCloseKey(open);
    EXPECT_EQ(WriteRegString(kCurrentUser, "", "x", "y"), 0);
    EXPECT_EQ(WriteRegString(kCurrentUser, nullptr, "x", "y"), 0);
}

TEST_F(Registry, ReadingWithoutABufferTestsExistence)
{
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    DWORD number = 7;
    RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number);
    std::string large(4000, 'x');
    RegSetValueExA(key, "Large", 0, REG_SZ, reinterpret_cast<const BYTE*>(large.c_str()),
                   static_cast<DWORD>(large.size() + 1));
    RegCloseKey(key);

    EXPECT_EQ(ReadRegValue(kCurrentUser, kTestKey, "Number", nullptr), 1);
    EXPECT_EQ(ReadRegValue(kCurrentUser, kTestKey, "Large", nullptr), 1);
    EXPECT_EQ(ReadRegValue(kCurrentUser, kTestKey, "Missing", nullptr), 0);
    EXPECT_EQ(ReadRegValue(kCurrentUser, "Software\\InstalTests\\NoKey", "Number", nullptr), 0);
}

TEST_F(Registry, ReadLimitIs259Characters)
{
    std::string fits(259, 'a');
    std::string overlong(260, 'b');
    WriteRegString(kCurrentUser, kTestKey, "Fits", fits.c_str());
    WriteRegString(kCurrentUser, kTestKey, "Overlong", overlong.c_str());
    char buffer[260];
    EXPECT_EQ(ReadRegValue(kCurrentUser, kTestKey, "Fits", buffer), 1);
    EXPECT_EQ(std::string(buffer), fits);
    lstrcpyA(buffer, "kept");
    EXPECT_EQ(ReadRegValue(kCurrentUser, kTestKey, "Overlong", buffer), 0);
    EXPECT_STREQ(buffer, "kept") << "a failed read leaves the buffer";
}

TEST_F(Registry, TheKeyPathBufferMayReceiveTheValue)
{
    WriteRegString(kCurrentUser, kTestKey, "Dir", "C:\\Kestrel");
    char buffer[260];
    lstrcpyA(buffer, kTestKey);
    EXPECT_EQ(ReadRegValue(kCurrentUser, buffer, "Dir", buffer), 1);
    EXPECT_STREQ(buffer, "C:\\Kestrel");
}

TEST_F(Registry, DeletesValues)
{
    WriteRegString(kCurrentUser, kTestKey, "Gone", "x");
    EXPECT_EQ(DeleteRegValue(kCurrentUser, kTestKey, "Gone"), 1);
    EXPECT_EQ(ReadRegValue(kCurrentUser, kTestKey, "Gone", nullptr), 0);
    EXPECT_EQ(DeleteRegValue(kCurrentUser, kTestKey, "Gone"), 0);
}

TEST_F(Registry, DeletesATreeThreeLevelsDeep)
{
    const char* names[] = {"A", "B", "C"};
    for (const char* first : names)
        for (const char* second : names)
            for (const char* third : names) {
                std::string path = std::string(kTestKey) + "\\" + first + "\\" + second + "\\" + third;
                ASSERT_EQ(WriteRegString(kCurrentUser, path.c_str(), "v", "1"), 1);
            }
    WriteRegString(kCurrentUser, "Software\\InstalTests\\Sibling", "v", "stays");

    EXPECT_EQ(DeleteRegTree(kCurrentUser, kTestKey), 1);
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(Read(kCurrentUser, "Software\\InstalTests\\Sibling", "v"), "stays");
    EXPECT_EQ(DeleteRegTree(kCurrentUser, kTestKey), 0) << "a key that does not exist";
}

TEST_F(Registry, InstallRootFallsBackToTheUser)
{
    EXPECT_EQ(ChooseInstallRoot(), kLocalMachine);
    SetInstallRootProbeKey("SOFTWARE\\InstalTests\\NoSuchKey");
    EXPECT_EQ(ChooseInstallRoot(), kCurrentUser);
    SetInstallRootProbeKey(nullptr);
    EXPECT_EQ(ChooseInstallRoot(), kLocalMachine);
}

}  // namespace
