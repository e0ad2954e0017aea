#include "test_forms.h"

#include "forms/form_lifecycle.h"
#include "forms/window_map.h"

CommandLog g_commands;

LRESULT CALLBACK RecordCommands(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return 0;
    const ObjectRecord* sender = FindRecord(reinterpret_cast<HWND>(lParam));
    if (sender == nullptr || sender->Kind != KindPushButton)
        return 0;
    g_commands.commands.push_back(wParam);
    g_commands.senders.push_back(reinterpret_cast<HWND>(lParam));
    return 1;
}

ObjectRecord TestFormRecord(WNDPROC procedure)
{
    ObjectRecord form = {};
    form.Kind = KindWindowForm;
    form.Name = "Prova";
    form.Width = 400;
    form.Height = 300;
    form.StartUpPosition = 2;
    form.Visible = 1;
    form.Enabled = 1;
    form.Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN;
    form.PictureFormat = -1;
    form.BackColor = 0xFFFFFF;
    form.ForeColor = 0;
    form.DrawWidth = 1;
    form.FontName = const_cast<char*>("Arial");
    form.FontSize = 9;
    form.FontAt96Dpi = 1;
    form.Procedure = procedure;
    return form;
}

namespace {

DWORD KindStyle(int kind)
{
    switch (kind) {
    case KindPushButton:
        return BS_PUSHBUTTON;
    case KindCheckBox:
        return BS_AUTOCHECKBOX;
    case KindOptionButton:
        return BS_AUTORADIOBUTTON;
    case KindTextBox:
        return ES_AUTOHSCROLL | WS_BORDER;
    default:
        return 0;
    }
}

MSG KeyMessage(UINT message, UINT key, LPARAM lParam)
{
    MSG msg = {};
    msg.hwnd = GetFocus();
    msg.message = message;
    msg.wParam = key;
    msg.lParam = lParam;
    return msg;
}

// Delivers one keyboard message as the message loop does.
void Deliver(const MSG& msg)
{
    PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    Pump();
}

void SetShift(bool down)
{
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = down ? 0x80 : 0;
    state[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

}  // namespace

ObjectRecord TestControl(int kind, int index, int left, int top, int width, int height, const char* caption)
{
    ObjectRecord control = {};
    control.Kind = kind;
    control.Name = "control";
    control.ControlIndex = index;
    control.Left = left;
    control.Top = top;
    control.Width = width;
    control.Height = height;
    control.Style = WS_VISIBLE | KindStyle(kind);
    control.Visible = 1;
    control.Enabled = 1;
    control.PictureFormat = -1;
    control.Caption = const_cast<char*>(caption);
    control.FontName = const_cast<char*>("Arial");
    control.FontSize = 9;
    control.FontAt96Dpi = 1;
    control.BackColor = 0xC0C0C0;
    control.ForeColor = 0;
    return control;
}

RECT RectIn(HWND window, HWND parent)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND CreateTestForm(std::vector<ObjectRecord>& block)
{
    block[0].TemplateLink = &block[0];
    HWND window = reinterpret_cast<HWND>(CreateForm(block.data(), nullptr, false, 0));
    Pump();
    return window;
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PressKey(UINT key, bool shift)
{
    SetShift(shift);
    UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    Deliver(KeyMessage(WM_KEYDOWN, key, 1 | (scan << 16)));
    Deliver(KeyMessage(WM_KEYUP, key, 1 | (scan << 16) | (1u << 30) | (1u << 31)));
    SetShift(false);
}

void PressAltKey(char letter)
{
    UINT key = static_cast<UINT>(letter);
    UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    LPARAM alt = 1u << 29;
    Deliver(KeyMessage(WM_SYSKEYDOWN, key, 1 | (scan << 16) | alt));
    Deliver(KeyMessage(WM_SYSKEYUP, key, 1 | (scan << 16) | alt | (1u << 30) | (1u << 31)));
}
