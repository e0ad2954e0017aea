#include "forms/dispatch_common.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"
#include "forms/window_procedures.h"

namespace {

// The record of the control the inner window belongs to: its parent, or the
// grandparent for the edit inside an extended combo box's combo box.
ObjectRecord* OwnerRecord(HWND inner)
{
    HWND parent = GetParent(inner);
    ObjectRecord* record = FindRecord(parent);
    return record != nullptr ? record : FindRecord(GetParent(parent));
}

WNDPROC PreviousProcedure(HWND inner, const ObjectRecord* owner)
{
    if (owner != nullptr && owner->Kind == KindIpAddress)
        return g_runtime.IpFieldProc;
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(inner, GWLP_USERDATA));
}

LRESULT CallPrevious(WNDPROC previous, HWND inner, UINT message, WPARAM wParam, LPARAM lParam)
{
    return previous != nullptr ? CallWindowProcA(previous, inner, message, wParam, lParam) : 0;
}

bool IsComboKind(int kind)
{
    return kind == KindComboBox || kind == KindExtendedComboBox;
}

// Ctrl+A, C, E, J, V, X, Y and Z belong to the edit itself.
bool IsEditingControlCharacter(WPARAM character)
{
    switch (character) {
    case 1: case 3: case 5: case 10: case 22: case 24: case 25: case 26:
        return true;
    default:
        return false;
    }
}

// Escape or Enter in a combo box: a dropped list closes (Enter keeps the
// selection); otherwise the key goes to the form.
void ComboKey(const ObjectRecord* owner, WPARAM key)
{
    HWND combo = owner->Window;
    bool simple = (owner->Style & 3) == CBS_SIMPLE;
    if (simple || SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) == 0) {
        SendMessageA(GetParent(combo), kNavigateKey, key, reinterpret_cast<LPARAM>(combo));
        return;
    }
    LRESULT selection = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    if (key == VK_RETURN) {
        SendMessageA(combo, CB_SETCURSEL, selection, 0);
        SetFocus(combo);
    }
}

// The owner's Procedure first; a handled message stops there.
LRESULT ProcedureThenPrevious(const ObjectRecord* owner, WNDPROC previous, HWND inner, UINT message, WPARAM wParam,
                              LPARAM lParam)
{
    if (CallProcedure(owner, owner->Window, message, wParam, lParam) != 0)
        return 0;
    return CallPrevious(previous, inner, message, wParam, lParam);
}

LRESULT OnInnerKeyDown(const ObjectRecord* owner, WNDPROC previous, HWND inner, WPARAM key, LPARAM lParam)
{
    if (key == VK_TAB) {
        SendMessageA(owner->Window, kNavigateKey, VK_TAB, reinterpret_cast<LPARAM>(owner->Window));
        return 0;
    }
    if ((key == VK_ESCAPE || key == VK_RETURN) && IsComboKind(owner->Kind)) {
        ComboKey(owner, key);
        // The command may have destroyed the form.
        if (!IsWindow(inner))
            return 0;
    }
    return ProcedureThenPrevious(owner, previous, inner, WM_KEYDOWN, key, lParam);
}

LRESULT OnInnerChar(const ObjectRecord* owner, WNDPROC previous, HWND inner, WPARAM character, LPARAM lParam)
{
    if (IsEditingControlCharacter(character))
        return CallPrevious(previous, inner, WM_CHAR, character, lParam);
    if (character == '\t' || character == VK_ESCAPE || character == '\r') {
        // Already handled as keys; as characters they would only beep.
        CallProcedure(owner, owner->Window, WM_CHAR, character, lParam);
        return 0;
    }
    return ProcedureThenPrevious(owner, previous, inner, WM_CHAR, character, lParam);
}

}  // namespace

LRESULT CALLBACK ChildEditProc(HWND inner, UINT message, WPARAM wParam, LPARAM lParam)
{
    ObjectRecord* owner = OwnerRecord(inner);
    WNDPROC previous = PreviousProcedure(inner, owner);
    if (owner == nullptr)
        return CallPrevious(previous, inner, message, wParam, lParam);
    switch (message) {
    case WM_SETCURSOR:
        return ApplyCursorRule(owner, inner, wParam, lParam, previous);
    case WM_SETFOCUS:
        SendMessageA(GetParent(owner->Window), kFocusChanged, 0, reinterpret_cast<LPARAM>(owner->Window));
        return CallPrevious(previous, inner, message, wParam, lParam);
    case WM_SYSCOMMAND:
        SendMessageA(GetParent(owner->Window), message, wParam, lParam);
        return 0;
    case WM_KEYDOWN:
        return OnInnerKeyDown(owner, previous, inner, wParam, lParam);
    case WM_KEYUP:
        return ProcedureThenPrevious(owner, previous, inner, message, wParam, lParam);
    case WM_CHAR:
        return OnInnerChar(owner, previous, inner, wParam, lParam);
    default:
        return CallPrevious(previous, inner, message, wParam, lParam);
    }
}
