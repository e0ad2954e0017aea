// A drive that really is full (D:, a 1 MB tmpfs mapped by
// tests/with-small-drive.sh): no truncated file is ever installed or left.
#include <string>

#include "base/portable/exit_codes.h"
#include "e2e_fixture.h"
#include "test_package.h"
#include "wizard/control_ids.h"

namespace {

const char kDrive[] = "D:\\";
const char kVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

std::string Sentence()
{
    return " " + TableString(10009);
}

// Everything on the drive, as "name " for each file and folder, deepest first.
std::string Contents(const std::string& folder)
{
    std::string found;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            found += Contents(folder + name + "\\");
        found += folder + name + " ";
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

void EmptyDrive(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = entry.cFileName;
        std::string path = folder + name;
        if (name == "." || name == "..")
            continue;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EmptyDrive(path + "\\");
            RemoveDirectoryA(path.c_str());
        } else {
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

std::string RegistryText(HKEY root, const char* key, const char* name)
{
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    if (RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "";
    return value;
}

void SetRegistryText(HKEY root, const char* key, const char* name, const std::string& value)
{
    RegSetKeyValueA(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

class FullDisk : public EndToEnd {
protected:
    void SetUp() override
    {
        char mapped[MAX_PATH] = "";
        if (GetEnvironmentVariableA("INSTAL_SMALL_DRIVE", mapped, sizeof mapped) == 0)
            GTEST_SKIP() << "needs drive D: on a small tmpfs: run through tests/with-small-drive.sh as root";
        EmptyDrive(kDrive);
        programFiles_ = RegistryText(HKEY_LOCAL_MACHINE, kVersionKey, "ProgramFilesDir");
    }
    void TearDown() override
    {
        if (IsSkipped())
            return;
        SetRegistryText(HKEY_LOCAL_MACHINE, kVersionKey, "ProgramFilesDir", programFiles_);
        EmptyDrive(kDrive);
        EndToEnd::TearDown();
    }

    // The product's default destination becomes D:\Apps\Kestrel Test.
    static void InstallOnTheSmallDrive()
    {
        SetRegistryText(HKEY_LOCAL_MACHINE, kVersionKey, "ProgramFilesDir", "D:\\Apps");
    }

    static std::vector<PackagedFile> BigFile()
    {
        return {{"<AppDir>\\Data", "Big.bin", IncompressibleBytes(2 << 20)}};
    }

    // Runs the wizard to Install and returns the message that ends the run.
    static MessageBoxSeen InstallUntilStopped(WizardSession& session)
    {
        if (!WalkToSummary(session))
            return {};
        session.Click(btnNext);
        return session.WaitForMessageBox(120000);
    }

    std::string programFiles_;
};

TEST_F(FullDisk, UnpackingIntoAFullTempFolderStopsWithTheFilesPath)
{
    const std::string temp = "D:\\Temp";
    CreateDirectoryA(temp.c_str(), nullptr);
    char shortTemp[MAX_PATH] = "";
    GetShortPathNameA(temp.c_str(), shortTemp, sizeof shortTemp);
    std::vector<PackagedFile> files = BigFile();
    WizardSession session(WriteTestPackage(files, HonestTotal(files)));
    // Only the wizard's process sees the temp folder on the full drive.
    char previousTemp[MAX_PATH] = "";
    char previousTmp[MAX_PATH] = "";
    GetEnvironmentVariableA("TEMP", previousTemp, sizeof previousTemp);
    GetEnvironmentVariableA("TMP", previousTmp, sizeof previousTmp);
    SetEnvironmentVariableA("TEMP", temp.c_str());
    SetEnvironmentVariableA("TMP", temp.c_str());
    bool started = session.Start();
    SetEnvironmentVariableA("TEMP", previousTemp);
    SetEnvironmentVariableA("TMP", previousTmp);
    ASSERT_TRUE(started);

    MessageBoxSeen box = session.WaitForMessageBox();
    ASSERT_NE(box.box, nullptr);
    EXPECT_EQ(box.text, std::string(shortTemp) + "\\Big.bin: " + TableString(10014) + Sentence());
    session.SaveScreenshot(box.box, "e2e-full-temp");
    session.Answer(box, IDOK);
    EXPECT_EQ(session.WaitForExit(), kExitFailed);
    EXPECT_EQ(Contents(kDrive), "D:\\Temp ") << "no truncated file, nothing left in the temp folder";
}

// An understated total lets the disk check pass, and the copy runs out of
// room; an honest one is refused before anything is written. A silent run
// ends the same way, with no box.
TEST_F(FullDisk, NothingOfTheProductStaysOnTheDrive)
{
    InstallOnTheSmallDrive();
    std::vector<PackagedFile> files = BigFile();
    struct Case { uint32_t total; std::string message; };
    const Case cases[] = {
        {1000, "Big.bin: " + TableString(10010) + Sentence()},
        {HonestTotal(files), TableString(10046)},
    };
    for (const Case& c : cases) {
        for (bool silent : {false, true}) {
            WizardSession session(WriteTestPackage(files, c.total));
            if (silent) {
                ASSERT_TRUE(session.Start("/VERYSILENT"));
            } else {
                MessageBoxSeen box = InstallUntilStopped(session);
                ASSERT_NE(box.box, nullptr) << c.total;
                EXPECT_EQ(box.text, c.message);
                session.Answer(box, IDOK);
            }
            EXPECT_EQ(session.WaitForExit(), kExitFailed) << c.total << (silent ? " silent" : "");
            EXPECT_EQ(Contents(kDrive), "") << "no partial file and no folder this run created";
        }
    }
}

}  // namespace
