#pragma once
// The disk-space rule of the install: a drive with 4 GiB or more free always
// has room; otherwise the free bytes must exceed the progress total.
#include <cstdint>

bool HasRoomForInstall(uint32_t sectorsPerCluster, uint32_t bytesPerSector, uint32_t freeClusters,
                       uint32_t progressTotal);
