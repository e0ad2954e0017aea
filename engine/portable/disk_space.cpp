#include "engine/portable/disk_space.h"

namespace {

constexpr uint64_t kAlwaysEnough = uint64_t{1} << 32;

}  // namespace

bool HasRoomForInstall(uint32_t sectorsPerCluster, uint32_t bytesPerSector, uint32_t freeClusters,
                       uint32_t progressTotal)
{
    // Each product of two 32-bit factors fits in 64 bits; stopping at 4 GiB
    // keeps the third factor from overflowing.
    uint64_t clusterBytes = uint64_t{sectorsPerCluster} * bytesPerSector;
    if (clusterBytes >= kAlwaysEnough)
        return true;
    uint64_t freeBytes = clusterBytes * freeClusters;
    if (freeBytes >= kAlwaysEnough)
        return true;
    return freeBytes > progressTotal;
}
