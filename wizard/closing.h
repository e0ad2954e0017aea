#pragma once
// How the main window closes: the wizard's own close, a close asked for from
// outside (Alt+F4, the taskbar, the session's end), and the long steps that a
// destruction of the window must not cut short.
#include <windows.h>

// The wizard's own close: the main form goes at once.
void CloseWizard();

// Whether the WM_CLOSE under way is the wizard's own.
bool IsClosingItself();

// Once registration has begun the install cannot be undone, so Cancel is
// disabled; a close from outside is refused then too.
bool InstallCannotStop();

// Runs a step that pumps messages inside a handler of the main form, with
// `succeeded` telling whether it answered non-zero. False when the main form
// went meanwhile (it has been cleaned up now, and nothing of it may be used).
bool RunLongStep(int (*step)(), bool& succeeded);

// A journal still open belongs to a run that never completed (the user left
// on a page, or the unpacking failed): its changes go, then what the run
// left in the temp folder and in memory.
void EndTheRun();

// The main form's destruction: the clean-up runs now, or once the running
// long step has returned, so that it never frees what the step still uses.
void CleanUpOnDestroy();
