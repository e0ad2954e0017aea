#include "forms/form_lifecycle.h"

#include "base/waiting.h"
#include "forms/form_templates.h"
#include "forms/portable/form_geometry.h"
#include "forms/portable/screen_metrics.h"
#include "forms/runtime_memory.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"
#include "forms/window_procedures.h"

namespace {

void ShowInWindowState(HWND window, const ObjectRecord* form)
{
    int show = form->WindowState == 1 ? SW_SHOWMINIMIZED : form->WindowState == 2 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    ShowWindow(window, show);
}

// Sends FormLoaded, then shows the form as its record asks.
LRESULT LoadAndShow(HWND window, ObjectRecord* form)
{
    LRESULT answer = form->Procedure != nullptr ? form->Procedure(window, kFormLoaded, 0, 0) : 0;
    if (answer == -1) {
        DestroyWindow(window);
        return -1;
    }
    if (!IsWindow(window))
        return 0;
    form->Style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    if (form->Visible == 1)
        ShowInWindowState(window, form);
    return reinterpret_cast<LRESULT>(window);
}

bool IsActivatingMessage(UINT message)
{
    return message == WM_ACTIVATEAPP || message == WM_NCLBUTTONDOWN || message == WM_LBUTTONDOWN ||
           message == WM_NCRBUTTONDOWN || message == WM_RBUTTONDOWN;
}

LRESULT RunModalLoop(HWND owner, ObjectRecord* form)
{
    HWND window = form->Window;
    if (owner != nullptr) {
        EndWaitCursor();
        EnableWindow(owner, FALSE);
    }
    if (form->Procedure != nullptr)
        form->Procedure(window, kFormLoaded, 0, 0);
    if (IsWindow(window)) {
        form->Style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
        if (form->Visible == 1)
            ShowInWindowState(window, form);
        SetFocus(form->FocusWindow);
    }
    MSG message;
    while (IsWindow(window)) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // The application's own loop must still see the quit.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1)
            break;
        ObjectRecord* record = FindRecord(message.hwnd);
        if (record != nullptr && record->Procedure != nullptr &&
            record->Procedure(message.hwnd, message.message, message.wParam, message.lParam) != 0)
            continue;
        if (IsActivatingMessage(message.message) && IsWindow(window)) {
            SetActiveWindow(window);
            SetFocus(window);
        }
        if (g_runtime.Accelerators != nullptr && TranslateAcceleratorA(window, g_runtime.Accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return g_runtime.ModalResult;
}

HWND CreateDialogForm(ObjectRecord* form, HWND parent, bool modal, LPARAM creationParameter)
{
    form->CreateParam = creationParameter;
    form->Modal = modal ? 1 : 0;
    form->Style &= ~WS_VISIBLE;
    HWND owner = parent;
    if (modal && parent != nullptr && (GetWindowLongPtrA(parent, GWL_STYLE) & WS_CHILD) != 0 &&
        parent != g_runtime.MainWindow)
        owner = g_runtime.MainWindow;
    g_runtime.CreatingRecord = form;
    return CreateDialogParamA(g_runtime.Instance, static_cast<LPCSTR>(form->DialogTemplate), owner,
                              RuntimeDialogProc, 0);
}

HWND CreateFormWindow(ObjectRecord* form, HWND parent, bool modal)
{
    form->Style &= ~WS_VISIBLE;
    Placement place = PlaceForm(form, parent);
    g_runtime.CreatingRecord = form;
    if (form->Kind == KindMdiFrame)
        return CreateWindowExA(form->ExStyle & ~WS_EX_CLIENTEDGE, g_runtime.MdiFrameClass, nullptr,
                               form->Style & ~(WS_HSCROLL | WS_VSCROLL), place.x, place.y, place.width,
                               place.height, parent, nullptr, g_runtime.Instance, nullptr);
    if (form->MDIChild == 1) {
        SendMessageA(parent, WM_SETREDRAW, FALSE, 0);
        HWND child = CreateWindowExA(form->ExStyle, kMdiChildClass, nullptr, form->Style, place.x, place.y,
                                     place.width, place.height, parent, nullptr, g_runtime.Instance, nullptr);
        if (child != nullptr)
            SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED);
        return child;
    }
    form->Modal = modal ? 1 : 0;
    if (modal)
        form->ExStyle &= ~WS_EX_APPWINDOW;
    return CreateWindowExA(form->ExStyle, g_runtime.WindowClass, nullptr, form->Style, place.x, place.y,
                           place.width, place.height, parent, nullptr, g_runtime.Instance, nullptr);
}

}  // namespace

Placement PlaceForm(const ObjectRecord* form, HWND parent)
{
    Placement place;
    place.width = ScaleToPixels(form->Width, form->ScaleMode, g_runtime.TwipsPerPixelX);
    place.height = ScaleToPixels(form->Height, form->ScaleMode, g_runtime.TwipsPerPixelY);
    int position = form->StartUpPosition;
    if (position == 1 && parent != nullptr) {
        RECT rect;
        if ((form->Style & WS_CHILD) != 0)
            GetClientRect(parent, &rect);
        else
            GetWindowRect(parent, &rect);
        place.x = CentredOrigin(rect.left, rect.right - rect.left, place.width);
        place.y = CentredOrigin(rect.top, rect.bottom - rect.top, place.height);
    } else if ((position == 1 || position == 2) && !(position == 2 && form->MDIChild == 1)) {
        place.x = CentredOrigin(0, GetSystemMetrics(SM_CXSCREEN), place.width);
        place.y = CentredOrigin(0, GetSystemMetrics(SM_CYSCREEN), place.height);
    } else if (position == 2 || position == 3) {
        place.x = CW_USEDEFAULT;
        place.y = CW_USEDEFAULT;
    } else {
        place.x = ScaleToPixels(form->Left, form->ScaleMode, g_runtime.TwipsPerPixelX);
        place.y = ScaleToPixels(form->Top, form->ScaleMode, g_runtime.TwipsPerPixelY);
    }
    return place;
}

LRESULT CreateForm(const ObjectRecord* formTemplate, HWND parent, bool modal, LPARAM creationParameter)
{
    ObjectRecord* form = CopyTemplate(formTemplate);
    if (form == nullptr)
        return 0;
    int kind = form->Kind;
    bool mdiChild = kind == KindWindowForm && form->MDIChild == 1;
    HWND window = kind == KindDialogForm ? CreateDialogForm(form, parent, modal, creationParameter)
                                         : CreateFormWindow(form, parent, modal);
    if (window == nullptr) {
        // A record never bound to a window is still ours; a bound one was
        // freed by the destruction of its window.
        if (g_runtime.CreatingRecord == form) {
            g_runtime.CreatingRecord = nullptr;
            FreeRecordContents(form);
            FreeBlock(form);
        }
        if (mdiChild)
            SendMessageA(parent, WM_SETREDRAW, TRUE, 0);
        return 0;
    }
    if (modal && (kind == KindDialogForm || (kind == KindWindowForm && !mdiChild)))
        return RunModalLoop(kind == KindDialogForm ? GetWindow(window, GW_OWNER) : parent, form);
    LRESULT result = LoadAndShow(window, form);
    if (mdiChild) {
        SendMessageA(parent, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(parent, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    return result;
}

LRESULT CreateFormByName(const char* name, HWND parent, bool modal, LPARAM creationParameter)
{
    ObjectRecord* parentRecord = FindRecord(parent);
    if (parentRecord != nullptr && !IsFormKind(parentRecord->Kind) && !IsContainerKind(parentRecord->Kind))
        return 0;
    ObjectRecord* formTemplate = FindFormTemplate(name);
    if (formTemplate == nullptr || formTemplate->MainForm == 1)
        return 0;
    if (formTemplate->MDIChild == 1 && parentRecord != nullptr && parentRecord->ClientWindow != nullptr)
        parent = parentRecord->ClientWindow;
    return CreateForm(formTemplate, parent, modal, creationParameter);
}

int EndModalForm(HWND window, LRESULT result)
{
    ObjectRecord* form = FindRecord(window);
    if (form == nullptr || (form->Kind != KindWindowForm && form->Kind != KindDialogForm) || form->Modal != 1)
        return 0;
    form->Modal = 0;
    g_runtime.ModalResult = result;
    HWND owner = GetParent(window);
    if (owner == nullptr)
        owner = GetWindow(window, GW_OWNER);
    if (owner == nullptr)
        owner = g_runtime.MainWindow;
    EnableWindow(owner, TRUE);
    DestroyWindow(window);
    SetActiveWindow(owner);
    return 1;
}
