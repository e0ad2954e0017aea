#include <gtest/gtest.h>

#include <string>

#include "engine/list_reader.h"
#include "message_box_catcher.h"
#include "base/registry.h"
#include "registration/restart_record.h"
#include "stand_in_main_window.h"
#include "wizard/completion.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"

namespace {

const char kRestartKey[] = "SOFTWARE\\TWC Products\\Kestrel\\Restart";
const char kRunOnceKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

class Completion : public testing::Test {
protected:
    void SetUp() override
    {
        ResetWizardState();
        CreateStandInMainWindow();
        ShowWindow(g_wizard.mainWindow, SW_SHOW);
        g_wizard.model.information = {"Kestrel", "2.0", "Kestrel", "0", "", "Welcome", "Catala", "Kestrel", "",
                                 "Gracies", "Kestrel 2.0"};
    }
    void TearDown() override
    {
        DestroyStandInMainWindow();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\TWC Products");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunOnceKey, "TWRestart");
    }

    static std::string Text(int id)
    {
        char text[260];
        GetWindowTextA(ControlWindow(id), text, sizeof text);
        return text;
    }
    static int Top(int id)
    {
        RECT frame;
        GetWindowRect(ControlWindow(id), &frame);
        return frame.top;
    }
    static bool HasValue(const char* key, const char* name)
    {
        return ReadRegValue(kLocalMachine, key, name, nullptr) == 1;
    }
    static std::string Value(const char* key, const char* name)
    {
        char value[260] = "";
        ReadRegValue(kLocalMachine, key, name, value);
        return value;
    }
};

TEST_F(Completion, WithoutFilesInUseTheFinishPageIsPlain)
{
    int top = Top(stcFinishHint);
    ShowFinishPage();
    EXPECT_EQ(Text(Static1), "Kestrel 2.0 " + TableString(10041));
    EXPECT_EQ(Text(Static2), TableString(10020));
    EXPECT_EQ(Text(stcFinishHint), TableString(10036));
    EXPECT_EQ(Text(btnCancel), TableString(10035));
    EXPECT_EQ(Top(stcFinishHint), top);
    EXPECT_FALSE(IsWindowVisible(ControlWindow(radRebootNow)));
    EXPECT_EQ(g_wizard.finishReached, 1);
    EXPECT_FALSE(HasValue(kRestartKey, "Registers"));
    EXPECT_FALSE(HasValue(kRunOnceKey, "TWRestart"));
}

TEST_F(Completion, AFileInUseWithoutLibrariesOffersTheRestartOnly)
{
    g_wizard.job.restartNeeded = 1;
    int top = Top(stcFinishHint);
    ShowFinishPage();
    EXPECT_EQ(Text(stcFinishHint), TableString(10042));
    EXPECT_EQ(Top(stcFinishHint), top - 26);
    EXPECT_TRUE(IsWindowVisible(ControlWindow(radRebootNow)));
    EXPECT_TRUE(IsWindowVisible(ControlWindow(radRebootLater)));
    EXPECT_FALSE(HasValue(kRestartKey, "Registers"));
    EXPECT_FALSE(HasValue(kRunOnceKey, "TWRestart"));
}

TEST_F(Completion, DelayedLibrariesAreListedForTheUninstaller)
{
    g_wizard.job.restartNeeded = 1;
    g_wizard.job.afterRestartRegistrations = {"C:\\Kestrel\\a.dll", "C:\\Windows\\System32\\b.ocx", "C:\\Kestrel\\c.dll"};
    g_wizard.job.model = &g_wizard.model;
    // The install's last step, before its journal ends; the page only offers the restart.
    WriteRestartData(g_wizard.job);
    ShowFinishPage();
    EXPECT_EQ(Value(kRestartKey, "Registers"), "3");
    EXPECT_EQ(Value(kRestartKey, "Register1"), "C:\\Kestrel\\a.dll");
    EXPECT_EQ(Value(kRestartKey, "Register2"), "C:\\Windows\\System32\\b.ocx");
    EXPECT_EQ(Value(kRestartKey, "Register3"), "C:\\Kestrel\\c.dll");
    EXPECT_FALSE(HasValue(kRestartKey, "Register4"));
    EXPECT_EQ(Value(kRestartKey, "DeleteKey"), "0");
    EXPECT_TRUE(HasValue(kRestartKey, "DeleteDir"));
    EXPECT_EQ(Value(kRestartKey, "DeleteDir"), "");
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_EQ(Value(kRunOnceKey, "TWRestart"), std::string(windows) + "\\KSUninst.exe /R Kestrel");
}

TEST_F(Completion, RestartLaterRemindsWithoutOwnerAndCloses)
{
    g_wizard.job.restartNeeded = 1;
    ShowFinishPage();
    g_wizard.choices.restartNow = false;
    MessageBoxCatcher catcher;
    RestartOrRemind();
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].text, TableString(10050) + " Kestrel.");
    EXPECT_EQ(catcher.boxes()[0].owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(g_wizard.mainWindow));
}

}  // namespace
