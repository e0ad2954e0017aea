#pragma once
// The progress bar of the copy and registration steps.
#include <windows.h>

// Sets prbPerCent to done * 100 / total (at most 100) and makes sure it shows
// it; with pause, waits 15 ms first without running anything; then repaints
// the bar and handles the messages that are waiting.
void ShowCopyProgress(DWORD done, DWORD total, bool pause);
