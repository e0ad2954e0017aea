#include "forms/property_accessors.h"

#include "forms/control_properties.h"
#include "forms/control_search.h"
#include "forms/dispatch_common.h"
#include "forms/property_kinds.h"
#include "forms/runtime_fonts.h"
#include "forms/runtime_memory.h"
#include "forms/window_map.h"
#include "forms/window_procedures.h"

namespace {

constexpr UINT_PTR kFormTimer = 1;
constexpr int kLastMousePointer = 14;
constexpr int kLastPenStyle = PS_INSIDEFRAME;

ObjectRecord* Accepting(HWND window, KindSet kinds)
{
    ObjectRecord* record = FindRecord(window);
    return record != nullptr && HasKind(kinds, record->Kind) ? record : nullptr;
}

int StoreFlag(HWND window, KindSet kinds, int ObjectRecord::*field, int value)
{
    ObjectRecord* record = Accepting(window, kinds);
    if (record == nullptr)
        return 0;
    record->*field = value;
    return 1;
}

void MakePen(ObjectRecord* record)
{
    if (record->Pen != nullptr)
        DeleteObject(record->Pen);
    record->Pen = CreatePen(static_cast<int>(record->DrawStyle), record->DrawWidth, ResolveColor(record->ForeColor));
}

// A dialog-kind form and all its controls share the form's font.
void RefreshDialogFont(ObjectRecord* dialog)
{
    HFONT old = dialog->Font;
    dialog->Font = CreateRuntimeFont(dialog->Window, dialog->FontSize, dialog->FontBold != 0, dialog->FontItalic != 0,
                                     dialog->FontUnderline != 0, dialog->FontStrikethru != 0, dialog->FontName,
                                     dialog->FontAt96Dpi == 1);
    SendMessageA(dialog->Window, WM_SETFONT, reinterpret_cast<WPARAM>(dialog->Font), FALSE);
    HFONT font = dialog->Font;
    // The controls only borrow the form's font: it is freed once, with the form.
    FindInTree(dialog->Window, [font](HWND window, ObjectRecord* control) {
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control->Kind == KindLabel)
            AutoSize(control);
        else if (control->Kind == KindGroup)
            MeasureCaption(control);
        return false;
    });
    if (old != nullptr)
        DeleteObject(old);
    Redraw(dialog->Window);
}

int RefreshFont(ObjectRecord* record)
{
    if (record->Kind == KindDialogForm) {
        RefreshDialogFont(record);
        return 1;
    }
    if (DialogFormOf(record->FormWindow) != nullptr)
        return 0;
    RecreateFont(record, true);
    if (record->Kind == KindGroup)
        MeasureCaption(record);
    return 1;
}

int SetFontFlag(HWND window, int ObjectRecord::*field, int value)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return 0;
    record->*field = value;
    return RefreshFont(record);
}

void StopTimer(ObjectRecord* form, bool* stopped)
{
    *stopped = true;
    if (form->TimerId != 1)
        return;
    *stopped = KillTimer(form->Window, kFormTimer) != FALSE;
    if (*stopped)
        form->TimerId = 0;
}

void StartTimer(ObjectRecord* form)
{
    if (form->TimerId == 0 && SetTimer(form->Window, kFormTimer, form->TimerInterval, nullptr) != 0)
        form->TimerId = 1;
}

HWND ComboOf(const ObjectRecord* record)
{
    if (record->Kind == KindExtendedComboBox)
        return reinterpret_cast<HWND>(SendMessageA(record->Window, CBEM_GETCOMBOCONTROL, 0, 0));
    return record->Window;
}

enum RangeEnd { Lower, Upper };

void SetRangeEnd(ObjectRecord* record, RangeEnd end, int value)
{
    HWND window = record->Window;
    switch (record->Kind) {
    case KindProgressBar: {
        int low = static_cast<int>(SendMessageA(window, PBM_GETRANGE, TRUE, 0));
        int high = static_cast<int>(SendMessageA(window, PBM_GETRANGE, FALSE, 0));
        (end == Lower ? low : high) = value;
        SendMessageA(window, PBM_SETRANGE, 0, MAKELPARAM(low, high));
        break;
    }
    case KindTrackbar:
        SendMessageA(window, end == Lower ? TBM_SETRANGEMIN : TBM_SETRANGEMAX, TRUE, value);
        break;
    case KindUpDown: {
        int low = 0;
        int high = 0;
        SendMessageA(window, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        (end == Lower ? low : high) = value;
        SendMessageA(window, UDM_SETRANGE32, low, high);
        break;
    }
    default:
        (end == Lower ? record->WindowState : record->ScrollBars) = value;
        WriteScrollInfo(record);
        break;
    }
}

}  // namespace

