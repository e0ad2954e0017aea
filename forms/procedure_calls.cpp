#include "forms/procedure_calls.h"

#include "forms/portable/object_kinds.h"

LRESULT CallProcedure(const ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return record->Procedure != nullptr ? record->Procedure(window, message, wParam, lParam) : 0;
}

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
