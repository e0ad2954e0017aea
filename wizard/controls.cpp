#include "wizard/controls.h"

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "forms/property_accessors.h"
#include "forms/window_map.h"
#include "wizard/wizard_state.h"

namespace {

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControlId(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<ControlSearch*>(parameter);
    if (GetDlgCtrlID(window) != search->id)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND SearchControl(int id)
{
    if (FindRecord(g_wizard.mainWindow) != nullptr)
        return ControlByIdentifier(g_wizard.mainWindow, id);
    // A main window that the form runtime did not build: search its windows.
    ControlSearch search = {id, nullptr};
    EnumChildWindows(g_wizard.mainWindow, MatchControlId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Still the main window's control of that id: a window handle can be reused.
bool IsStillControl(HWND window, int id)
{
    return IsWindow(window) && GetDlgCtrlID(window) == id && GetAncestor(window, GA_ROOT) == g_wizard.mainWindow;
}

}  // namespace

// The search walks the form's window tree, one system call per window; the
// copy asks for the bar at every chunk, so a found control is kept and only
// checked before it is used again.
HWND ControlWindow(int id)
{
    if (g_wizard.mainWindow == nullptr)
        return nullptr;
    int slot = id - kFirstControlId;
    if (slot < 0 || slot >= kControlIdCount)
        return SearchControl(id);
    HWND& known = g_wizard.knownControls[slot];
    if (known == nullptr || !IsStillControl(known, id))
        known = SearchControl(id);
    return known;
}

void SetControlText(int id, const char* text)
{
    HWND control = ControlWindow(id);
    SetWindowTextA(control, text);
    InvalidateRect(control, nullptr, FALSE);
}

void ShowTableText(int id, int stringId)
{
    char text[kTextCapacity];
    LoadTableString(stringId, text);
    SetControlText(id, text);
}

void AppendTableText(int id, int stringId, char* text)
{
    char tail[kTextCapacity];
    LoadTableString(stringId, tail);
    AppendChar(text, ' ');
    AppendText(text, tail);
    SetControlText(id, text);
}

void GetControlText(int id, char* buffer)
{
    buffer[0] = '\0';
    GetWindowTextA(ControlWindow(id), buffer, static_cast<int>(kTextCapacity));
}

void EnableControl(int id, bool on)
{
    EnableWindow(ControlWindow(id), on);
}

void ShowControl(int id, bool on)
{
    HWND control = ControlWindow(id);
    if (!SetVisible(control, on ? 1 : 0))
        ShowWindow(control, on ? SW_SHOW : SW_HIDE);
}

void SetDefaultButton(int id)
{
    HWND button = ControlWindow(id);
    if (SetDefault(button, 1))
        return;
    SendMessageA(g_wizard.mainWindow, DM_SETDEFID, static_cast<WPARAM>(id), 0);
    SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void SetControlPicture(int id, HBITMAP bitmap)
{
    HWND control = ControlWindow(id);
    if (!SetPicture(control, bitmap))
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

bool IsControlChecked(int id)
{
    return SendMessageA(ControlWindow(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
