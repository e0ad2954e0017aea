#pragma once
// Driving the main form's controls by identifier.
#include <windows.h>

// The main form's control with the identifier, or nullptr. The one place
// where controls are looked up.
HWND ControlWindow(int id);

void SetControlText(int id, const char* text);
// The control shows the string of the table.
void ShowTableText(int id, int stringId);
// The text (a 260-byte buffer) gets a space and the string of the table,
// cut to the buffer, and the control shows it.
void AppendTableText(int id, int stringId, char* text);
void GetControlText(int id, char* buffer);
void EnableControl(int id, bool on);
void ShowControl(int id, bool on);
// True only for the checked state (an indeterminate box is not checked).
bool IsControlChecked(int id);
// Makes the push button the main form's default button.
void SetDefaultButton(int id);
// Gives the picture control a bitmap to show.
void SetControlPicture(int id, HBITMAP bitmap);
