#include "forms/form_lifecycle.h"

#include "forms/control_creation.h"
#include "forms/control_properties.h"
#include "forms/control_search.h"
#include "forms/portable/screen_metrics.h"
#include "forms/procedure_calls.h"
#include "forms/runtime_classes.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"

namespace {

constexpr UINT_PTR kFormTimer = 1;

void CreateMdiClient(ObjectRecord* frame, HWND window)
{
    DWORD style = WS_CHILD | WS_VISIBLE | MDIS_ALLCHILDSTYLES |
                  (frame->Style & (WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL));
    CLIENTCREATESTRUCT client = {nullptr, 0};
    frame->ClientWindow = CreateWindowExA(frame->ExStyle & WS_EX_CLIENTEDGE, kMdiClientClass, nullptr, style,
                                          0, 0, 0, 0, window, nullptr, g_runtime.Instance, &client);
}

void AttachMenu(ObjectRecord* form, HWND window)
{
    if (IsResourceNumber(RefValue(form->Menu))) {
        HMENU menu = LoadMenuA(g_runtime.Instance, MAKEINTRESOURCEA(RefValue(form->Menu)));
        if (menu != nullptr)
            form->Menu = menu;
    }
    if (form->Menu == nullptr && form->Kind == KindMdiFrame)
        form->Menu = CreateMenu();
    if (!IsIdentifier(RefValue(form->Menu)))
        SetMenu(window, static_cast<HMENU>(form->Menu));
}

void WriteStyles(ObjectRecord* form, HWND window)
{
    DWORD style = form->Style;
    DWORD exStyle = form->ExStyle;
    if (form->Kind == KindMdiFrame) {
        style &= ~(WS_HSCROLL | WS_VSCROLL);
        exStyle &= ~WS_EX_CLIENTEDGE;
    }
    SetWindowLongPtrA(window, GWL_STYLE, static_cast<LONG_PTR>(style));
    SetWindowLongPtrA(window, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
}

RECT FormRectangle(const ObjectRecord* form, HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    if (form->MDIChild == 1)
        MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void RefreshPosition(ObjectRecord* form, HWND window, bool withSize)
{
    RECT rect = FormRectangle(form, window);
    form->Left = PixelsToScale(rect.left, form->ScaleMode, g_runtime.TwipsPerPixelX);
    form->Top = PixelsToScale(rect.top, form->ScaleMode, g_runtime.TwipsPerPixelY);
    if (!withSize)
        return;
    form->Width = PixelsToScale(rect.right - rect.left, form->ScaleMode, g_runtime.TwipsPerPixelX);
    form->Height = PixelsToScale(rect.bottom - rect.top, form->ScaleMode, g_runtime.TwipsPerPixelY);
}

void ApplyFormPicture(ObjectRecord* form)
{
    form->Picture = LoadImageRef(form, form->Picture, true);
    PictureMetrics(form);
}

// Steps common to every form kind, up to its controls and default button.
void PrepareForm(ObjectRecord* form, HWND window)
{
    if (form->Kind != KindMdiFrame)
        TakePenShare();
    form->MouseIcon = LoadImageRef(form, form->MouseIcon, false);
    form->Icon = LoadImageRef(form, form->Icon, false);
    form->SmallIcon = LoadImageRef(form, form->SmallIcon, false);
    if (form->Picture != nullptr)
        ApplyFormPicture(form);
    AttachMenu(form, window);
    WriteStyles(form, window);
    ResolveColors(form);
    form->OldFont = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    RecreateFont(form, true);
    RefreshPosition(form, window, false);
    if (form->MDIChild == 1)
        SendMessageA(GetParent(window), kRefreshScrollBars, 0, 0);
    if (form->TimerInterval > 0 && SetTimer(window, kFormTimer, form->TimerInterval, nullptr) != 0)
        form->TimerId = 1;
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(form->Icon));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(form->SmallIcon));
    SetWindowTextA(window, form->Caption);
    RefreshPosition(form, window, true);
    if (form->Default == 1)
        EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_GRAYED);
    if (form->Children != nullptr)
        CreateControls(window, window, form);
    form->FocusWindow = window;
    form->DefaultButton = FindSpecialButton(window, kDefaultButton);
}

void RestoreMaximisedSibling(ObjectRecord* form, HWND window)
{
    BOOL maximised = FALSE;
    HWND active = reinterpret_cast<HWND>(SendMessageA(GetParent(window), WM_MDIGETACTIVE, 0,
                                                      reinterpret_cast<LPARAM>(&maximised)));
    if (active == nullptr || active == window || !maximised)
        return;
    ShowWindow(active, SW_SHOWNORMAL);
    form->WindowState = 2;
}

LRESULT FinishWindowForm(ObjectRecord* form, HWND window, WPARAM wParam, LPARAM lParam)
{
    SizeNudge(window, form->Visible == 1);
    if (form->Kind == KindMdiFrame) {
        RECT client;
        GetClientRect(window, &client);
        MoveWindow(form->ClientWindow, 0, 0, client.right, client.bottom, TRUE);
    }
    LRESULT answer = CallProcedure(form, window, WM_CREATE, wParam, lParam);
    if (answer == -1)
        return -1;
    if (answer == 0)
        form->FocusWindow = FirstTabStop(form);
    if (form->MDIChild == 1)
        RestoreMaximisedSibling(form, window);
    if (form->Visible == 1)
        SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    LayOutDockedBars(form);
    SetFocus(form->FocusWindow);
    return 0;
}

LRESULT FinishDialogForm(ObjectRecord* form, HWND window, WPARAM wParam)
{
    Placement place = PlaceForm(form, GetWindow(window, GW_OWNER));
    MoveWindow(window, place.x, place.y, place.width, place.height, TRUE);
    LPARAM parameter = form->CreateParam;
    form->CreateParam = 0;
    LRESULT answer = CallProcedure(form, window, WM_INITDIALOG, wParam, parameter);
    SizeNudge(window, form->Visible == 1);
    if (answer == 0) {
        form->FocusWindow = FirstTabStop(form);
        SendMessageA(window, WM_KEYDOWN, VK_TAB, 0);
    }
    return 0;
}

}  // namespace

LRESULT BindWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ObjectRecord* record = g_runtime.CreatingRecord;
    AddWindowPair(window, record);
    g_runtime.CreatingRecord = nullptr;
    record->Window = window;
    if (record->MainForm == 1)
        g_runtime.MainWindow = window;
    CallProcedure(record, window, message, wParam, lParam);
    LRESULT answer = DefaultProcessing(record, window, message, wParam, lParam);
    return record->Kind == KindGroup ? answer : TRUE;
}

LRESULT SetUpForm(ObjectRecord* form, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        if (form->PasswordChar == 1 && form->Kind != KindMdiFrame)
            SetClassLongPtrA(window, GCL_STYLE, GetClassLongPtrA(window, GCL_STYLE) | CS_HREDRAW | CS_VREDRAW);
        if (form->Kind == KindMdiFrame)
            CreateMdiClient(form, window);
    }
    PrepareForm(form, window);
    if (message == WM_INITDIALOG)
        return FinishDialogForm(form, window, wParam);
    return FinishWindowForm(form, window, wParam, lParam);
}

void SetUpContainer(ObjectRecord* container, HWND window)
{
    container->Window = window;
    TakePenShare();
    ApplyCommonProperties(container->FormWindow, container);
    if (container->Kind == KindGroup)
        MeasureCaption(container);
    else
        AutoSize(container);
}
