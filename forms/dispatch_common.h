#pragma once
// The application-procedure contract shared by the runtime's procedures.
#include "forms/object_record.h"
#include "forms/procedure_calls.h"

// The Procedure first; when it answers 0, the default processing.
LRESULT CommonPath(const ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Invalidates the whole window (erasing or not) and has it painted at once.
void Repaint(HWND window, bool erase);
// Redraws the window and all its children now.
void Redraw(HWND window);
// From the window (itself included) up the z-order, the first custom-painted
// label is invalidated, so that transparent labels stay drawn over what
// repainted beneath them.
void ApplyRepaintRule(HWND start);

// Cursor of a record over the window that received WM_SETCURSOR (a combo
// box's edit part decides for the I-beam); the default processing that
// sets it runs with it as the class cursor.
LRESULT ApplyCursorRule(const ObjectRecord* record, HWND window, WPARAM wParam, LPARAM lParam,
                        WNDPROC defaultProcedure);
