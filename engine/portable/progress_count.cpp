#include "engine/portable/progress_count.h"

uint64_t CountProgress(ProgressCount& progress, uint32_t count, bool end)
{
    progress.done += uint32_t{count - progress.carry};
    progress.carry = end ? 0 : count;
    return progress.done;
}

unsigned ProgressPercent(uint64_t done, uint32_t total)
{
    if (total == 0)
        return 100;
    // Past the total it is 100 whatever the count: done × 100 could overflow.
    if (done >= total)
        return 100;
    uint64_t percent = done * 100 / total;
    return percent > 100 ? 100 : static_cast<unsigned>(percent);
}

bool WouldMovePercent(const ProgressCount& progress, uint32_t count, uint32_t total)
{
    ProgressCount after = progress;
    return ProgressPercent(CountProgress(after, count, false), total) != ProgressPercent(progress.done, total);
}
