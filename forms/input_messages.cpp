#include "forms/dispatch_common.h"
#include "forms/form_lifecycle.h"
#include "forms/keyboard_navigation.h"
#include "forms/message_handlers.h"
#include "forms/window_procedures.h"

namespace {

bool IsArrow(WPARAM key)
{
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

bool IsButtonKind(int kind)
{
    return kind == KindPushButton || kind == KindCheckBox || kind == KindOptionButton;
}

bool IsDropped(const ObjectRecord* record, HWND window)
{
    return record->Kind == KindComboBox && SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

bool WantsReturn(const ObjectRecord* record, HWND window)
{
    bool textKind = record->Kind == KindTextBox || record->Kind == KindRichTextBox;
    return textKind && (GetWindowLongPtrA(window, GWL_STYLE) & ES_WANTRETURN) != 0;
}

// Forms, labels, containers and image statics follow the mouse while pressed.
bool CapturesMouse(int kind)
{
    return IsFormKind(kind) || kind == KindLabel || IsContainerKind(kind) || kind == KindImageStatic;
}

LRESULT SendKeyToParent(HWND window, WPARAM key)
{
    return SendMessageA(GetParent(window), kNavigateKey, key, reinterpret_cast<LPARAM>(window));
}

LRESULT FormKeyDown(ObjectRecord* form, HWND window, UINT message, WPARAM key, LPARAM lParam)
{
    if (key == VK_TAB) {
        if (form->FocusWindow != nullptr)
            SetFocus(form->FocusWindow);
        return 0;
    }
    if (key == VK_ESCAPE) {
        SendMessageA(window, kNavigateKey, VK_ESCAPE, reinterpret_cast<LPARAM>(window));
        return 0;
    }
    return DefaultProcessing(form, window, message, key, lParam);
}

LRESULT ControlKeyDown(ObjectRecord* control, HWND window, UINT message, WPARAM key, LPARAM lParam)
{
    if (IsArrow(key) && IsButtonKind(control->Kind))
        return SendKeyToParent(window, key);
    if (key == VK_TAB) {
        SendKeyToParent(window, key);
        return 0;
    }
    if (key == VK_ESCAPE) {
        if (IsDropped(control, window))
            return DefaultProcessing(control, window, message, key, lParam);
        SendKeyToParent(window, key);
        return 0;
    }
    if (key != VK_RETURN)
        return DefaultProcessing(control, window, message, key, lParam);
    if (IsDropped(control, window) || WantsReturn(control, window))
        return DefaultProcessing(control, window, message, key, lParam);
    bool comboBox = control->Kind == KindComboBox;
    SendKeyToParent(window, key);
    if (comboBox)
        return 0;
    // The command may have destroyed the form.
    return IsWindow(window) ? DefaultProcessing(control, window, message, key, lParam) : 0;
}

}  // namespace

LRESULT OnKeyDown(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = CallProcedure(record, window, message, wParam, lParam);
    if (answer != 0)
        return answer;
    if (IsFormKind(record->Kind))
        return FormKeyDown(record, window, message, wParam, lParam);
    return ControlKeyDown(record, window, message, wParam, lParam);
}

LRESULT OnChar(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsFormKind(record->Kind)) {
        if (wParam != '\t')
            return CommonPath(record, window, message, wParam, lParam);
        if (record->FocusWindow != nullptr)
            SetFocus(record->FocusWindow);
        return 0;
    }
    // The navigation keys went up as NavigateKey; their characters would beep.
    if (wParam == '\t' || wParam == VK_ESCAPE)
        return 0;
    if (wParam == '\r' && !WantsReturn(record, window))
        return 0;
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnSysCommand(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (wParam & 0xFFF0) {
    case SC_KEYMENU:
        if (ApplyMnemonicRule(window, static_cast<int>(lParam)) != nullptr || !IsWindow(window))
            return 0;
        break;
    case SC_MINIMIZE:
    case SC_RESTORE:
    case SC_MAXIMIZE:
        // In ranged controls the same word is the minimum of the range.
        if (IsFormKind(record->Kind))
            record->WindowState = (wParam & 0xFFF0) == SC_MINIMIZE ? 1 : (wParam & 0xFFF0) == SC_MAXIMIZE ? 2 : 0;
        break;
    default:
        break;
    }
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnNonClientButtonDown(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (wParam != HTNOWHERE && IsFormKind(record->Kind) && record->WindowState != 1)
        SetActiveWindow(window);
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnHitTest(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (record->Kind == KindTabControl || record->Kind == KindAnimation || record->Kind == KindPager)
        return HTCLIENT;
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnLeftButtonDown(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    int kind = record->Kind;
    bool takesFocus = IsScrollBarKind(kind) || kind == KindListView || kind == KindTabControl ||
                      kind == KindMonthCalendar || (kind == KindPicture && record->TabStop == 1);
    if (takesFocus)
        SetFocus(window);
    if (CapturesMouse(kind))
        SetCapture(window);
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnLeftButtonDoubleClick(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A double click counts as a second press.
    if (record->Kind == KindPushButton || record->Kind == KindHeader)
        SendMessageA(window, WM_LBUTTONDOWN, wParam, lParam);
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnLeftButtonUp(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (GetCapture() == window && CapturesMouse(record->Kind))
        ReleaseCapture();
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnRightButtonDown(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (record->FormWindow != nullptr)
        SetWindowPos(record->FormWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (record->Kind == KindListView)
        SetFocus(window);
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnRightButtonDoubleClick(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (record->Kind == KindPushButton)
        SendMessageA(window, WM_RBUTTONDOWN, wParam, lParam);
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnScroll(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsFormKind(record->Kind) || IsContainerKind(record->Kind))
        return CommonPath(record, window, message, wParam, lParam);
    SetFocus(window);
    LRESULT answer = CommonPath(record, window, message, wParam, lParam);
    if (record->Kind == KindListView && (LOWORD(wParam) == SB_LINEDOWN || LOWORD(wParam) == SB_PAGEDOWN))
        InvalidateRect(window, nullptr, FALSE);
    return answer;
}
