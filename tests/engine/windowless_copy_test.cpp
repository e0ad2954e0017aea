// The copy and its rollback take everything from the job: no main form, and
// a view of a few lines that records what the user would see and skips the
// pauses.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <zlib.h>

#include "engine/copy_files.h"
#include "engine/destinations.h"
#include "message_box_catcher.h"
#include "resources/string_ids.h"
#include "test_environment.h"

namespace {

class RecordingView final : public InstallView {
public:
    std::vector<int> tasks;
    std::vector<std::string> files;
    std::vector<int> bars;
    bool progressShown = true;
    bool cancelEnabled = true;
    volatile LONG* cancel = nullptr;
    int cancelAtBar = 0;   // the user presses Cancel once the bar shows this; 0 for never

    void ShowTask(int stringId) override { tasks.push_back(stringId); }
    void ShowFile(const char* text) override { files.push_back(text); }
    void ShowBar(int percent) override { bars.push_back(percent); }
    void ShowProgress(bool shown) override { progressShown = shown; }
    void EnableCancel(bool enabled) override { cancelEnabled = enabled; }
    void ShowBusy(bool) override {}
    void Pause(DWORD, bool) override {}
    void ShowListFile(const ListFileContent&) override {}
    void DispatchWaiting() override
    {
        if (cancelAtBar != 0 && !bars.empty() && bars.back() >= cancelAtBar)
            *cancel = 1;
    }
};

class WindowlessCopy : public testing::Test {
protected:
    void SetUp() override
    {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        root_ = std::string(base) + "InstalWindowless";
        DeleteTree(root_);
        CreateDirectoryA(root_.c_str(), nullptr);
        CreateDirectoryA((root_ + "\\Temp").c_str(), nullptr);
        CreateDirectoryA((root_ + "\\Product").c_str(), nullptr);
        WriteBytes(root_ + "\\Temp\\Large.bin", std::string(65536, 'L'));
        WriteBytes(root_ + "\\Temp\\Small.txt", "ten bytes!");
        job_.targetLines = {root_ + "\\Product,Large.bin,65536,,,1,0,0", root_ + "\\Product,Small.txt,10,,,1,0,0"};
        model_.entryCount = 2;
        model_.progressTotal = 65546;
        job_.model = &model_;
        lstrcpyA(job_.tempFolder, (root_ + "\\Temp").c_str());
        lstrcpyA(job_.choices.destination, (root_ + "\\Product").c_str());
        job_.osCode = 5;
        job_.view = &view_;
        job_.cancel = &cancel_;
        view_.cancel = &cancel_;
    }
    void TearDown() override
    {
        DeleteTree(root_);
    }

    std::string root_;
    InstallModel model_ = {};
    InstallJob job_ = {};
    RecordingView view_;
    volatile LONG cancel_ = 0;
};

TEST_F(WindowlessCopy, TheViewSeesEveryFileAndBarPosition)
{
    ASSERT_EQ(CopyFiles(job_), 1);
    EXPECT_EQ(ReadBytes(root_ + "\\Product\\Small.txt"), "ten bytes!");
    EXPECT_EQ(ReadBytes(root_ + "\\Product\\Large.bin").size(), 65536u);
    // Four 16 KiB chunks of 65,546 bytes, the size field, then the small file.
    EXPECT_EQ(view_.bars, (std::vector<int>{24, 49, 74, 99, 99, 100, 100}));
    ASSERT_EQ(view_.files.size(), 3u);
    EXPECT_NE(view_.files[0].find("Large.bin"), std::string::npos) << view_.files[0];
    EXPECT_NE(view_.files[1].find("Small.txt"), std::string::npos) << view_.files[1];
    EXPECT_EQ(view_.files[2], "");
    EXPECT_TRUE(view_.tasks.empty());
    EXPECT_EQ(job_.installedBytes, 65546u);
}

TEST_F(WindowlessCopy, ACancelRollsBackThroughTheView)
{
    MessageBoxCatcher boxes;
    view_.cancelAtBar = 49;
    EXPECT_EQ(CopyFiles(job_), 0);
    EXPECT_FALSE(Exists(root_ + "\\Product\\Large.bin")) << "the partial copy went";
    EXPECT_FALSE(Exists(root_ + "\\Product\\Small.txt"));
    // Two chunks, the press, then the file's size field once.
    EXPECT_EQ(view_.bars, (std::vector<int>{24, 49, 99}));
    EXPECT_EQ(view_.tasks, (std::vector<int>{IDS_ROLLING_BACK, IDS_INSTALL_INTERRUPTED}));
    EXPECT_FALSE(view_.progressShown);
    EXPECT_FALSE(view_.cancelEnabled);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, TableString(IDS_CANCELLED_BY_USER));
}

// A file past 2 GiB written a mebibyte at a time from a pattern that no two
// mebibytes share; the CRC-32 of what was written.
constexpr DWORD kMebibyte = 1 << 20;
constexpr ULONGLONG kLargeSize = (2048ull + 64) * kMebibyte;

std::string PatternMebibyte(ULONGLONG index)
{
    std::string bytes(kMebibyte, '\0');
    for (DWORD i = 0; i < kMebibyte; ++i)
        bytes[i] = static_cast<char>((i * 7 + (i >> 12) + index * 13) & 0xFF);
    return bytes;
}

uLong WritePattern(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    uLong crc = crc32(0, nullptr, 0);
    for (ULONGLONG index = 0; index < kLargeSize / kMebibyte; ++index) {
        std::string bytes = PatternMebibyte(index);
        DWORD written = 0;
        WriteFile(file, bytes.data(), kMebibyte, &written, nullptr);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), kMebibyte);
    }
    CloseHandle(file);
    return crc;
}

TEST_F(WindowlessCopy, AFilePastTwoGibibytesCopiesWholeWithTheBarForward)
{
    uLong written = WritePattern(root_ + "\\Temp\\Huge.bin");
    job_.targetLines = {root_ + "\\Product,Huge.bin," + std::to_string(kLargeSize) + ",,,1,0,0"};
    model_.entryCount = 1;
    model_.progressTotal = static_cast<uint32_t>(kLargeSize);
    ASSERT_EQ(CheckDiskSpace(job_), 1) << "a roomy drive takes a total past 2 GiB";

    ASSERT_EQ(CopyFiles(job_), 1);
    FileSum copy = SumFile(root_ + "\\Product\\Huge.bin");
    EXPECT_EQ(copy.length, kLargeSize);
    EXPECT_EQ(copy.crc, written);
    ASSERT_FALSE(view_.bars.empty());
    EXPECT_EQ(view_.bars.front(), 0);
    EXPECT_EQ(view_.bars.back(), 100);
    for (std::size_t i = 1; i < view_.bars.size(); ++i)
        ASSERT_GE(view_.bars[i], view_.bars[i - 1]) << "the bar went back at call " << i;
    // The last three hundredths lie past 2^31 bytes: a signed count would have dropped there.
    EXPECT_NE(std::find(view_.bars.begin(), view_.bars.end(), 97), view_.bars.end());
    EXPECT_EQ(job_.installedBytes, kLargeSize);
}

}  // namespace
