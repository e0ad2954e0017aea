#include "forms/form_lifecycle.h"

#include "forms/control_properties.h"
#include "forms/procedure_calls.h"
#include "forms/runtime_memory.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"

namespace {

HWND OwnerOf(HWND window)
{
    HWND owner = GetParent(window);
    return owner != nullptr ? owner : GetWindow(window, GW_OWNER);
}

// A modal form whose window goes away without end modal form: its owner
// comes back with the result 2.
void EndDestroyedModalForm(ObjectRecord* form, HWND window)
{
    form->Modal = 0;
    g_runtime.ModalResult = 2;
    HWND owner = OwnerOf(window);
    if (owner == nullptr)
        owner = g_runtime.MainWindow;
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
}

void ActivateOwner(const ObjectRecord* form, HWND window)
{
    if (form->MDIChild == 1)
        return;
    HWND owner = OwnerOf(window);
    if (owner == nullptr && window != g_runtime.MainWindow)
        owner = g_runtime.MainWindow;
    if (owner == nullptr)
        return;
    SetActiveWindow(owner);
    SetFocus(owner);
}

LRESULT DestroyForm(ObjectRecord* form, HWND window, WPARAM wParam, LPARAM lParam)
{
    if (form->Modal == 1)
        EndDestroyedModalForm(form, window);
    else
        ActivateOwner(form, window);
    SendMessageA(window, WM_SETICON, ICON_BIG, 0);
    SendMessageA(window, WM_SETICON, ICON_SMALL, 0);
    FreeGraphicObjects(form);
    if (!IsIdentifier(RefValue(form->Menu))) {
        SetMenu(window, nullptr);
        DestroyMenu(static_cast<HMENU>(form->Menu));
        form->Menu = nullptr;
    }
    if (form->Kind != KindMdiFrame)
        ReleasePenShare();
    LRESULT answer = DefaultProcessing(form, window, WM_DESTROY, wParam, lParam);
    if (form->MainForm == 1) {
        if (g_runtime.MainWindow == window)
            g_runtime.MainWindow = nullptr;
        PostQuitMessage(0);
    }
    return answer;
}

LRESULT DestroyContainer(ObjectRecord* container, HWND window, WPARAM wParam, LPARAM lParam)
{
    FreeGraphicObjects(container);
    ReleasePenShare();
    LRESULT answer = DefaultProcessing(container, window, WM_DESTROY, wParam, lParam);
    // Its children still need their records; the form frees them.
    UnmapWindow(window);
    return answer;
}

void EmptyControl(ObjectRecord* control, HWND window)
{
    switch (control->Kind) {
    case KindIpAddress: {
        HWND field = GetWindow(window, GW_CHILD);
        for (int i = 0; i < 4 && field != nullptr && g_runtime.IpFieldProc != nullptr;
             ++i, field = GetWindow(field, GW_HWNDNEXT))
            SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_runtime.IpFieldProc));
        break;
    }
    case KindListBox:
        SendMessageA(window, LB_RESETCONTENT, 0, 0);
        break;
    case KindComboBox:
        SendMessageA(window, CB_RESETCONTENT, 0, 0);
        break;
    case KindListView:
        SendMessageA(window, LVM_DELETEALLITEMS, 0, 0);
        while (SendMessageA(window, LVM_DELETECOLUMN, 0, 0))
            continue;
        break;
    case KindTreeView:
        SendMessageA(window, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        break;
    case KindExtendedComboBox:
        for (LRESULT left = 1; left != 0 && left != CB_ERR;)
            left = SendMessageA(window, CBEM_DELETEITEM, 0, 0);
        break;
    case KindImageList: {
        auto images = reinterpret_cast<HIMAGELIST>(control->DrawStyle);
        while (images != nullptr && ImageList_GetImageCount(images) > 0 && ImageList_Remove(images, 0))
            continue;
        ImageList_Destroy(images);
        control->DrawStyle = 0;
        break;
    }
    default:
        break;
    }
}

LRESULT DestroyControl(ObjectRecord* control, HWND window, WPARAM wParam, LPARAM lParam)
{
    EmptyControl(control, window);
    FreeGraphicObjects(control);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control->PrevProc));
    LRESULT answer = CallWindowProcA(control->PrevProc, window, WM_DESTROY, wParam, lParam);
    RemoveWindowPair(window);
    return answer;
}

}  // namespace

LRESULT CloseForm(ObjectRecord* form, HWND window, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = CallProcedure(form, window, WM_CLOSE, wParam, lParam);
    if (!IsWindow(window))
        return 0;
    if (answer != 0)
        return answer;
    if (form->Modal == 1) {
        EndModalForm(window, 0);
        return 0;
    }
    if (form->MDIChild == 1) {
        HWND client = GetParent(window);
        ObjectRecord* frame = FindRecord(GetParent(client));
        if (frame != nullptr) {
            SendMessageA(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(frame->Menu), 0);
            DrawMenuBar(frame->Window);
        }
    }
    return DefaultProcessing(form, window, WM_CLOSE, wParam, lParam);
}

LRESULT DestroyRecordWindow(ObjectRecord* record, HWND window, WPARAM wParam, LPARAM lParam)
{
    if (record->TimerId != 0) {
        KillTimer(window, 1);
        record->TimerId = 0;
    }
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(record->OldFont), TRUE);
    CallProcedure(record, window, WM_DESTROY, wParam, lParam);
    if (IsFormKind(record->Kind))
        return DestroyForm(record, window, wParam, lParam);
    if (IsContainerKind(record->Kind))
        return DestroyContainer(record, window, wParam, lParam);
    return DestroyControl(record, window, wParam, lParam);
}

LRESULT FinishFormDestruction(ObjectRecord* form, HWND window, WPARAM wParam, LPARAM lParam)
{
    CallProcedure(form, window, WM_NCDESTROY, wParam, lParam);
    LRESULT answer = DefaultProcessing(form, window, WM_NCDESTROY, wParam, lParam);
    RemoveWindowPair(window);
    FreeBlock(form);
    return answer;
}
