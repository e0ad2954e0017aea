#include "forms/custom_painting.h"
#include "forms/dispatch_common.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"
#include "forms/window_procedures.h"

namespace {

LRESULT SystemProcedure(HWND client, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_runtime.SystemMdiClientProc, client, message, wParam, lParam);
}

bool IsInputMessage(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
        return true;
    default:
        return false;
    }
}

void RefreshScrollBar(HWND client, int bar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    GetScrollInfo(client, bar, &info);
    SetScrollInfo(client, bar, &info, TRUE);
}

LRESULT OnClientFocus(ObjectRecord* frame, HWND client, WPARAM wParam, LPARAM lParam)
{
    HWND focus = frame->FocusWindow;
    if (GetWindow(client, GW_CHILD) == nullptr && focus != nullptr && focus != GetFocus() &&
        focus != GetParent(client)) {
        SetFocus(focus);
        return 0;
    }
    return SystemProcedure(client, WM_SETFOCUS, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK RuntimeMdiClientProc(HWND client, UINT message, WPARAM wParam, LPARAM lParam)
{
    ObjectRecord* frame = FindRecord(GetParent(client));
    if (frame == nullptr)
        return SystemProcedure(client, message, wParam, lParam);
    if (IsInputMessage(message))
        return CallProcedure(frame, frame->Window, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        PaintFormBackground(frame, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_SETCURSOR:
        return ApplyCursorRule(frame, client, wParam, lParam, g_runtime.SystemMdiClientProc);
    case WM_COMMAND:
    case WM_NOTIFY:
        SendMessageA(frame->Window, message, wParam, lParam);
        return 0;
    case WM_SETFOCUS:
        return OnClientFocus(frame, client, wParam, lParam);
    case kFocusChanged:
        frame->FocusWindow = reinterpret_cast<HWND>(lParam);
        return 0;
    case kRefreshScrollBars:
        RefreshScrollBar(client, SB_HORZ);
        RefreshScrollBar(client, SB_VERT);
        return 0;
    case WM_DESTROY:
        for (HWND child = GetWindow(client, GW_CHILD); child != nullptr && DestroyWindow(child);
             child = GetWindow(client, GW_CHILD))
            continue;
        return SystemProcedure(client, message, wParam, lParam);
    default:
        return SystemProcedure(client, message, wParam, lParam);
    }
}