void WriteScrollInfo(ObjectRecord* record)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(record->Window, SB_CTL, &info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    info.nMin = record->WindowState;
    info.nMax = record->ScrollBars;
    info.nPage = static_cast<UINT>(record->Alignment);
    info.nPos = record->Value;
    info.nTrackPos = record->Value;
    SetScrollInfo(record->Window, SB_CTL, &info, TRUE);
}

void ReadScrollInfo(ObjectRecord* record)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(record->Window, SB_CTL, &info))
        return;
    record->WindowState = info.nMin;
    record->ScrollBars = info.nMax;
    record->Value = info.nPos;
}

int SetBackColor(HWND window, ColorValue value)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return 0;
    FreeGraphicObject(record->BackBrush);
    record->BackBrush = nullptr;
    record->BackColor = value;
    ResolveBackColor(record);
    Repaint(record->Kind == KindMdiFrame ? record->ClientWindow : window, true);
    return 1;
}

int SetForeColor(HWND window, ColorValue value)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return 0;
    record->ForeColor = value;
    ResolveForeColor(record);
    if (HasKind(kPenKinds, record->Kind))
        SetDrawStyle(window, static_cast<int>(record->DrawStyle));
    Repaint(window, false);
    return 1;
}

int SetMousePointer(HWND window, int value)
{
    if (value < 0 || value > kLastMousePointer)
        return 0;
    return StoreFlag(window, kAllKinds, &ObjectRecord::MousePointer, value);
}

int SetDefault(HWND window, int value)
{
    ObjectRecord* record = Accepting(window, Kinds({KindPushButton}));
    if (record == nullptr)
        return 0;
    if (value != 0)
        SendMessageA(record->FormWindow, DM_SETDEFID, record->ControlId, 0);
    else if (IsDefaultButton(window))
        SendMessageA(record->FormWindow, DM_SETDEFID, 0, 0);
    return 1;
}

int SetCustomPaint(HWND window, int value)
{
    if (!StoreFlag(window, Kinds({KindPushButton}), &ObjectRecord::CustomPaint, value))
        return 0;
    Repaint(window, false);
    return 1;
}

int SetDrawStyle(HWND window, int value)
{
    ObjectRecord* record = Accepting(window, kPenKinds);
    if (record == nullptr || value < PS_SOLID || value > kLastPenStyle)
        return 0;
    record->DrawStyle = value;
    MakePen(record);
    Repaint(window, false);
    return 1;
}

int SetDrawWidth(HWND window, int value)
{
    if (!StoreFlag(window, kPenKinds, &ObjectRecord::DrawWidth, value))
        return 0;
    MakePen(FindRecord(window));
    Repaint(window, false);
    return 1;
}

int SetEnabled(HWND window, int value)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return 0;
    EnableWindow(window, value != 0);
    record->Enabled = value;
    record->Style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    if (record->FormWindow != nullptr)
        SendMessageA(record->FormWindow, kSkipFocus, 0, reinterpret_cast<LPARAM>(window));
    if (IsContainerKind(record->Kind))
        EnableChildren(window, value != 0);
    Repaint(window, true);
    return 1;
}

int SetOffscreen(HWND window, int value)
{
    return StoreFlag(window, Kinds({KindPicture}), &ObjectRecord::Default, value);
}

int SetFontBold(HWND window, int value)
{
    return SetFontFlag(window, &ObjectRecord::FontBold, value);
}

int SetFontItalic(HWND window, int value)
{
    return SetFontFlag(window, &ObjectRecord::FontItalic, value);
}

int SetFontStrikethru(HWND window, int value)
{
    return SetFontFlag(window, &ObjectRecord::FontStrikethru, value);
}

int SetFontUnderline(HWND window, int value)
{
    return SetFontFlag(window, &ObjectRecord::FontUnderline, value);
}

int SetFontSize(HWND window, int value)
{
    return value > 0 ? SetFontFlag(window, &ObjectRecord::FontSize, value) : 0;
}

