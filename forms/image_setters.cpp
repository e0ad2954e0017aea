#include "forms/property_accessors.h"

#include "forms/control_properties.h"
#include "forms/dispatch_common.h"
#include "forms/property_kinds.h"
#include "forms/window_map.h"

namespace {

bool IsHandle(ResourceRef value)
{
    return !IsIdentifier(RefValue(value));
}

// The old image goes unless it is the new one as well.
void FreeReplaced(ResourceRef old, ResourceRef current)
{
    if (old != current && IsHandle(old))
        FreeGraphicObject(old);
}

int SetFormIcon(HWND window, ResourceRef ObjectRecord::*field, WPARAM which, ResourceRef value)
{
    ObjectRecord* form = FindRecord(window);
    if (form == nullptr || !IsFormKind(form->Kind))
        return 0;
    ResourceRef icon = LoadImageRef(form, value, false);
    form->*field = icon;
    auto previous = reinterpret_cast<HICON>(SendMessageA(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon)));
    if (previous != nullptr && previous != icon)
        DestroyIcon(previous);
    return 1;
}

}  // namespace

int SetPicture(HWND window, ResourceRef value)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr || !HasKind(kPictureKinds, record->Kind))
        return 0;
    ResourceRef old = record->Picture;
    record->Picture = LoadImageRef(record, value, true);
    PictureMetrics(record);
    AutoSize(record);
    Repaint(window, true);
    FreeReplaced(old, record->Picture);
    return 1;
}

int SetMouseIcon(HWND window, ResourceRef value)
{
    ObjectRecord* record = FindRecord(window);
    if (record == nullptr)
        return 0;
    ResourceRef old = record->MouseIcon;
    record->MouseIcon = LoadImageRef(record, value, false);
    FreeReplaced(old, record->MouseIcon);
    return 1;
}

int SetIcon(HWND window, ResourceRef value)
{
    return SetFormIcon(window, &ObjectRecord::Icon, ICON_BIG, value);
}

int SetSmallIcon(HWND window, ResourceRef value)
{
    return SetFormIcon(window, &ObjectRecord::SmallIcon, ICON_SMALL, value);
}
