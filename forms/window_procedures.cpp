#include "forms/window_procedures.h"

#include "forms/dispatch_common.h"
#include "forms/form_lifecycle.h"
#include "forms/message_handlers.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"

namespace {

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

LRESULT OnCreate(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (record->Kind == KindMdiFrame || record->Kind == KindWindowForm)
        return SetUpForm(record, window, message, wParam, lParam);
    if (IsContainerKind(record->Kind))
        SetUpContainer(record, window);
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnClose(ObjectRecord* record, HWND window, UINT, WPARAM wParam, LPARAM lParam)
{
    // Closing is for forms; a control is not closed.
    return IsFormKind(record->Kind) ? CloseForm(record, window, wParam, lParam) : 0;
}

// A procedure cannot answer 0 through the runtime (0 means "not handled"),
// so a form keeps the session from ending with its own answer.
LRESULT OnQueryEndSession(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = CallProcedure(record, window, message, wParam, lParam);
    if (answer == kEndSessionRefused)
        return FALSE;
    return answer != 0 ? answer : DefaultProcessing(record, window, message, wParam, lParam);
}

LRESULT OnNonClientDestroy(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsFormKind(record->Kind))
        return FinishFormDestruction(record, window, wParam, lParam);
    return CommonPath(record, window, message, wParam, lParam);
}

// Every message of a window with a record, to the handler of its row.
LRESULT Dispatch(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(record, window, message, wParam, lParam);
    case WM_CLOSE:
        return OnClose(record, window, message, wParam, lParam);
    case WM_DESTROY:
        return DestroyRecordWindow(record, window, wParam, lParam);
    case WM_QUERYENDSESSION:
        return OnQueryEndSession(record, window, message, wParam, lParam);
    case WM_NCDESTROY:
        return OnNonClientDestroy(record, window, message, wParam, lParam);
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        return OnNonClientButtonDown(record, window, message, wParam, lParam);
    case WM_NCACTIVATE:
        return OnNonClientActivate(record, window, message, wParam, lParam);
    case WM_ERASEBKGND:
        return OnEraseBackground(record, window, message, wParam, lParam);
    case WM_PAINT:
        return OnPaint(record, window, message, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return OnControlColor(record, window, message, wParam, lParam);
    case WM_SETCURSOR:
        return OnSetCursor(record, window, message, wParam, lParam);
    case WM_NCHITTEST:
        return OnHitTest(record, window, message, wParam, lParam);
    case WM_MDIACTIVATE:
        return OnMdiActivate(record, window, message, wParam, lParam);
    case WM_SETFOCUS:
        return OnSetFocus(record, window, message, wParam, lParam);
    case WM_COMMAND:
    case WM_NOTIFY:
        return OnCommandOrNotify(record, window, message, wParam, lParam);
    case WM_SYSCOMMAND:
        return OnSysCommand(record, window, message, wParam, lParam);
    case WM_KEYDOWN:
        return OnKeyDown(record, window, message, wParam, lParam);
    case WM_CHAR:
        return OnChar(record, window, message, wParam, lParam);
    case WM_LBUTTONDOWN:
        return OnLeftButtonDown(record, window, message, wParam, lParam);
    case WM_LBUTTONDBLCLK:
        return OnLeftButtonDoubleClick(record, window, message, wParam, lParam);
    case WM_LBUTTONUP:
        return OnLeftButtonUp(record, window, message, wParam, lParam);
    case WM_RBUTTONDOWN:
        return OnRightButtonDown(record, window, message, wParam, lParam);
    case WM_RBUTTONDBLCLK:
        return OnRightButtonDoubleClick(record, window, message, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
        return OnScroll(record, window, message, wParam, lParam);
    case BM_SETCHECK:
        return OnSetCheck(record, window, message, wParam, lParam);
    case DM_GETDEFID:
        return OnGetDefaultId(record, window, message, wParam, lParam);
    case DM_SETDEFID:
        return OnSetDefaultId(record, window, message, wParam, lParam);
    case WM_ENABLE:
        return OnEnable(record, window, message, wParam, lParam);
    case WM_SETFONT:
        return OnSetFont(record, window, message, wParam, lParam);
    case STM_SETICON:
    case STM_SETIMAGE:
        return OnSetImage(record, window, message, wParam, lParam);
    case WM_SETTEXT:
        return OnSetText(record, window, message, wParam, lParam);
    case WM_SHOWWINDOW:
        return OnShowWindow(record, window, message, wParam, lParam);
    case WM_MOVING:
    case WM_SIZING:
        return OnMovingOrSizing(record, window, message, wParam, lParam);
    case WM_MOVE:
        return OnMove(record, window, message, wParam, lParam);
    case WM_SIZE:
        return OnSize(record, window, message, wParam, lParam);
    case WM_STYLECHANGED:
        return OnStyleChanged(record, window, message, wParam, lParam);
    case WM_SYSCOLORCHANGE:
        return OnSysColorChange(record, window, message, wParam, lParam);
    case kGetRecord:
        return reinterpret_cast<LRESULT>(record);
    case kNavigateKey:
        return OnNavigateKey(record, window, message, wParam, lParam);
    case kSkipFocus:
        return OnSkipFocus(record, window, message, wParam, lParam);
    case kFocusChanged:
        return OnFocusChanged(record, window, message, wParam, lParam);
    case kButtonCreating:
        // Nothing in this system measures owner-drawn items by that type.
        return 0;
    case WM_DRAWITEM:
        return OnDrawItem(record, window, message, wParam, lParam);
    default:
        // WM_MEASUREITEM, WM_TIMER, FormLoaded and the application's own messages.
        return CommonPath(record, window, message, wParam, lParam);
    }
}

// Dialog procedures return their answer directly for these messages.
bool AnswersDirectly(UINT message)
{
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON;
}

}  // namespace

LRESULT CALLBACK RuntimeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return WithoutRecord(window, message, wParam, lParam);
    return Dispatch(record, window, message, wParam, lParam);
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
    case WM_SETFOCUS:
        // The runtime's focus rule has placed the focus; the dialog manager
        // would move it to a control of its own choosing, such as a label
        // that hands it back.
        Dispatch(record, window, message, wParam, lParam);
        return TRUE;
    default:
        break;
    }
    LRESULT answer = Dispatch(record, window, message, wParam, lParam);
    if (AnswersDirectly(message))
        return answer;
    if (answer != 0 && IsWindow(window))
        SetWindowLongPtrA(window, DWLP_MSGRESULT, answer);
    return answer != 0;
}