int SetFontName(HWND window, const char* value)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr || value == nullptr)
        return 0;
    const char* current = record->FontName != nullptr && !IsIdentifier(RefValue(record->FontName)) ? record->FontName : "";
    if (lstrcmpiA(current, value) == 0)
        return 0;
    auto* copy = static_cast<char*>(AllocateZeroed(lstrlenA(value) + 2));
    if (copy == nullptr)
        return 0;
    lstrcpyA(copy, value);
    FreeBlock(record->FontName);
    record->FontName = copy;
    return RefreshFont(record);
}

int SetMaxLength(HWND window, int value)
{
    ObjectRecord* record = Accepting(window, Kinds({KindTextBox, KindRichTextBox}));
    if (record == nullptr)
        return 0;
    record->MaxLength = value;
    // 0 is the system's limit, which never cuts the text.
    if (value > 0 && record->Caption != nullptr && record->TextLength > value) {
        record->Caption[value] = '\0';
        record->TextLength = value;
    }
    SendMessageA(window, EM_LIMITTEXT, value, 0);
    return 1;
}

int SetMax(HWND window, int value)
{
    ObjectRecord* record = Accepting(window, kRangedKinds);
    if (record == nullptr)
        return 0;
    SetRangeEnd(record, Upper, value);
    return 1;
}

int SetMin(HWND window, int value)
{
    ObjectRecord* record = Accepting(window, kRangedKinds);
    if (record == nullptr)
        return 0;
    SetRangeEnd(record, Lower, value);
    return 1;
}

int SetPage(HWND window, int value)
{
    ObjectRecord* record = Accepting(window, Kinds({KindHScrollBar, KindVScrollBar}));
    if (record == nullptr)
        return 0;
    record->Alignment = value;
    WriteScrollInfo(record);
    return 1;
}

int SetPasswordChar(HWND window, int value)
{
    if (!StoreFlag(window, Kinds({KindTextBox}), &ObjectRecord::PasswordChar, value))
        return 0;
    SendMessageA(window, EM_SETPASSWORDCHAR, value, 0);
    InvalidateRect(window, nullptr, TRUE);
    return 1;
}

int SetPicturePosition(HWND window, int value)
{
    if (!StoreFlag(window, Kinds({KindPushButton}), &ObjectRecord::MaxLength, value))
        return 0;
    Repaint(window, false);
    return 1;
}

int SetTabStop(HWND window, int value)
{
    return StoreFlag(window, kAllKinds, &ObjectRecord::TabStop, value);
}

LRESULT SetText(HWND window, const char* value)
{
    if (FindRecord(window) == nullptr)
        return 0;
    return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
}

int SetTimerInterval(HWND window, int value)
{
    ObjectRecord* form = Accepting(window, kFormKinds);
    if (form == nullptr || value <= 0)
        return 0;
    bool stopped = false;
    StopTimer(form, &stopped);
    if (!stopped)
        return 0;
    form->TimerInterval = value;
    StartTimer(form);
    return 1;
}

int SetValue(HWND window, int value)
{
    ObjectRecord* record = Accepting(window, kRangedKinds | Kinds({KindCheckBox, KindOptionButton}));
    if (record == nullptr)
        return 0;
    switch (record->Kind) {
    case KindCheckBox:
    case KindOptionButton:
        if (value != 0 && value != 1)
            return 0;
        SendMessageA(window, BM_SETCHECK, value, 0);
        break;
    case KindProgressBar:
        SendMessageA(window, PBM_SETPOS, value, 0);
        break;
    case KindTrackbar:
        SendMessageA(window, TBM_SETPOS, TRUE, value);
        break;
    case KindUpDown:
        SendMessageA(window, UDM_SETPOS, 0, MAKELPARAM(value & 0xFFFF, 0));
        break;
    default:
        if (value < record->WindowState || value > record->ScrollBars)
            return 0;
        record->Value = value;
        WriteScrollInfo(record);
        break;
    }
    return 1;
}

int SetListRows(HWND window, int value)
{
    ObjectRecord* record = Accepting(window, Kinds({KindComboBox, KindExtendedComboBox}));
    if (record == nullptr)
        return 0;
    record->MaxLength = value;
    FitComboBox(record, ComboOf(record));
    return 1;
}

void RefreshColors(HWND window)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return;
    SetBackColor(window, record->BackColor);
    SetForeColor(window, record->ForeColor);
    SetDrawStyle(window, static_cast<int>(record->DrawStyle));
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
        InvalidateRect(child, nullptr, TRUE);
    }
    Repaint(window, true);
}
