#pragma once
// The runtime's window procedures.
#include <windows.h>

#include "forms/runtime_classes.h"

// Class procedure of the form classes, KSGROUP and KSPICTURE, and the
// replacement procedure of every other control.
LRESULT CALLBACK RuntimeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Dialog procedure of dialog-kind forms.
INT_PTR CALLBACK RuntimeDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK RuntimeMdiClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Procedure of the inner windows of combo boxes, extended combo boxes and
// IP-address controls.
LRESULT CALLBACK ChildEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
