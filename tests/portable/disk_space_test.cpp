#include <gtest/gtest.h>

#include "engine/portable/disk_space.h"

namespace {

TEST(DiskSpace, FreeBytesMustExceedTheProgressTotal)
{
    // 8 sectors of 512 bytes per cluster: 4096 bytes per cluster.
    EXPECT_TRUE(HasRoomForInstall(8, 512, 1000, 4095999));
    EXPECT_FALSE(HasRoomForInstall(8, 512, 1000, 4096000)) << "equal is refused";
    EXPECT_FALSE(HasRoomForInstall(8, 512, 1000, 4096001));
    EXPECT_FALSE(HasRoomForInstall(8, 512, 0, 0)) << "a full disk has no room even for nothing";
    // Totals past 2 GiB compare as the sizes they are, not as negative numbers.
    EXPECT_FALSE(HasRoomForInstall(8, 512, 700000, 3000000000u)) << "2,867,200,000 free";
    EXPECT_TRUE(HasRoomForInstall(8, 512, 700000, 2800000000u));
}

TEST(DiskSpace, FourGibibytesOrMoreAlwaysPass)
{
    EXPECT_TRUE(HasRoomForInstall(8, 512, 1048576, 0xFFFFFFFFu)) << "exactly 4 GiB";
    EXPECT_FALSE(HasRoomForInstall(8, 512, 1048575, 0xFFFFFFFFu)) << "one cluster less";
    // Products that overflow 32 and 64 bits are still "enough".
    EXPECT_TRUE(HasRoomForInstall(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu));
    EXPECT_TRUE(HasRoomForInstall(1, 0x10000u, 0x10000u, 0xFFFFFFFFu));
}

}  // namespace
