#include "forms/control_search.h"

#include "forms/window_map.h"

namespace {

bool IsContainer(const ObjectRecord* record)
{
    return record != nullptr && IsContainerKind(record->Kind);
}

}  // namespace

HWND FindInTree(HWND container, const std::function<bool(HWND, ObjectRecord*)>& visit)
{
    for (HWND child = GetWindow(container, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        ObjectRecord* record = FindRecord(child);
        if (record == nullptr)
            continue;
        if (visit(child, record))
            return child;
        if (IsContainer(record)) {
            if (HWND found = FindInTree(child, visit))
                return found;
        }
    }
    return nullptr;
}

HWND ControlByIndex(int index, HWND container)
{
    return FindInTree(container, [index](HWND, ObjectRecord* record) {
        return !IsFormKind(record->Kind) && record->ControlIndex == index;
    });
}

int ControlCount(HWND container)
{
    ObjectRecord* owner = FindRecord(container);
    HWND client = owner != nullptr ? owner->ClientWindow : nullptr;
    int count = 0;
    FindInTree(container, [&count, client](HWND window, ObjectRecord*) {
        if (window != client)
            ++count;
        return false;
    });
    return count;
}

HWND FindSpecialButton(HWND container, int which)
{
    return FindInTree(container, [which](HWND, ObjectRecord* record) {
        if (record->Kind != KindPushButton)
            return false;
        return which == kCancelButton ? record->AutoSize == 1 : record->Default == 1;
    });
}

HWND FirstTabStop(const ObjectRecord* form)
{
    int count = ControlCount(form->Window);
    for (int index = 0; index < count; ++index) {
        HWND control = ControlByIndex(index, form->Window);
        ObjectRecord* record = FindRecord(control);
        if (record != nullptr && record->TabStop == 1 && record->Visible == 1 && record->Enabled == 1)
            return control;
    }
    return form->Window;
}

void EnableChildren(HWND container, bool enable)
{
    FindInTree(container, [enable](HWND window, ObjectRecord*) {
        EnableWindow(window, enable);
        return false;
    });
}

HWND CheckedOptionButton(HWND container)
{
    for (HWND child = GetWindow(container, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        ObjectRecord* record = FindRecord(child);
        if (record != nullptr && record->Kind == KindOptionButton && SendMessageA(child, BM_GETCHECK, 0, 0) == 1)
            return child;
    }
    return nullptr;
}

HIMAGELIST FindImageListByName(HWND parent, const char* name)
{
    for (HWND child = GetWindow(GetWindow(parent, GW_CHILD), GW_HWNDLAST); child != nullptr;
         child = GetWindow(child, GW_HWNDPREV)) {
        ObjectRecord* record = FindRecord(child);
        if (record == nullptr)
            continue;
        if (record->Kind == KindImageList && lstrcmpiA(record->Name, name) == 0)
            return reinterpret_cast<HIMAGELIST>(record->DrawStyle);
        if (IsContainer(record)) {
            if (HIMAGELIST found = FindImageListByName(child, name))
                return found;
        }
    }
    return nullptr;
}
