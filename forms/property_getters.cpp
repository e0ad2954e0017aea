#include "forms/property_accessors.h"

#include "forms/control_search.h"
#include "forms/property_kinds.h"
#include "forms/window_map.h"

namespace {

constexpr KindSet kNoText = Kinds({KindMdiFrame, KindImageStatic, KindHScrollBar, KindVScrollBar});

enum Reading { Field, ScrollField, RangeMax, RangeMin, Position, LiveVisible };

struct GetterRow {
    int code;
    KindSet kinds;
    Reading reading;
    INT_PTR (*field)(const ObjectRecord&);
};

template <typename T>
INT_PTR Word(T value)
{
    return (INT_PTR)(value);
}

#define FIELD(expression) [](const ObjectRecord& r) -> INT_PTR { return Word(expression); }

const GetterRow kGetters[] = {
    {PropAlign, kDockableKinds, Field, FIELD(r.Align)},
    {PropAutoSize, Kinds({KindLabel, KindPicture}), Field, FIELD(r.AutoSize)},
    {PropBackColor, kAllKinds, Field, FIELD(r.BackColor)},
    {PropCancel, Kinds({KindPushButton}), Field, FIELD(r.AutoSize)},
    {PropIndent, Kinds({KindTextBox, KindComboBox}), Field, FIELD(r.Indent)},
    {PropMouseIcon, kAllKinds, Field, FIELD(r.MouseIcon)},
    {PropMousePointer, kAllKinds, Field, FIELD(r.MousePointer)},
    {PropCustomPaint, Kinds({KindPushButton}), Field, FIELD(r.CustomPaint)},
    {PropDrawStyle, kPenKinds, Field, FIELD(r.DrawStyle)},
    {PropDrawWidth, kPenKinds, Field, FIELD(r.DrawWidth)},
    {PropEnabled, kAllKinds, Field, FIELD(r.Enabled)},
    {PropOffscreen, Kinds({KindPicture}), Field, FIELD(r.Default)},
    {PropFont, kAllKinds & ~kNoText, Field, FIELD(r.Font)},
    {PropFontBold, kAllKinds & ~kNoText, Field, FIELD(r.FontBold)},
    {PropFontItalic, kAllKinds & ~kNoText, Field, FIELD(r.FontItalic)},
    {PropFontSize, kAllKinds & ~kNoText, Field, FIELD(r.FontSize)},
    {PropFontStrikethru, kAllKinds & ~kNoText, Field, FIELD(r.FontStrikethru)},
    {PropFontUnderline, kAllKinds & ~kNoText, Field, FIELD(r.FontUnderline)},
    {PropForeColor, kAllKinds & ~kNoText, Field, FIELD(r.ForeColor)},
    {PropHeight, kAllKinds, Field, FIELD(r.Height)},
    {PropIcon, kFormKinds, Field, FIELD(r.Icon)},
    {PropSmallIcon, kFormKinds, Field, FIELD(r.SmallIcon)},
    {PropLeft, kAllKinds, Field, FIELD(r.Left)},
    {PropMax, kRangedKinds, RangeMax, FIELD(r.ScrollBars)},
    {PropMaxLength, Kinds({KindTextBox}), Field, FIELD(r.MaxLength)},
    {PropMDIChild, Kinds({KindWindowForm}), Field, FIELD(r.MDIChild)},
    {PropClientWindow, Kinds({KindMdiFrame}), Field, FIELD(r.ClientWindow)},
    {PropMin, kRangedKinds, RangeMin, FIELD(r.WindowState)},
    {PropModal, Kinds({KindWindowForm, KindDialogForm}), Field, FIELD(r.Modal)},
    {PropNoPrefixFlag, Kinds({KindTextBox, KindPushButton, KindCheckBox, KindOptionButton, KindRichTextBox}), Field,
     FIELD(r.NoPrefix)},
    {PropNoPrefix, Kinds({KindLabel}), Field, FIELD(r.NoPrefix)},
    {PropPage, Kinds({KindHScrollBar, KindVScrollBar}), Field, FIELD(r.Alignment)},
    {PropPasswordChar, Kinds({KindTextBox}), Field, FIELD(r.PasswordChar)},
    {PropPicture, kPictureKinds, Field, FIELD(r.Picture)},
    {PropPicturePosition, Kinds({KindPushButton}), Field, FIELD(r.MaxLength)},
    {PropRightToLeft, kAllKinds & ~kImageOrScrollKinds, Field, FIELD(r.RightToLeft)},
    {PropScaleMode, Kinds({KindMdiFrame, KindWindowForm, KindPicture}), Field, FIELD(r.ScaleMode)},
    {PropScrollBars, Kinds({KindMdiFrame, KindWindowForm, KindTextBox}), Field, FIELD(r.ScrollBars)},
    {PropWindowState, kFormKinds, Field, FIELD(r.WindowState)},
    {PropLabelModal, Kinds({KindLabel}), Field, FIELD(r.Modal)},
    {PropControlIndex, kControlKinds, Field, FIELD(r.ControlIndex)},
    {PropTabStop, kAllKinds & ~Kinds({KindLabel, KindGroup, KindImageStatic}), Field, FIELD(r.TabStop)},
    {PropAlignment, kControlKinds & ~kImageOrScrollKinds, Field, FIELD(r.Alignment)},
    {PropTimerInterval, kFormKinds, Field, FIELD(r.TimerInterval)},
    {PropTop, kAllKinds, Field, FIELD(r.Top)},
    {PropKind, kAllKinds, Field, FIELD(r.Kind)},
    {PropValue, Kinds({KindCheckBox, KindOptionButton}) | kRangedKinds, Position, FIELD(r.Value)},
    {PropVisible, kAllKinds, LiveVisible, nullptr},
    {PropListRows, Kinds({KindComboBox}), Field, FIELD(r.MaxLength)},
    {PropWidth, kAllKinds, Field, FIELD(r.Width)},
    {PropFormWindow, kControlKinds, Field, FIELD(r.FormWindow)},
};

#undef FIELD


// Ranged controls other than scroll bars keep their range and position in
// the control itself.
INT_PTR ReadControl(ObjectRecord& record, const GetterRow& row)
{
    HWND window = record.Window;
    if (IsScrollBarKind(record.Kind)) {
        ReadScrollInfo(&record);
        return row.field(record);
    }
    switch (record.Kind) {
    case KindProgressBar:
        if (row.reading == Position)
            return SendMessageA(window, PBM_GETPOS, 0, 0);
        return SendMessageA(window, PBM_GETRANGE, row.reading == RangeMin, 0);
    case KindTrackbar:
        if (row.reading == Position)
            return SendMessageA(window, TBM_GETPOS, 0, 0);
        return SendMessageA(window, row.reading == RangeMin ? TBM_GETRANGEMIN : TBM_GETRANGEMAX, 0, 0);
    case KindUpDown: {
        if (row.reading == Position)
            return LOWORD(SendMessageA(window, UDM_GETPOS, 0, 0));
        LRESULT range = SendMessageA(window, UDM_GETRANGE, 0, 0);
        return row.reading == RangeMin ? HIWORD(range) : LOWORD(range);
    }
    default:
        return row.field(record);
    }
}

int CopyOut(const char* text, char* buffer, int capacity)
{
    if (buffer == nullptr || capacity <= 0)
        return 0;
    lstrcpynA(buffer, text != nullptr && !IsIdentifier(RefValue(text)) ? text : "", capacity);
    return lstrlenA(buffer);
}

}  // namespace

