#include "uninstaller/uninstall_window.h"

#include <commctrl.h>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "forms/form_lifecycle.h"
#include "forms/form_templates.h"
#include "forms/property_accessors.h"
#include "uninstaller/uninstall_template.h"
#include "uninstaller/uninstaller_ids.h"

namespace {

// How long Cancel is offered before the removal starts.
constexpr DWORD kCancelWindow = 800;

enum class WindowPhase {
    Offering,     // Cancel still stops everything
    Removing,     // nothing may interrupt; the closing message ends the program
};

struct UninstallWindowState {
    HWND window;
    WindowPhase phase;
    bool cancelled;
};

UninstallWindowState g_window;

HWND Control(int id)
{
    return g_window.window != nullptr ? ControlByIdentifier(g_window.window, id) : nullptr;
}

LRESULT OnButton()
{
    if (g_window.phase == WindowPhase::Offering)
        g_window.cancelled = true;
    return 1;
}

LRESULT OnCommand(WPARAM wParam)
{
    if (LOWORD(wParam) == btnCancelClose && HIWORD(wParam) == BN_CLICKED)
        return OnButton();
    return 0;
}

// The window's own close box acts as the button; it never ends a removal.
LRESULT OnClose()
{
    OnButton();
    return 1;
}

LRESULT OnDestroy()
{
    g_window.window = nullptr;
    return 0;
}

LRESULT CALLBACK UninstallFormProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_CREATE:
        g_window.window = window;
        return 0;
    case WM_COMMAND:
        return OnCommand(wParam);
    case WM_CLOSE:
        return OnClose();
    case WM_DESTROY:
        return OnDestroy();
    default:
        return 0;
    }
}

}  // namespace

bool OpenUninstallWindow(const char* productName)
{
    char caption[kTextCapacity];
    LoadTableString(IDS_U_FORM_CAPTION, caption);
    AppendChar(caption, ' ');
    AppendText(caption, productName);
    g_window = UninstallWindowState{};
    const ObjectRecord* form = UninstallTemplate(caption, UninstallFormProc);
    *FirstFreeFormSlot() = const_cast<ObjectRecord*>(form);
    if (CreateForm(form, nullptr, false, 0) == 0 || g_window.window == nullptr)
        return false;
    SetForegroundWindow(g_window.window);
    WaitMilliseconds(100, true);
    return true;
}

HWND UninstallWindow()
{
    return g_window.window;
}

void ShowStatus(int stringId)
{
    char text[kTextCapacity];
    LoadTableString(stringId, text);
    HWND label = Control(stcStatus);
    SetWindowTextA(label, text);
    InvalidateRect(label, nullptr, TRUE);
    PumpOneMessage();
}

void ShowProgress(unsigned done, unsigned total)
{
    HWND bar = Control(prbProgress);
    if (bar == nullptr)
        return;
    WPARAM percent = total == 0 ? 100 : static_cast<WPARAM>(static_cast<unsigned long long>(done) * 100 / total);
    for (int attempt = 0; attempt < 10; ++attempt) {
        SendMessageA(bar, PBM_SETPOS, percent, 0);
        if (static_cast<WPARAM>(SendMessageA(bar, PBM_GETPOS, 0, 0)) == percent)
            break;
    }
    PumpOneMessage();
}

bool OfferCancel()
{
    DWORD start = GetTickCount();
    while (!g_window.cancelled && GetTickCount() - start < kCancelWindow)
        WaitMilliseconds(50, true);
    if (g_window.cancelled)
        return false;
    BeginRemoval();
    return true;
}

void BeginRemoval()
{
    g_window.phase = WindowPhase::Removing;
    EnableWindow(Control(btnCancelClose), FALSE);
}

void CloseUninstallWindow()
{
    if (g_window.window != nullptr)
        DestroyWindow(g_window.window);
    g_window.window = nullptr;
}
