#pragma once
// The arithmetic of the extraction's progress hook: the decompressor reports
// each stream's running output count; the hook turns those into bytes done
// over the whole run and into a bar position.
#include <cstdint>

struct ProgressCount {
    uint64_t done;    // bytes counted so far in the run, never reset: more than the
                      // total when the package holds more, which must not wrap
    uint32_t carry;   // the running count last received within the current stream
};

// Counts what the stream delivered since the last call and returns `done`.
// With `end` set the stream is over and the next call starts a new one.
uint64_t CountProgress(ProgressCount& progress, uint32_t count, bool end);

// Whether a call with this running count would show another whole
// percentage than the count so far does. A call that would not can be left
// out: counts are cumulative, so the next call counts its bytes.
bool WouldMovePercent(const ProgressCount& progress, uint32_t count, uint32_t total);

// done × 100 / total without overflow, at most 100. A total of 0 is already
// reached, so it gives 100 rather than a division by zero.
unsigned ProgressPercent(uint64_t done, uint32_t total);
