#pragma once
// The progress hook that the decompressor calls while the package is
// unpacked: it moves the progress bar as bytes come out.
#include <cstdint>

#include "engine/install_view.h"
#include "engine/portable/progress_count.h"

// Held for the whole unpacking; inert until a target is set, which is the
// case while the list file itself is unpacked.
struct ProgressState {
    InstallView* view;   // nullptr: inert
    uint32_t total;
    ProgressCount count;
    uint32_t calls;      // how often the hook ran (the benchmarks report it)
};

// Whether the hook, called with this running count, would move the bar.
bool HookWouldMoveBar(const ProgressState& progress, uint32_t count);

// Sets the view whose bar moves and the progress total; they stay set.
void SetProgressTarget(ProgressState& progress, InstallView* view, uint32_t total);

// Counts the stream's running output `count` (with `end` set at the end of
// the stream), sets the bar to the percentage and waits until the bar shows
// it, then pauses 2 ms on the view (which a run nobody watches skips).
void ProgressHook(ProgressState& progress, uint32_t count, bool end);
