#include "message_box_catcher.h"

#include "base/messages.h"

namespace {

MessageBoxCatcher* g_catcher;

std::string WindowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct BoxParts {
    std::string text;
    HICON icon;
};

BOOL CALLBACK CollectPart(HWND child, LPARAM parameter)
{
    auto* parts = reinterpret_cast<BoxParts*>(parameter);
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0)
        return TRUE;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        parts->icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    else if (parts->text.empty())
        parts->text = WindowText(child);
    return TRUE;
}

BOOL CALLBACK FindDefaultButton(HWND child, LPARAM parameter)
{
    LONG style = GetWindowLongA(child, GWL_STYLE);
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Button") != 0 || (style & BS_TYPEMASK) != BS_DEFPUSHBUTTON)
        return TRUE;
    *reinterpret_cast<int*>(parameter) = GetDlgCtrlID(child);
    return FALSE;
}

int DefaultButtonOf(HWND box)
{
    int id = 0;
    EnumChildWindows(box, FindDefaultButton, reinterpret_cast<LPARAM>(&id));
    return id;
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher()
{
    g_catcher = this;
    hook_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    UnhookWindowsHookEx(hook_);
    g_catcher = nullptr;
}

LRESULT CALLBACK MessageBoxCatcher::OnCbt(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_catcher != nullptr) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = "";
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0)
            g_catcher->Catch(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The box sets its default button only after it is activated, so the
// catcher reads and answers it from a timer that runs in the box's own loop.
void MessageBoxCatcher::Catch(HWND box)
{
    for (const CaughtMessageBox& seen : boxes_)
        if (seen.box == box)
            return;
    CaughtMessageBox caught = {};
    caught.box = box;
    boxes_.push_back(caught);
    SetTimer(nullptr, 0, 10, OnTimer);
}

void CALLBACK MessageBoxCatcher::OnTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (g_catcher != nullptr && !g_catcher->boxes_.empty())
        g_catcher->Answer(g_catcher->boxes_.back());
}

void MessageBoxCatcher::Answer(CaughtMessageBox& caught)
{
    HWND box = caught.box;
    BoxParts parts = {"", nullptr};
    EnumChildWindows(box, CollectPart, reinterpret_cast<LPARAM>(&parts));
    caught.caption = WindowText(box);
    caught.text = parts.text;
    caught.owner = GetWindow(box, GW_OWNER);
    caught.yesNo = GetDlgItem(box, IDYES) != nullptr;
    caught.defaultButton = DefaultButtonOf(box);
    caught.icon = parts.icon;

    int answer = caught.defaultButton;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
}

std::string TableString(int id)
{
    char text[1024];
    LoadTableString(id, text, sizeof text);
    return text;
}

std::string Ansi(const char* utf8)
{
    wchar_t wide[1024];
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 1024);
    char ansi[1024];
    WideCharToMultiByte(1252, 0, wide, length, ansi, sizeof ansi, nullptr, nullptr);
    return ansi;
}
