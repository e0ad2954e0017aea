#pragma once
// Searches of a form's control tree through its windows, descending into
// groups and pictures.
#include <functional>

#include "forms/object_record.h"

constexpr int kCancelButton = 1;
constexpr int kDefaultButton = 2;

// Calls visit(window, record) for every child window with a record, in
// window order, descending into groups and pictures; stops at the first
// window for which visit answers true and returns it (nullptr: none did).
HWND FindInTree(HWND container, const std::function<bool(HWND, ObjectRecord*)>& visit);

HWND ControlByIndex(int index, HWND container);
int ControlCount(HWND container);
// The first push button with the cancel flag (which 1) or Default (which 2).
HWND FindSpecialButton(HWND container, int which);
// The first control by index that is a visible, enabled tab stop; the form
// window when there is none.
HWND FirstTabStop(const ObjectRecord* form);
void EnableChildren(HWND container, bool enable);
// The first child (not descending) that is a checked option button.
HWND CheckedOptionButton(HWND container);
HIMAGELIST FindImageListByName(HWND parent, const char* name);
