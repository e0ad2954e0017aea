#pragma once
// The progress hook that the decompressor calls while the package is
// unpacked: it moves the progress bar as bytes come out.
#include <windows.h>

#include <cstdint>

#include "engine/portable/progress_count.h"

// Held for the whole run (in the wizard's state record); inert while no bar
// is set, which is the case while the list file itself is unpacked.
struct ProgressState {
    HWND bar;
    uint32_t total;
    ProgressCount count;
    uint32_t calls;   // how often the hook ran (the benchmarks report it)
};

// Whether the hook, called with this running count, would move the bar.
bool HookWouldMoveBar(uint32_t count);

// Sets the bar to move and the progress total; the bar stays set.
void SetProgressTarget(HWND bar, uint32_t total);

// Counts the stream's running output `count` (with `end` set at the end of
// the stream), sets the bar to the percentage and waits until the bar shows
// it, then sleeps 2 ms and repaints the bar.
void ProgressHook(uint32_t count, bool end);
