#include "forms/custom_painting.h"
#include "forms/dispatch_common.h"
#include "forms/form_lifecycle.h"
#include "forms/message_handlers.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"

namespace {

bool PaintsLikeLabel(const ObjectRecord* record)
{
    return (record->Kind == KindLabel && record->CustomPaint == 1) || record->Kind == KindImageStatic;
}

bool TakesBackColor(const ObjectRecord* record)
{
    return record->Kind == KindTextBox || record->Kind == KindComboBox;
}

bool DefaultsToWindow(const ObjectRecord* record)
{
    return IsFormKind(record->Kind) || IsContainerKind(record->Kind);
}

}  // namespace

LRESULT OnEraseBackground(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CallProcedure(record, window, message, wParam, lParam) != 0)
        return 1;
    auto dc = reinterpret_cast<HDC>(wParam);
    if (IsFormKind(record->Kind)) {
        PaintFormBackground(record, dc);
    } else if (PaintsLikeLabel(record)) {
        // Nothing is erased: a transparent label shows what lies beneath.
    } else if (record->Kind == KindGroup) {
        RECT client;
        GetClientRect(window, &client);
        HGDIOBJ previous = SelectObject(dc, record->BackBrush);
        PatBlt(dc, 0, 0, client.right, client.bottom, PATCOPY);
        SelectObject(dc, previous);
    } else if (record->Kind == KindPicture) {
        if (record->Default != 1)
            PaintPicture(record, dc, true);
    } else {
        return DefaultProcessing(record, window, message, wParam, lParam);
    }
    return 1;
}

LRESULT OnPaint(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CallProcedure(record, window, message, wParam, lParam) != 0) {
        if (record->Kind == KindLabel || record->Kind == KindImageStatic)
            SendMessageA(window, WM_NCPAINT, 1, 0);
    } else if (record->Kind == KindGroup) {
        if (record->Indent == 1)
            CallWindowProcA(g_runtime.SystemButtonProc, window, message, wParam, lParam);
        PaintGroup(record);
    } else if (record->Kind == KindPicture) {
        PaintPicture(record, nullptr, false);
        ApplyRepaintRule(GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST));
    } else if (PaintsLikeLabel(record)) {
        PaintLabel(record);
        SendMessageA(window, WM_NCPAINT, 1, 0);
    } else {
        DefaultProcessing(record, window, message, wParam, lParam);
    }
    ApplyRepaintRule(GetWindow(window, GW_HWNDPREV));
    return 0;
}

LRESULT OnControlColor(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = CallProcedure(record, window, message, wParam, lParam);
    if (answer != 0)
        return answer;
    // Text boxes and combo boxes colour their own inner parts.
    const ObjectRecord* colors = DefaultsToWindow(record) ? FindRecord(reinterpret_cast<HWND>(lParam))
                                 : TakesBackColor(record) ? record
                                                          : nullptr;
    if (colors == nullptr)
        return DefaultProcessing(record, window, message, wParam, lParam);
    auto dc = reinterpret_cast<HDC>(wParam);
    if (TakesBackColor(colors))
        SetBkColor(dc, colors->BackColorValue);
    else
        SetBkMode(dc, TRANSPARENT);
    if (colors->Font != nullptr)
        SelectObject(dc, colors->Font);
    SetTextColor(dc, colors->ForeColorValue);
    // Buttons take their container's brush, so that they blend into it.
    return reinterpret_cast<LRESULT>(message == WM_CTLCOLORBTN ? record->BackBrush : colors->BackBrush);
}

LRESULT OnDrawItem(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!DefaultsToWindow(record))
        return CommonPath(record, window, message, wParam, lParam);
    LRESULT answer = CallProcedure(record, window, message, wParam, lParam);
    if (answer != 0)
        return answer;
    HWND formWindow = IsFormKind(record->Kind) ? window : record->FormWindow;
    const ObjectRecord* form = FindRecord(formWindow);
    answer = form != nullptr ? CallProcedure(form, formWindow, message, wParam, lParam) : 0;
    if (answer != 0)
        return answer;
    DrawOwnerDrawnButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return 1;
}

LRESULT OnSetCursor(ObjectRecord* record, HWND window, UINT, WPARAM wParam, LPARAM lParam)
{
    return ApplyCursorRule(record, window, wParam, lParam, DefaultsToWindow(record) ? DefWindowProcA : record->PrevProc);
}
