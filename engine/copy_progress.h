#pragma once
// The progress bar of the copy and registration steps.
#include <cstdint>

// Sets prbPerCent to done * 100 / total (at most 100) and makes sure it shows
// it; with pause, waits 15 ms; then repaints and dispatches waiting messages.
void ShowCopyProgress(uint32_t done, uint32_t total, bool pause);
