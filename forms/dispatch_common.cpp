#include "forms/dispatch_common.h"

#include "base/waiting.h"
#include "forms/form_lifecycle.h"
#include "forms/window_map.h"

LRESULT CommonPath(const ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = CallProcedure(record, window, message, wParam, lParam);
    return answer != 0 ? answer : DefaultProcessing(record, window, message, wParam, lParam);
}

void Repaint(HWND window, bool erase)
{
    InvalidateRect(window, nullptr, erase);
    SendMessageA(window, WM_PAINT, 0, 0);
}

void Redraw(HWND window)
{
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ApplyRepaintRule(HWND start)
{
    for (HWND above = start; above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
        const ObjectRecord* record = FindRecord(above);
        if (record != nullptr && record->CustomPaint == 1 && record->Kind == KindLabel) {
            InvalidateRect(above, nullptr, FALSE);
            return;
        }
    }
}

namespace {

constexpr int kCustomPointer = 14;

LPCSTR SystemCursorName(int pointer)
{
    static const LPCSTR kNames[] = {IDC_ARROW,  IDC_ARROW,  IDC_IBEAM,  IDC_WAIT,   IDC_CROSS,
                                    IDC_UPARROW, IDC_SIZEALL, IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE,
                                    IDC_SIZENS, IDC_NO,     IDC_APPSTARTING, IDC_HELP};
    return pointer >= 0 && pointer < kCustomPointer ? kNames[pointer] : IDC_ARROW;
}

bool IsComboKind(int kind)
{
    return kind == KindComboBox || kind == KindExtendedComboBox;
}

int EffectivePointer(const ObjectRecord* record, HWND window)
{
    if (record->MousePointer != 0)
        return record->MousePointer;
    if (record->Kind == KindTextBox || record->Kind == KindRichTextBox || record->Kind == KindIpAddress)
        return 2;
    // Over a combo box's edit part (not of a drop-down list) the I-beam.
    if (IsComboKind(record->Kind) && window != record->Window && (record->Style & 3) != CBS_DROPDOWNLIST)
        return 2;
    return 0;
}

HCURSOR ChosenCursor(const ObjectRecord* record, HWND window)
{
    int pointer = EffectivePointer(record, window);
    if (pointer == kCustomPointer && record->MouseIcon != nullptr)
        return static_cast<HCURSOR>(record->MouseIcon);
    return static_cast<HCURSOR>(LoadImageA(nullptr, SystemCursorName(pointer), IMAGE_CURSOR, 0, 0,
                                           LR_DEFAULTSIZE | LR_SHARED));
}

}  // namespace

LRESULT ApplyCursorRule(const ObjectRecord* record, HWND window, WPARAM wParam, LPARAM lParam,
                        WNDPROC defaultProcedure)
{
    if (WaitCursorIsOn())
        return 1;
    LRESULT answer = CallProcedure(record, window, WM_SETCURSOR, wParam, lParam);
    if (answer != 0)
        return answer;
    // A child window asks its parent first; the parent leaves the choice to
    // the child, or every control would show its form's cursor.
    if ((IsFormKind(record->Kind) || IsContainerKind(record->Kind)) && reinterpret_cast<HWND>(wParam) != window)
        return 0;
    LONG_PTR cursor = reinterpret_cast<LONG_PTR>(ChosenCursor(record, window));
    ULONG_PTR classCursor = SetClassLongPtrA(window, GCLP_HCURSOR, cursor);
    CallWindowProcA(defaultProcedure, window, WM_SETCURSOR, wParam, lParam);
    SetClassLongPtrA(window, GCLP_HCURSOR, static_cast<LONG_PTR>(classCursor));
    return 1;
}
