#include "engine/portable/progress_count.h"

uint32_t CountProgress(ProgressCount& progress, uint32_t count, bool end)
{
    progress.done += count - progress.carry;
    progress.carry = end ? 0 : count;
    return progress.done;
}

unsigned ProgressPercent(uint32_t done, uint32_t total)
{
    if (total == 0)
        return 100;
    uint64_t percent = uint64_t{done} * 100 / total;
    return percent > 100 ? 100 : static_cast<unsigned>(percent);
}

bool WouldMovePercent(const ProgressCount& progress, uint32_t count, uint32_t total)
{
    ProgressCount after = progress;
    return ProgressPercent(CountProgress(after, count, false), total) != ProgressPercent(progress.done, total);
}
