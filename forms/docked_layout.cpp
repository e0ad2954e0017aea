#include "forms/form_lifecycle.h"

#include "forms/window_map.h"

namespace {

enum AlignValue { AlignNone = 0, AlignTop = 1, AlignBottom = 2, AlignLeft = 3, AlignRight = 4 };

bool IsDockableBar(const ObjectRecord* record)
{
    return record->Kind == KindPicture || record->Kind == KindToolbar || record->Kind == KindStatusBar;
}

void ResendButtonSize(const ObjectRecord* toolbar)
{
    SendMessageA(toolbar->Window, TB_SETBUTTONSIZE, 0, MAKELPARAM(toolbar->StartUpPosition, toolbar->Indent));
}

void PlaceBar(const ObjectRecord* bar, HWND window, RECT* free)
{
    int width = free->right - free->left;
    int height = free->bottom - free->top;
    switch (bar->Align) {
    case AlignTop:
        MoveWindow(window, 0, free->top, free->right, bar->Height, TRUE);
        free->top += bar->Height;
        break;
    case AlignBottom:
        free->bottom -= bar->Height;
        MoveWindow(window, free->left, free->bottom, width, bar->Height, TRUE);
        break;
    case AlignLeft:
        MoveWindow(window, free->left, free->top, bar->Width, height, TRUE);
        free->left += bar->Width;
        break;
    case AlignRight:
        free->right -= bar->Width;
        MoveWindow(window, free->right, free->top, bar->Width, height, TRUE);
        break;
    default:
        break;
    }
}

// One pass: places the visible bars docked on one of the two sides.
void PlacePass(const ObjectRecord* container, int firstAlign, int secondAlign, RECT* free)
{
    for (HWND child = GetWindow(container->Window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == container->ClientWindow)
            continue;
        ObjectRecord* record = FindRecord(child);
        if (record == nullptr)
            continue;
        if (record->Kind == KindToolbar && record->Align == AlignNone)
            ResendButtonSize(record);
        if (!IsDockableBar(record) || !IsWindowVisible(child))
            continue;
        if (record->Align != firstAlign && record->Align != secondAlign)
            continue;
        PlaceBar(record, child, free);
        if (record->Kind == KindToolbar)
            ResendButtonSize(record);
    }
}

}  // namespace

void LayOutDockedBars(ObjectRecord* container)
{
    if (container == nullptr || container->Window == nullptr)
        return;
    RECT free;
    GetClientRect(container->Window, &free);
    if (IsFormKind(container->Kind) && container->CustomPaint == 1) {
        PlacePass(container, AlignTop, AlignTop, &free);
        PlacePass(container, AlignLeft, AlignRight, &free);
        PlacePass(container, AlignBottom, AlignBottom, &free);
    } else {
        PlacePass(container, AlignTop, AlignBottom, &free);
        PlacePass(container, AlignLeft, AlignRight, &free);
    }
    if (container->Kind == KindMdiFrame && container->ClientWindow != nullptr)
        MoveWindow(container->ClientWindow, free.left, free.top, free.right - free.left, free.bottom - free.top,
                   TRUE);
}
