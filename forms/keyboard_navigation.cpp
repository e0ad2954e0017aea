#include "forms/keyboard_navigation.h"

#include "forms/control_search.h"
#include "forms/dispatch_common.h"
#include "forms/property_accessors.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"
#include "forms/window_procedures.h"

namespace {

ObjectRecord* ControlRecord(HWND window)
{
    ObjectRecord* record = window != nullptr ? FindRecord(window) : nullptr;
    return record != nullptr && !IsFormKind(record->Kind) ? record : nullptr;
}

bool IsPushButton(HWND window)
{
    const ObjectRecord* record = ControlRecord(window);
    return record != nullptr && record->Kind == KindPushButton;
}

bool IsPressable(int kind)
{
    return kind == KindPushButton || kind == KindCheckBox || kind == KindOptionButton;
}

// Visible on the screen, not only by its own style bit: a control of a
// hidden page must not take the focus.
bool IsReachable(HWND window)
{
    return IsWindowVisible(window) && IsWindowEnabled(window);
}

void Press(HWND button)
{
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(button, WM_LBUTTONUP, 0, 0);
}

HWND Candidate(HWND formWindow, int index, bool optionGroup)
{
    HWND control = ControlByIndex(index, formWindow);
    if (!optionGroup || control == nullptr || FindRecord(control)->Kind != KindOptionButton)
        return control;
    return CheckedOptionButton(GetParent(control));
}

HWND TakeIfEligible(HWND control, bool byArrows)
{
    const ObjectRecord* record = ControlRecord(control);
    if (record == nullptr || !IsReachable(control))
        return nullptr;
    bool arrowOption = byArrows && record->Kind == KindOptionButton;
    if (record->TabStop != 1 && !arrowOption)
        return nullptr;
    if (arrowOption)
        Press(control);
    return control;
}

void ReportClick(ObjectRecord* form, HWND button)
{
    const ObjectRecord* record = ControlRecord(button);
    if (record == nullptr)
        return;
    CallProcedure(form, form->Window, WM_COMMAND, MAKEWPARAM(record->ControlId, BN_CLICKED),
                  reinterpret_cast<LPARAM>(button));
}

int StartNextTo(const ObjectRecord* form, bool backward)
{
    const ObjectRecord* focus = ControlRecord(form->FocusWindow);
    if (focus == nullptr)
        return 0;
    return focus->ControlIndex + (backward ? -1 : 1);
}

bool IsArrow(int key)
{
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

// The character after the first ampersand, or 0.
char MnemonicOf(const char* caption)
{
    if (caption == nullptr)
        return 0;
    for (const char* c = caption; *c != '\0'; ++c) {
        if (*c == '&')
            return c[1];
    }
    return 0;
}

bool MnemonicMatches(const char* caption, int character)
{
    char mnemonic = MnemonicOf(caption);
    return mnemonic != 0 && (mnemonic == character || mnemonic == (character & ~0x20));
}

void NotifyTabChange(HWND tabs, UINT code)
{
    NMHDR header = {tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), code};
    SendMessageA(GetParent(tabs), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

int TabWithMnemonic(HWND tabs, int character)
{
    int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int tab = 0; tab < count; ++tab) {
        char text[kItemTextSize] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        if (SendMessageA(tabs, TCM_GETITEMA, tab, reinterpret_cast<LPARAM>(&item)) && MnemonicMatches(text, character))
            return tab;
    }
    return -1;
}

void SelectTab(HWND formWindow, HWND tabs, int tab)
{
    SetFocus(tabs);
    if (!IsWindow(formWindow))
        return;
    NotifyTabChange(tabs, TCN_SELCHANGING);
    SendMessageA(tabs, TCM_SETCURSEL, tab, 0);
    NotifyTabChange(tabs, TCN_SELCHANGE);
}

bool TryMnemonic(HWND formWindow, HWND control, int character)
{
    const ObjectRecord* record = ControlRecord(control);
    if (record == nullptr || !IsReachable(control))
        return false;
    if (record->Kind == KindTabControl) {
        int tab = TabWithMnemonic(control, character);
        if (tab < 0)
            return false;
        SelectTab(formWindow, control, tab);
        return true;
    }
    if (!MnemonicMatches(record->Caption, character))
        return false;
    if (IsPressable(record->Kind))
        Press(control);
    else
        SetFocus(control);
    return true;
}

}  // namespace

bool HandsFocusOn(int kind)
{
    return kind == KindLabel || kind == KindGroup || kind == KindImageStatic || kind == KindToolbar ||
           kind == KindStatusBar || kind == KindProgressBar || kind == KindPager;
}

void ApplyFormFocusRule(ObjectRecord* form)
{
    // A label that handed the focus here when nothing else could take it
    // must not get it back, or the two pass it to each other for ever.
    const ObjectRecord* focus = ControlRecord(form->FocusWindow);
    if (form->FocusWindow == nullptr || form->FocusWindow == form->Window ||
        (focus != nullptr && HandsFocusOn(focus->Kind)))
        form->FocusWindow = NextFocus(form, 0, false, false, true);
    if (form->FocusWindow != nullptr && form->FocusWindow != form->Window)
        SetFocus(form->FocusWindow);
}

HWND NextFocus(const ObjectRecord* form, int start, bool backward, bool byArrows, bool optionGroup)
{
    int count = ControlCount(form->Window);
    // Backward from before the first control wraps to the last one.
    if (backward && start < 0)
        start = count - 1;
    start = start < 0 ? 0 : start > count ? count : start;
    if (backward && start == count)
        start = count - 1;
    for (int step = 0; step < count; ++step) {
        int index = backward ? (start - step + count) % count : (start + step) % count;
        if (HWND found = TakeIfEligible(Candidate(form->Window, index, optionGroup), byArrows))
            return found;
    }
    return form->Window;
}

void NavigateForm(ObjectRecord* form, int key, HWND sender)
{
    if (key == VK_TAB || IsArrow(key)) {
        bool backward = key == VK_UP || key == VK_LEFT || (key == VK_TAB && GetKeyState(VK_SHIFT) < 0);
        SetFocus(NextFocus(form, StartNextTo(form, backward), backward, IsArrow(key), false));
    } else if (key == VK_RETURN) {
        if (IsPushButton(sender))
            ReportClick(form, sender);
        else if (form->DefaultButton != nullptr)
            ReportClick(form, form->DefaultButton);
    } else if (key == VK_ESCAPE) {
        if (HWND cancel = FindSpecialButton(form->Window, kCancelButton))
            ReportClick(form, cancel);
    }
}

HWND ApplyMnemonicRule(HWND window, int character)
{
    const ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return nullptr;
    HWND formWindow = IsFormKind(record->Kind) ? window : record->FormWindow;
    ObjectRecord* form = FindRecord(formWindow);
    int count = ControlCount(formWindow);
    if (form == nullptr || count == 0)
        return nullptr;
    if (ControlRecord(form->FocusWindow) == nullptr)
        form->FocusWindow = ControlByIndex(0, formWindow);
    const ObjectRecord* focus = ControlRecord(form->FocusWindow);
    if (focus == nullptr)
        return nullptr;
    for (int step = 1; step <= count; ++step) {
        HWND control = ControlByIndex((focus->ControlIndex + step) % count, formWindow);
        if (TryMnemonic(formWindow, control, character))
            return control;
    }
    return nullptr;
}

void ApplyDefaultButtonRule(ObjectRecord* form, int identifier)
{
    HWND old = form->DefaultButton;
    if (identifier == 0) {
        if (IsPushButton(old)) {
            ShowDefaultLook(old, false);
            if (old == form->FocusWindow)
                SendMessageA(form->Window, kFocusChanged, 0, reinterpret_cast<LPARAM>(old));
        }
        form->DefaultButton = nullptr;
        return;
    }
    HWND button = ControlByIdentifier(form->Window, identifier);
    if (!IsPushButton(button))
        return;
    if (IsPushButton(old)) {
        if (IsPushButton(form->FocusWindow)) {
            form->DefaultButton = button;
            ShowDefaultLook(form->FocusWindow, true);
            return;
        }
        if (ControlRecord(form->FocusWindow) != nullptr)
            ShowDefaultLook(old, false);
        InvalidateRect(old, nullptr, TRUE);
    }
    ShowDefaultLook(button, true);
    form->DefaultButton = button;
    if (FindRecord(form->FocusWindow) != nullptr)
        SendMessageA(form->Window, kFocusChanged, 0, reinterpret_cast<LPARAM>(form->FocusWindow));
}

void ShowDefaultLook(HWND button, bool on)
{
    ObjectRecord* record = ControlRecord(button);
    if (record == nullptr || record->Kind != KindPushButton)
        return;
    record->Default = on ? 1 : 0;
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(button, GWL_STYLE));
    // An owner-drawn button shows the look itself; its type bits must stay.
    bool ownerDrawn = (style & BS_TYPEMASK) == BS_OWNERDRAW;
    if (record->DrawStyle == 0 && !ownerDrawn) {
        style = on ? (style | BS_DEFPUSHBUTTON) : (style & ~static_cast<DWORD>(BS_DEFPUSHBUTTON));
        SendMessageA(button, BM_SETSTYLE, style, TRUE);
    }
    InvalidateRect(button, nullptr, TRUE);
}

void ApplyDefaultLookRule(ObjectRecord* form, HWND newFocus)
{
    HWND old = form->FocusWindow;
    if (old != nullptr) {
        if (IsPushButton(newFocus)) {
            if (form->DefaultButton != newFocus)
                ShowDefaultLook(form->DefaultButton, false);
            ShowDefaultLook(old, false);
        } else {
            ShowDefaultLook(form->DefaultButton, true);
            if (old != form->DefaultButton)
                ShowDefaultLook(old, false);
        }
    }
    form->FocusWindow = newFocus;
    if (IsPushButton(newFocus))
        ShowDefaultLook(newFocus, true);
}
