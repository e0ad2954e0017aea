#pragma once
// Pauses that keep the window alive, and the wait cursor.
#include <windows.h>

// Waits at least the given time. With dispatch, waiting messages are handled
// one at a time meanwhile (so the Cancel button works); without, nothing
// runs. The processor sleeps between messages; once a quit has been seen,
// for the rest of the wait. Returns the time elapsed.
DWORD WaitMilliseconds(DWORD milliseconds, bool dispatch);

// A clock in microseconds, for waits that keep a rhythm.
LONGLONG Microseconds();

// Asks once for the system timer to tick every millisecond, so that short
// sleeps last what they ask.
void RequestMillisecondTimer();

// Removes and dispatches at most one waiting message of the thread. A quit
// message is posted again for the main loop, and the answer is false: the
// caller then stops dispatching.
bool PumpOneMessage();

// Hourglass and mouse capture for the window until EndWaitCursor.
void BeginWaitCursor(HWND window);
void EndWaitCursor();
bool WaitCursorIsOn();
