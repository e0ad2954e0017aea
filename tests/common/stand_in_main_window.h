#pragma once
// A plain top-level window whose child controls carry the main form's
// identifiers, standing in for the main form where a test needs one.
#include <windows.h>

// Creates the window with every control of the main form (frames as group
// boxes, labels, buttons, check boxes, edits, list box, progress bar) and
// makes it the wizard's main window.
HWND CreateStandInMainWindow();
void DestroyStandInMainWindow();
