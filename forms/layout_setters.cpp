#include "forms/property_accessors.h"

#include "forms/control_properties.h"
#include "forms/dispatch_common.h"
#include "forms/form_lifecycle.h"
#include "forms/portable/screen_metrics.h"
#include "forms/property_kinds.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"

namespace {

enum Dock { Undocked = 0, DockTop = 1, DockBottom = 2, DockLeft = 3, DockRight = 4 };
enum Setting { SetX, SetY, SetW, SetH };

int DockOf(const ObjectRecord* record)
{
    return HasKind(kDockableKinds, record->Kind) ? record->Align : Undocked;
}

// Docked objects are placed by their parent: no position, and no extent
// along the side they are docked to.
bool DockingAllows(const ObjectRecord* record, Setting setting)
{
    int dock = DockOf(record);
    switch (setting) {
    case SetX:
    case SetY:
        return dock == Undocked;
    case SetW:
        return dock != DockTop && dock != DockBottom;
    default:
        return dock != DockLeft && dock != DockRight;
    }
}

RECT RectInParent(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void LayOutParent(HWND window)
{
    LayOutDockedBars(FindRecord(GetParent(window)));
}

int PixelsX(const ObjectRecord* record, int value)
{
    return ScaleToPixels(value, record->ScaleMode, g_runtime.TwipsPerPixelX);
}

int PixelsY(const ObjectRecord* record, int value)
{
    return ScaleToPixels(value, record->ScaleMode, g_runtime.TwipsPerPixelY);
}

int SetGeometry(HWND window, Setting setting, int value)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr || !DockingAllows(record, setting))
        return 0;
    RECT rect = RectInParent(window);
    int x = rect.left;
    int y = rect.top;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    UINT flags = SWP_NOZORDER | SWP_FRAMECHANGED;
    switch (setting) {
    case SetX:
        record->Left = value;
        x = PixelsX(record, value);
        flags |= SWP_NOSIZE;
        break;
    case SetY:
        record->Top = value;
        y = PixelsY(record, value);
        flags |= SWP_NOSIZE;
        break;
    case SetW:
        record->Width = value;
        width = PixelsX(record, value);
        flags |= SWP_NOMOVE;
        break;
    case SetH:
        record->Height = value;
        height = PixelsY(record, value);
        flags |= SWP_NOMOVE;
        break;
    }
    SetWindowPos(window, nullptr, x, y, width, height, flags);
    if (DockOf(record) != Undocked)
        LayOutParent(window);
    Redraw(window);
    return 1;
}

int ShowCommandOf(int state)
{
    return state == 1 ? SW_SHOWMINIMIZED : state == 2 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
}

}  // namespace

int SetAlign(HWND window, int value)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr || !HasKind(kDockableKinds, record->Kind) || value < Undocked || value > DockRight)
        return 0;
    record->Align = value;
    LayOutParent(window);
    return 1;
}

int SetAutoSize(HWND window, int value)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr || !HasKind(Kinds({KindLabel, KindPicture}), record->Kind))
        return 0;
    record->AutoSize = value;
    AutoSize(record);
    return 1;
}

int SetLeft(HWND window, int value)
{
    return SetGeometry(window, SetX, value);
}

int SetTop(HWND window, int value)
{
    return SetGeometry(window, SetY, value);
}

int SetWidth(HWND window, int value)
{
    return SetGeometry(window, SetW, value);
}

int SetHeight(HWND window, int value)
{
    return SetGeometry(window, SetH, value);
}

int SetWindowState(HWND window, int value)
{
    ObjectRecord* form = FindRecord(window);
    if (form == nullptr || !IsFormKind(form->Kind) || value < 0 || value > 2)
        return 0;
    form->WindowState = value;
    ShowWindow(window, ShowCommandOf(value));
    Redraw(window);
    form->Style |= WS_VISIBLE;
    return 1;
}

int SetVisible(HWND window, int value)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return 0;
    record->Visible = value;
    if (value != 0) {
        if (IsFormKind(record->Kind))
            return SetWindowState(window, GetWindowState(window));
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        return 1;
    }
    if (IsFormKind(record->Kind) && record->Modal == 1) {
        // A modal form runs until it ends; it cannot be hidden meanwhile.
        record->Visible = 1;
        return 0;
    }
    ShowWindow(window, SW_HIDE);
    return 1;
}

int SetScrollBars(HWND window, int value)
{
    ObjectRecord* record = FindRecord(window);
    KindSet kinds = Kinds({KindMdiFrame, KindWindowForm, KindTextBox, KindPicture});
    if (record == nullptr || !HasKind(kinds, record->Kind) || value < 0 || value > 3)
        return 0;
    record->ScrollBars = value;
    auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)) & ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL);
    if ((value & 1) != 0)
        style |= WS_HSCROLL;
    if ((value & 2) != 0)
        style |= WS_VSCROLL;
    SetWindowLongPtrA(window, GWL_STYLE, static_cast<LONG_PTR>(style));
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    Redraw(window);
    return 1;
}

int SetRightToLeft(HWND window, int value)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr || HasKind(kImageOrScrollKinds, record->Kind))
        return 0;
    record->RightToLeft = value;
    // Non-zero reads right to left, as header items read it.
    DWORD exStyle = record->ExStyle & ~static_cast<DWORD>(WS_EX_RTLREADING);
    if (value != 0)
        exStyle |= WS_EX_RTLREADING;
    SetWindowLongPtrA(window, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    return 1;
}
