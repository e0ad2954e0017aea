// The copy and its rollback take everything from the job: no main form, and
// a view of a few lines that records what the user would see and skips the
// pauses.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/copy_files.h"
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
        model_.files = CreateStringList(false);
        StringListAdd(model_.files, (root_ + "\\Product,Large.bin,65536,,,1,0,0").c_str());
        StringListAdd(model_.files, (root_ + "\\Product,Small.txt,10,,,1,0,0").c_str());
        model_.entryCount = 2;
        model_.progressTotal = 65546;
        job_.model = &model_;
        lstrcpyA(job_.tempFolder, (root_ + "\\Temp").c_str());
        lstrcpyA(job_.destination, (root_ + "\\Product").c_str());
        job_.osCode = 5;
        job_.view = &view_;
        job_.cancel = &cancel_;
        view_.cancel = &cancel_;
    }
    void TearDown() override
    {
        ReleaseJobLists(job_);
        DestroyStringList(model_.files);
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

}  // namespace
