#pragma once
// The two procedures a record's message may go to: the form's own, which the
// application gives, and the system's default for the record's kind.
#include <windows.h>

#include "forms/object_record.h"

// The record's own procedure, or 0 when it has none.
LRESULT CallProcedure(const ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// What the system does for the record's window when the runtime is done.
LRESULT DefaultProcessing(const ObjectRecord* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
