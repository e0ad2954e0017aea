#include "wizard/quiet_view.h"

#include <commctrl.h>

#include "base/messages.h"
#include "base/waiting.h"
#include "engine/bar_position.h"
#include "resources/string_ids.h"
#include "wizard/wizard_state.h"

namespace {

const char kQuietClass[] = "InstalQuietProgress";
constexpr int kTaskId = 1;
constexpr int kBarId = 2;
constexpr int kCancelId = 3;

// Cancel and the window's close both stop the install: the copy rolls back
// at its next check, without a question.
LRESULT CALLBACK QuietWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_COMMAND && LOWORD(wParam) == kCancelId) || message == WM_CLOSE) {
        g_wizard.cancel = 1;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeQuietWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = QuietWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kQuietClass;
    RegisterClassA(&windowClass);
    char caption[kTextCapacity] = " ";
    char title[kTextCapacity];
    LoadTableString(IDS_WIZARD_CAPTION, title);
    AppendText(caption, title);
    HWND window = CreateWindowExA(0, kQuietClass, caption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 420, 150, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr)
        return nullptr;
    HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTaskId));
    CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 16, 14, 380, 18, window, id, nullptr, nullptr);
    id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBarId));
    CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 16, 40, 380, 18, window, id, nullptr, nullptr);
    LoadTableString(IDS_CANCEL, title);
    id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCancelId));
    CreateWindowExA(0, "BUTTON", title, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 306, 72, 90, 26, window, id, nullptr,
                    nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

class QuietView final : public InstallView {
public:
    void Show() { window_ = window_ != nullptr ? window_ : MakeQuietWindow(); }
    void Close()
    {
        if (window_ != nullptr)
            DestroyWindow(window_);
        window_ = nullptr;
    }

    void ShowTask(int stringId) override
    {
        char text[kTextCapacity];
        LoadTableString(stringId, text);
        SetDlgItemTextA(window_, kTaskId, text);
    }
    void ShowFile(const char*) override {}
    void ShowBar(int percent) override
    {
        if (HWND bar = GetDlgItem(window_, kBarId))
            ShowBarPosition(bar, static_cast<unsigned>(percent));
    }
    void ShowProgress(bool) override {}
    void EnableCancel(bool enabled) override { EnableWindow(GetDlgItem(window_, kCancelId), enabled); }
    void ShowBusy(bool) override {}
    void Pause(DWORD, bool) override { DispatchWaiting(); }
    void ShowListFile(const ListFileContent&) override {}
    void DispatchWaiting() override
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

private:
    HWND window_ = nullptr;
};

QuietView g_view;

}  // namespace

InstallView& QuietInstallView(bool shown)
{
    if (shown)
        g_view.Show();
    return g_view;
}

void CloseQuietWindow()
{
    g_view.Close();
}
