#include "forms/dispatch_common.h"
#include "forms/form_lifecycle.h"
#include "forms/keyboard_navigation.h"
#include "forms/message_handlers.h"
#include "forms/property_accessors.h"
#include "forms/window_map.h"
#include "forms/window_procedures.h"

namespace {

// Set while a text box's change notification is inside the form's handling.
bool g_editNotificationActive;

bool IsMdiChild(const ObjectRecord* record)
{
    return record->Kind == KindWindowForm && record->MDIChild == 1;
}

bool IsEditNotification(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != EN_CHANGE && HIWORD(wParam) != EN_UPDATE)
        return false;
    const ObjectRecord* sender = FindRecord(reinterpret_cast<HWND>(lParam));
    return sender != nullptr && (sender->Kind == KindTextBox || sender->Kind == KindRichTextBox);
}

LRESULT FormCommand(ObjectRecord* form, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COMMAND || !IsEditNotification(wParam, lParam))
        return CommonPath(form, window, message, wParam, lParam);
    // A handler that changes a text box again must not run into itself.
    if (g_editNotificationActive)
        return 1;
    g_editNotificationActive = true;
    LRESULT answer = CommonPath(form, window, message, wParam, lParam);
    g_editNotificationActive = false;
    return answer;
}

void ShowFormMenu(const ObjectRecord* child, HWND window)
{
    HWND client = GetParent(window);
    const ObjectRecord* frame = FindRecord(GetParent(client));
    ResourceRef menu = child->Menu;
    if (menu == nullptr && frame != nullptr)
        menu = frame->Menu;
    if (IsIdentifier(RefValue(menu)))
        menu = nullptr;
    SendMessageA(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu), 0);
    if (frame != nullptr)
        DrawMenuBar(frame->Window);
}

}  // namespace

LRESULT OnSetFocus(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsFormKind(record->Kind)) {
        if (IsMdiChild(record))
            SendMessageA(GetParent(window), kFocusChanged, 0, reinterpret_cast<LPARAM>(window));
        ApplyFormFocusRule(record);
        return CommonPath(record, window, message, wParam, lParam);
    }
    if ((record->Kind == KindTextBox || record->Kind == KindRichTextBox) && record->NoPrefix == 0)
        SendMessageA(window, EM_SETSEL, 0, -1);
    SendMessageA(GetParent(window), kFocusChanged, 0, reinterpret_cast<LPARAM>(window));
    if (HandsFocusOn(record->Kind))
        return SendMessageA(GetParent(window), kNavigateKey, VK_TAB, reinterpret_cast<LPARAM>(window));
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnNonClientActivate(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsFormKind(record->Kind) && record->WindowState != 1) {
        if (wParam != FALSE) {
            UpdateWindow(window);
            SetFocus(window);
            UpdateWindow(window);
        } else {
            // An inactive form shows no default button; it keeps which one it is.
            HWND defaultButton = record->DefaultButton;
            if (defaultButton != nullptr)
                SetDefault(defaultButton, 0);
            ShowDefaultLook(record->FocusWindow, false);
            record->DefaultButton = defaultButton;
        }
    }
    return CommonPath(record, window, message, wParam, lParam);
}

LRESULT OnMdiActivate(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsMdiChild(record))
        return CommonPath(record, window, message, wParam, lParam);
    if (CallProcedure(record, window, message, wParam, lParam) == 0 && reinterpret_cast<HWND>(lParam) == window)
        ShowFormMenu(record, window);
    return DefMDIChildProcA(window, message, wParam, lParam);
}

LRESULT OnCommandOrNotify(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsFormKind(record->Kind))
        return FormCommand(record, window, message, wParam, lParam);
    if (!IsContainerKind(record->Kind))
        return CallWindowProcA(record->PrevProc, window, message, wParam, lParam);
    LRESULT answer = CallProcedure(record, window, message, wParam, lParam);
    // Commands of controls inside groups and pictures reach the form.
    return answer != 0 ? answer : SendMessageA(GetParent(window), message, wParam, lParam);
}

LRESULT OnGetDefaultId(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsFormKind(record->Kind))
        return CommonPath(record, window, message, wParam, lParam);
    const ObjectRecord* button = FindRecord(record->DefaultButton);
    return button != nullptr ? MAKELRESULT(button->ControlIndex + 1000, DC_HASDEFID) : 0;
}

LRESULT OnSetDefaultId(ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsFormKind(record->Kind))
        return CommonPath(record, window, message, wParam, lParam);
    ApplyDefaultButtonRule(record, static_cast<int>(wParam));
    return 1;
}

LRESULT OnNavigateKey(ObjectRecord* record, HWND window, UINT, WPARAM wParam, LPARAM lParam)
{
    if (IsFormKind(record->Kind))
        NavigateForm(record, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    else
        SendMessageA(GetParent(window), kNavigateKey, wParam, lParam);
    return 0;
}

LRESULT OnSkipFocus(ObjectRecord* record, HWND, UINT, WPARAM, LPARAM lParam)
{
    auto control = reinterpret_cast<HWND>(lParam);
    // Only a control that can no longer have the focus gives it away.
    if (!IsFormKind(record->Kind) || control != record->FocusWindow || IsWindowEnabled(control))
        return 0;
    const ObjectRecord* focus = FindRecord(control);
    if (focus != nullptr && !IsFormKind(focus->Kind))
        SetFocus(NextFocus(record, focus->ControlIndex + 1, false, false, false));
    return 0;
}

LRESULT OnFocusChanged(ObjectRecord* record, HWND window, UINT, WPARAM wParam, LPARAM lParam)
{
    if (IsFormKind(record->Kind))
        ApplyDefaultLookRule(record, reinterpret_cast<HWND>(lParam));
    else
        SendMessageA(GetParent(window), kFocusChanged, wParam, lParam);
    return 0;
}