INT_PTR GetProperty(HWND window, int code)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return -1;
    for (const GetterRow& row : kGetters) {
        if (row.code != code || !HasKind(row.kinds, record->Kind))
            continue;
        if (row.reading == LiveVisible)
            return IsWindowVisible(window) ? 1 : 0;
        if (row.reading == Field)
            return row.field(*record);
        return ReadControl(*record, row);
    }
    return -1;
}

int IsDefaultButton(HWND window)
{
    const ObjectRecord* record = FindRecord(window);
    const ObjectRecord* form = record != nullptr ? FindRecord(record->FormWindow) : nullptr;
    return form != nullptr && form->DefaultButton == window ? 1 : 0;
}

int GetFontName(HWND window, char* buffer, int capacity)
{
    const ObjectRecord* record = FindRecord(window);
    return record != nullptr ? CopyOut(record->FontName, buffer, capacity) : 0;
}

int GetName(HWND window, char* buffer, int capacity)
{
    const ObjectRecord* record = FindRecord(window);
    return record != nullptr ? CopyOut(record->Name, buffer, capacity) : 0;
}

int GetText(HWND window, char* buffer, int capacity)
{
    constexpr int kMostCharacters = 256;
    if (buffer == nullptr || capacity <= 0)
        return 0;
    buffer[0] = '\0';
    return GetWindowTextA(window, buffer, capacity < kMostCharacters + 1 ? capacity : kMostCharacters + 1);
}

int GetWindowState(HWND window)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return -1;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    int state = placement.showCmd == SW_SHOWMINIMIZED ? 1 : placement.showCmd == SW_SHOWMAXIMIZED ? 2 : 0;
    // In ranged controls the same word is the minimum of the range.
    if (IsFormKind(record->Kind))
        record->WindowState = state;
    return state;
}

HWND ControlByIdentifier(HWND window, int identifier)
{
    const ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return nullptr;
    HWND formWindow = IsFormKind(record->Kind) ? window : record->FormWindow;
    int index = identifier - 1000;
    return index < 0 ? nullptr : ControlByIndex(index, formWindow);
}
