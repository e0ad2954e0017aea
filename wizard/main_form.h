#pragma once
// The main form's procedure: the hub through which the runtime hands the
// wizard every message it handles.
#include <windows.h>

LRESULT CALLBACK MainFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Procedure of the link labels that react to a click.
LRESULT CALLBACK LinkLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
