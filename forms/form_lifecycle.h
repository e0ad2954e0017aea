#pragma once
// The life of a form: creation from its template, placement, binding to
// its record, set-up, the modal loop, closing and destruction, and the
// tear-down of the runtime.
#include "forms/object_record.h"

// The form's window (modeless), the modal result (modal), -1 when the
// form's procedure refused FormLoaded, 0 when no window came to be.
LRESULT CreateForm(const ObjectRecord* formTemplate, HWND parent, bool modal, LPARAM creationParameter);
// As CreateForm for the registered template of that name; 0 for an unknown
// name, a main form, or a parent control that is not a group or picture.
LRESULT CreateFormByName(const char* name, HWND parent, bool modal, LPARAM creationParameter);
// 1 when the window was a running modal form, which is ended with the result.
int EndModalForm(HWND window, LRESULT result);

struct Placement {
    int x, y, width, height;
};
Placement PlaceForm(const ObjectRecord* form, HWND parent);

void LayOutDockedBars(ObjectRecord* container);

// The steps the runtime window procedure takes on creation and destruction.
LRESULT BindWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SetUpForm(ObjectRecord* form, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void SetUpContainer(ObjectRecord* container, HWND window);
LRESULT CloseForm(ObjectRecord* form, HWND window, WPARAM wParam, LPARAM lParam);
LRESULT DestroyRecordWindow(ObjectRecord* record, HWND window, WPARAM wParam, LPARAM lParam);
LRESULT FinishFormDestruction(ObjectRecord* form, HWND window, WPARAM wParam, LPARAM lParam);

// Frees the start-up state: default font, window map, page
// blocks, window classes.
void TearDownRuntime();
// Frees the main form's records and tears down, after an unhandled exception.
void EmergencyTearDown();
LONG WINAPI RuntimeExceptionFilter(EXCEPTION_POINTERS* exception);
