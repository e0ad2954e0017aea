#include "base/waiting.h"
#include "forms/control_properties.h"
#include "forms/dispatch_common.h"
#include "forms/form_lifecycle.h"
#include "forms/message_handlers.h"
#include "forms/portable/screen_metrics.h"
#include "forms/property_accessors.h"
#include "forms/runtime_memory.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"
#include "forms/window_procedures.h"

namespace {

constexpr DWORD kSizeGrip = 0x100;
constexpr int kSizeGripWidth = 30;

RECT RectInParent(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The record's copy of the caption follows the window's text.
void FollowCaption(ObjectRecord* record, const char* text)
{
    int length = text != nullptr ? lstrlenA(text) : 0;
    if (length == 0) {
        if (record->Caption != nullptr && !IsIdentifier(RefValue(record->Caption)))
            record->Caption[0] = '\0';
        record->TextLength = 0;
        return;
    }
    if (length != record->TextLength || record->Caption == nullptr || IsIdentifier(RefValue(record->Caption))) {
        auto* copy = static_cast<char*>(AllocateZeroed(static_cast<SIZE_T>(length) + 2));
        if (copy == nullptr)
            return;
        FreeBlock(record->Caption);
        record->Caption = copy;
        record->TextLength = length;
    }
    CopyMemory(record->Caption, text, static_cast<SIZE_T>(length) + 1);
}

void UncheckSiblings(HWND button)
{
    for (HWND sibling = GetWindow(GetParent(button), GW_CHILD); sibling != nullptr;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        ObjectRecord* record = FindRecord(sibling);
        if (sibling == button || record == nullptr || record->Kind != KindOptionButton)
            continue;
        record->Value = 0;
        SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

bool LaysOutChildren(int kind)
{
    return IsFormKind(kind) || kind == KindPicture || kind == KindToolbar || kind == KindStatusBar;
}

}  // namespace

LRESULT OnSetText(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = CommonPath(record, window, message, wParam, lParam);
    FollowCaption(record, reinterpret_cast<const char*>(lParam));
    if (record->Kind == KindGroup) {
        MeasureCaption(record);
    } else if (record->Kind == KindLabel) {
        AutoSize(record);
        MeasureCaption(record);
    }
    if (IsContainerKind(record->Kind) || record->Kind == KindLabel)
        Repaint(window, true);
    return answer;
}

LRESULT OnSetCheck(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    bool option = record->Kind == KindOptionButton;
    if (!option && record->Kind != KindCheckBox)
        return CommonPath(record, window, message, wParam, lParam);
    if (option && wParam == BST_CHECKED && (record->Style & BS_AUTORADIOBUTTON) != 0)
        UncheckSiblings(window);
    CallWindowProcA(record->PrevProc, window, message, wParam, lParam);
    record->Value = static_cast<int>(wParam);
    // Only the checked button of an option group is a tab stop.
    if (option)
        record->TabStop = static_cast<int>(wParam & 1);
    return 0;
}

LRESULT OnEnable(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SetEnabled(window, wParam != FALSE ? 1 : 0);
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnSetFont(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (record->Kind == KindLabel) {
        AutoSize(record);
        MeasureCaption(record);
    }
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnSetImage(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto image = reinterpret_cast<ResourceRef>(message == STM_SETICON ? wParam : static_cast<WPARAM>(lParam));
    SetPicture(window, image);
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnShowWindow(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0) {
        record->Visible = wParam != FALSE ? 1 : 0;
        LayOutDockedBars(FindRecord(GetParent(window)));
    }
    if (wParam != FALSE && (IsFormKind(record->Kind) || IsContainerKind(record->Kind)))
        SizeNudge(window, record->Visible == 1);
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnMovingOrSizing(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The window stays responsive while it is dragged.
    PumpOneMessage();
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnMove(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RECT rect = RectInParent(window);
    record->Left = PixelsToScale(rect.left, record->ScaleMode, g_runtime.TwipsPerPixelX);
    record->Top = PixelsToScale(rect.top, record->ScaleMode, g_runtime.TwipsPerPixelY);
    if (record->Kind == KindWindowForm && record->MDIChild == 1)
        SendMessageA(GetParent(window), kRefreshScrollBars, 0, 0);
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnSize(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (wParam != SIZE_MINIMIZED) {
        if (LaysOutChildren(record->Kind))
            LayOutDockedBars(record);
        if (record->Kind == KindStatusBar && (GetWindowLongPtrA(window, GWL_STYLE) & kSizeGrip) != 0) {
            RECT grip;
            GetClientRect(window, &grip);
            grip.left = grip.right - kSizeGripWidth;
            InvalidateRect(window, &grip, TRUE);
        }
    }
    if (wParam != SIZE_MINIMIZED && wParam != SIZE_MAXIMIZED) {
        RECT rect;
        GetWindowRect(window, &rect);
        record->Width = PixelsToScale(rect.right - rect.left, record->ScaleMode, g_runtime.TwipsPerPixelX);
        record->Height = PixelsToScale(rect.bottom - rect.top, record->ScaleMode, g_runtime.TwipsPerPixelY);
    }
    if (record->Kind == KindMdiFrame) {
        // The frame's default processing would size the client over the bars.
        CallProcedure(record, window, message, wParam, lParam);
        return 0;
    }
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnStyleChanged(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD style = reinterpret_cast<const STYLESTRUCT*>(lParam)->styleNew;
    if (static_cast<int>(wParam) == GWL_STYLE)
        record->Style = style;
    else
        record->ExStyle = style;
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnSysColorChange(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RefreshColors(window);
    if (IsFormKind(record->Kind) || IsContainerKind(record->Kind))
        return CallProcedure(record, window, message, wParam, lParam);
    return CallWindowProcA(record->PrevProc, window, message, wParam, lParam);
}
