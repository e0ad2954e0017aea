#include "forms/window_procedures.h"

#include "forms/form_lifecycle.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"

namespace {

LRESULT CallProcedure(const ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return record->Procedure != nullptr ? record->Procedure(window, message, wParam, lParam) : 0;
}

// The application's procedure first; when it does not handle the message,
// the system's processing.
LRESULT CommonPath(const ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = CallProcedure(record, window, message, wParam, lParam);
    return answer != 0 ? answer : DefaultProcessing(record, window, message, wParam, lParam);
}

LRESULT WithoutRecord(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const ObjectRecord* creating = g_runtime.CreatingRecord;
    if (creating == nullptr)
        return 0;
    if (message == WM_NCCREATE)
        return BindWindow(window, message, wParam, lParam);
    if (creating->Kind == KindGroup)
        return CallWindowProcA(g_runtime.SystemButtonProc, window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT OnCreate(ObjectRecord* record, HWND window, WPARAM wParam, LPARAM lParam)
{
    if (record->Kind == KindMdiFrame || record->Kind == KindWindowForm)
        return SetUpForm(record, window, WM_CREATE, wParam, lParam);
    if (IsContainerKind(record->Kind))
        SetUpContainer(record, window);
    return CommonPath(record, window, WM_CREATE, wParam, lParam);
}

LRESULT OnEraseBackground(const ObjectRecord* record, HWND window, WPARAM wParam, LPARAM lParam)
{
    if (CallProcedure(record, window, WM_ERASEBKGND, wParam, lParam) != 0)
        return 1;
    if (!IsFormKind(record->Kind) && record->Kind != KindGroup)
        return DefaultProcessing(record, window, WM_ERASEBKGND, wParam, lParam);
    RECT client;
    GetClientRect(window, &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, record->BackBrush);
    return 1;
}

LRESULT OnPaint(const ObjectRecord* record, HWND window, WPARAM wParam, LPARAM lParam)
{
    if (CallProcedure(record, window, WM_PAINT, wParam, lParam) != 0)
        return 0;
    if (record->Kind == KindGroup && record->Indent != 1) {
        // A frameless group (a page) shows only its background.
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    DefaultProcessing(record, window, WM_PAINT, wParam, lParam);
    return 0;
}

bool TakesBackColor(const ObjectRecord* record)
{
    return record->Kind == KindTextBox || record->Kind == KindComboBox;
}

LRESULT OnControlColor(const ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = CallProcedure(record, window, message, wParam, lParam);
    if (answer != 0)
        return answer;
    const ObjectRecord* colors = IsFormKind(record->Kind) || IsContainerKind(record->Kind)
        ? FindRecord(reinterpret_cast<HWND>(lParam))
        : TakesBackColor(record) ? record : nullptr;
    if (colors == nullptr)
        return DefaultProcessing(record, window, message, wParam, lParam);
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (TakesBackColor(colors))
        SetBkColor(dc, colors->BackColorValue);
    else
        SetBkMode(dc, TRANSPARENT);
    if (colors->Font != nullptr)
        SelectObject(dc, colors->Font);
    SetTextColor(dc, colors->ForeColorValue);
    return reinterpret_cast<LRESULT>(message == WM_CTLCOLORBTN ? record->BackBrush : colors->BackBrush);
}

LRESULT OnCommandOrNotify(const ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsFormKind(record->Kind))
        return CommonPath(record, window, message, wParam, lParam);
    if (!IsContainerKind(record->Kind))
        return CallWindowProcA(record->PrevProc, window, message, wParam, lParam);
    LRESULT answer = CallProcedure(record, window, message, wParam, lParam);
    // Commands of controls inside groups and pictures reach the form.
    return answer != 0 ? answer : SendMessageA(GetParent(window), message, wParam, lParam);
}

}  // namespace

LRESULT DefaultProcessing(const ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (record->Kind) {
    case KindMdiFrame:
        return DefFrameProcA(window, record->ClientWindow, message, wParam, lParam);
    case KindDialogForm:
        return 0;   // the dialog manager does the rest
    case KindWindowForm:
        if (record->MDIChild == 1)
            return DefMDIChildProcA(window, message, wParam, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case KindPicture:
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        return CallWindowProcA(record->PrevProc, window, message, wParam, lParam);
    }
}

LRESULT CALLBACK RuntimeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return WithoutRecord(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        return OnCreate(record, window, wParam, lParam);
    case WM_CLOSE:
        return IsFormKind(record->Kind) ? CloseForm(record, window, wParam, lParam) : 0;
    case WM_DESTROY:
        return DestroyRecordWindow(record, window, wParam, lParam);
    case WM_NCDESTROY:
        if (IsFormKind(record->Kind))
            return FinishFormDestruction(record, window, wParam, lParam);
        return CommonPath(record, window, message, wParam, lParam);
    case WM_ERASEBKGND:
        return OnEraseBackground(record, window, wParam, lParam);
    case WM_PAINT:
        return OnPaint(record, window, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return OnControlColor(record, window, message, wParam, lParam);
    case WM_COMMAND:
    case WM_NOTIFY:
        return OnCommandOrNotify(record, window, message, wParam, lParam);
    case kGetRecord:
        return reinterpret_cast<LRESULT>(record);
    default:
        return CommonPath(record, window, message, wParam, lParam);
    }
}

INT_PTR CALLBACK RuntimeDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr) {
        if (message != WM_INITDIALOG || g_runtime.CreatingRecord == nullptr)
            return FALSE;
        BindWindow(window, WM_NCCREATE, 0, 0);
        record = FindRecord(window);
    }
    switch (message) {
    case WM_INITDIALOG:
        return SetUpForm(record, window, message, wParam, lParam);
    case WM_CLOSE:
        if (CloseForm(record, window, wParam, lParam) == 0 && IsWindow(window))
            DestroyWindow(window);
        return TRUE;
    case WM_DESTROY:
        DestroyRecordWindow(record, window, wParam, lParam);
        return TRUE;
    case WM_NCDESTROY:
        FinishFormDestruction(record, window, wParam, lParam);
        return TRUE;
    case kGetRecord:
        SetWindowLongPtrA(window, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(record));
        return TRUE;
    default:
        return CallProcedure(record, window, message, wParam, lParam) != 0;
    }
}

LRESULT CALLBACK RuntimeMdiClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_runtime.SystemMdiClientProc, window, message, wParam, lParam);
}

LRESULT CALLBACK ChildEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const ObjectRecord* parent = FindRecord(GetParent(window));
    if (parent != nullptr && parent->Kind == KindIpAddress)
        previous = g_runtime.IpFieldProc;
    return previous != nullptr ? CallWindowProcA(previous, window, message, wParam, lParam) : 0;
}
