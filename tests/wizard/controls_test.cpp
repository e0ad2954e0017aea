#include <gtest/gtest.h>

#include <string>

#include "base/waiting.h"
#include "message_box_catcher.h"
#include "stand_in_main_window.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"

namespace {

class Controls : public testing::Test {
protected:
    void SetUp() override { CreateStandInMainWindow(); }
    void TearDown() override { DestroyStandInMainWindow(); }
};

std::string TextOf(int id)
{
    char text[260];
    GetControlText(id, text);
    return text;
}

TEST_F(Controls, FindsControlsNestedInFrames)
{
    HWND browse = ControlWindow(btnBrowse);
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(GetDlgCtrlID(GetParent(browse)), grpDestDir);
    EXPECT_EQ(ControlWindow(999), nullptr);
}

// Controls found once are kept; a main window built again must not be
// answered with the windows of the one before it.
TEST_F(Controls, FindsTheControlsOfARebuiltMainWindow)
{
    HWND first = ControlWindow(btnBrowse);
    ASSERT_NE(first, nullptr);
    DestroyStandInMainWindow();
    CreateStandInMainWindow();
    HWND again = ControlWindow(btnBrowse);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(IsWindow(again));
    EXPECT_TRUE(IsChild(g_wizard.mainWindow, again));
}

TEST_F(Controls, TextFromTheTableReplacesOrFollows)
{
    char buffer[260] = "";
    AppendTableText(Static5, 10069, buffer);
    EXPECT_EQ(std::string(buffer), " " + TableString(10069)) << "after an empty buffer: a leading space";
    EXPECT_EQ(TextOf(Static5), buffer);

    lstrcpyA(buffer, "Kestrel");
    AppendTableText(Static5, 10027, buffer);
    EXPECT_EQ(TextOf(Static5), "Kestrel " + TableString(10027));

    ShowTableText(btnCancel, 10031);
    EXPECT_EQ(TextOf(btnCancel), Ansi("&Sortir"));
}

TEST_F(Controls, AComposedTextStaysInItsBuffer)
{
    char buffer[260 + 4];
    FillMemory(buffer, sizeof buffer, 'z');
    FillMemory(buffer, 250, 'a');
    buffer[250] = '\0';
    AppendTableText(Static5, 10027, buffer);
    EXPECT_EQ(lstrlenA(buffer), 259);
    EXPECT_EQ(buffer[260], 'z');
}

TEST_F(Controls, EnableAndShow)
{
    EnableControl(btnNext, false);
    EXPECT_FALSE(IsWindowEnabled(ControlWindow(btnNext)));
    EnableControl(btnNext, true);
    EXPECT_TRUE(IsWindowEnabled(ControlWindow(btnNext)));
    ShowControl(grpPackage, false);
    EXPECT_FALSE(GetWindowLongA(ControlWindow(grpPackage), GWL_STYLE) & WS_VISIBLE);
    ShowControl(grpPackage, true);
    EXPECT_TRUE(GetWindowLongA(ControlWindow(grpPackage), GWL_STYLE) & WS_VISIBLE);
}

// Counts the messages that reach it, so a test sees what a wait dispatched.
struct Counter {
    static int count;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP)
            ++count;
        return DefWindowProcA(window, message, wParam, lParam);
    }
};
int Counter::count;

HWND CounterWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Counter::Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "InstalCounter";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "InstalCounter", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

TEST(WaitMilliseconds, DispatchesOneMessageAtATimeWhileWaiting)
{
    HWND window = CounterWindow();
    Counter::count = 0;
    for (int i = 0; i < 5; ++i)
        PostMessageA(window, WM_APP, 0, 0);
    WaitMilliseconds(120, true);
    EXPECT_EQ(Counter::count, 5);
    DestroyWindow(window);
}

TEST(WaitMilliseconds, WithoutDispatchNothingRuns)
{
    HWND window = CounterWindow();
    Counter::count = 0;
    PostMessageA(window, WM_APP, 0, 0);
    // A timer due halfway through the wait is due, and waiting, at its end.
    SetTimer(window, 1, 30, nullptr);
    WaitMilliseconds(60, false);
    EXPECT_NE(HIWORD(GetQueueStatus(QS_TIMER)) & QS_TIMER, 0u) << "the wait lasted past the timer";
    EXPECT_EQ(Counter::count, 0);
    PumpOneMessage();
    EXPECT_EQ(Counter::count, 1);
    KillTimer(window, 1);
    DestroyWindow(window);
}

TEST(WaitMilliseconds, AMessageArrivingDuringTheWaitIsHandledWithinIt)
{
    HWND window = CounterWindow();
    Counter::count = 0;
    // A timer posts its message while the wait sleeps.
    struct Poster {
        static void CALLBACK Fire(HWND w, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(w, id);
            PostMessageA(w, WM_APP, 0, 0);
        }
    };
    SetTimer(window, 1, 30, Poster::Fire);
    WaitMilliseconds(200, true);
    EXPECT_EQ(Counter::count, 1);
    DestroyWindow(window);
}

TEST(WaitCursor, CapturesAndRestores)
{
    HWND window = CreateStandInMainWindow();
    ShowWindow(window, SW_SHOW);
    BeginWaitCursor(window);
    EXPECT_TRUE(WaitCursorIsOn());
    EXPECT_EQ(GetCapture(), window);
    BeginWaitCursor(window);
    EndWaitCursor();
    EXPECT_FALSE(WaitCursorIsOn());
    EXPECT_EQ(GetCapture(), nullptr);
    EndWaitCursor();
    DestroyStandInMainWindow();
}

}  // namespace
