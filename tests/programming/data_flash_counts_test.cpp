// Sector and page counts of the data-flash runs at the edges of a sector, a page and the chip.
#include "programming/data_flash_counts.h"

#include <gtest/gtest.h>

namespace lumetra::programming {
namespace {

constexpr int kAt25df041a = 1;
constexpr int kAt25df321a = 4;
constexpr int kAt25df021 = 0;

TEST(DataFlashCounts, SectorEdges)
{
    EXPECT_EQ(dataFlashSectorsToErase(1, kAt25df041a, false), 1u);
    EXPECT_EQ(dataFlashSectorsToErase(0x10000, kAt25df041a, false), 1u);
    EXPECT_EQ(dataFlashSectorsToErase(0x10001, kAt25df041a, false), 2u);
    // Never more than the chip has, and every sector with Erase All.
    EXPECT_EQ(dataFlashSectorsToErase(0x400000, kAt25df021, false), 4u);
    EXPECT_EQ(dataFlashSectorsToErase(0x400000, kAt25df321a, false), 64u);
    EXPECT_EQ(dataFlashSectorsToErase(1, kAt25df321a, true), 64u);
    EXPECT_EQ(dataFlashSectorsToErase(1, kAt25df021, true), 4u);
}

TEST(DataFlashCounts, PageEdgesAndTheLastByteIndex)
{
    EXPECT_EQ(dataFlashPagesToProgram(1, kAt25df041a), 1u);
    EXPECT_EQ(dataFlashPagesToProgram(0x10000, kAt25df041a), 256u);
    EXPECT_EQ(dataFlashPagesToProgram(0x10001, kAt25df041a), 257u);
    EXPECT_EQ(dataFlashPagesToProgram(0x400000, kAt25df321a), 16384u);
    EXPECT_EQ(dataFlashPagesToProgram(0x400000, kAt25df021), 1024u);

    EXPECT_EQ(dataFlashLastByteIndex(256, 257, 0x10001), 0x00);
    EXPECT_EQ(dataFlashLastByteIndex(255, 257, 0x10001), 0xFF);
    EXPECT_EQ(dataFlashLastByteIndex(255, 256, 0x10000), 0xFF);
    EXPECT_EQ(dataFlashLastByteIndex(0, 1, 0x2A), 0x29);
}

} // namespace
} // namespace lumetra::programming
