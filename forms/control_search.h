#pragma once
// Searches of a form's control tree through its windows, descending into
// groups and pictures.
#include "forms/object_record.h"

constexpr int kCancelButton = 1;
constexpr int kDefaultButton = 2;

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
