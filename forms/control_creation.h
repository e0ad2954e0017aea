#pragma once
// Turning the control records of a container into windows.
#include "forms/object_record.h"

// Builds every record of the parent record's Children in order, inside the
// parent window, for the form window's form.
void CreateControls(HWND parentWindow, HWND formWindow, ObjectRecord* parent);
