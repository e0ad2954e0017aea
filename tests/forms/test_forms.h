#pragma once
// Test forms built from records, and keys and messages delivered the way
// the system delivers them.
#include <windows.h>

#include <vector>

#include "forms/object_record.h"

// A form record of the plain-window kind, 400 x 300, background white.
ObjectRecord TestFormRecord(WNDPROC procedure);
// A visible, enabled control record at the index, with the kind's usual style.
ObjectRecord TestControl(int kind, int index, int left, int top, int width, int height, const char* caption);

// Creates the form of the template block (the form first, then its
// controls depth-first, each container followed by its children).
HWND CreateTestForm(std::vector<ObjectRecord>& block);

// The window's rectangle in the client coordinates of the parent.
RECT RectIn(HWND window, HWND parent);

// Handles every waiting message (quit messages are left for nobody).
void Pump();
// A key press on the focus window: WM_KEYDOWN, the characters that
// TranslateMessage makes of it, WM_KEYUP; Shift held when asked.
void PressKey(UINT key, bool shift = false);
// Alt with a letter: WM_SYSKEYDOWN, its WM_SYSCHAR, WM_SYSKEYUP.
void PressAltKey(char letter);

// The commands that reached a recording procedure, in order.
struct CommandLog {
    std::vector<WPARAM> commands;
    std::vector<HWND> senders;
};
extern CommandLog g_commands;
// A form procedure that records every BN_CLICKED command from a push button.
LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
