// The memory monitor's address rules: the gap map of the LF240xA rows, the start address entry and its clamps,
// and the scroll bar mapping.
#include "monitor/memory_gap_map.h"
#include "monitor/memory_scroll.h"
#include "monitor/start_address_entry.h"

#include <gtest/gtest.h>

namespace lumetra::monitor {
namespace {

constexpr std::uint32_t k16BitRange = 0x10000;
constexpr std::uint32_t k22BitRange = 0x400000;

TEST(MemoryGapMap, Lf2401aRowsHaveFourGapsLf2407aThreeOthersNone)
{
    for (const int row : {0, 3}) {
        EXPECT_FALSE(inMemoryGap(row, 0x007F, 1));
        EXPECT_TRUE(inMemoryGap(row, 0x0080, 1));
        EXPECT_TRUE(inMemoryGap(row, 0x00FF, 1));
        EXPECT_FALSE(inMemoryGap(row, 0x0100, 1));
        EXPECT_FALSE(inMemoryGap(row, 0x04FF, 1));
        EXPECT_TRUE(inMemoryGap(row, 0x0500, 1));
        EXPECT_TRUE(inMemoryGap(row, 0x07FF, 1));
        EXPECT_FALSE(inMemoryGap(row, 0x0800, 1));
        EXPECT_TRUE(inMemoryGap(row, 0x1000, 1));
        EXPECT_TRUE(inMemoryGap(row, 0x6FFF, 1));
        EXPECT_FALSE(inMemoryGap(row, 0x7000, 1));
        EXPECT_TRUE(inMemoryGap(row, 0x8000, 1));
        EXPECT_TRUE(inMemoryGap(row, 0xFFFF, 1));
    }
    for (const int row : {4, 5}) {
        EXPECT_TRUE(inMemoryGap(row, 0x0080, 1));
        EXPECT_TRUE(inMemoryGap(row, 0x6FFF, 1));
        EXPECT_FALSE(inMemoryGap(row, 0x8000, 1));
        EXPECT_FALSE(inMemoryGap(row, 0xFFFF, 1));
    }
    for (const int row : {6, 26, 70, -1, 200})
        EXPECT_FALSE(inMemoryGap(row, 0x0080, 1));
}

TEST(MemoryGapMap, TwoWordCellsSeeEachGapOneWordEarlier)
{
    EXPECT_TRUE(inMemoryGap(0, 0x007F, 2));
    EXPECT_FALSE(inMemoryGap(0, 0x007E, 2));
    EXPECT_TRUE(inMemoryGap(0, 0x04FF, 2));
    EXPECT_TRUE(inMemoryGap(0, 0x0FFF, 2));
    EXPECT_TRUE(inMemoryGap(0, 0x7FFF, 2));
    EXPECT_FALSE(inMemoryGap(4, 0x7FFF, 2));
    EXPECT_FALSE(inMemoryGap(0, 0x0100, 2));
}

TEST(StartAddressEntry, DecimalUnlessMarkedHexadecimalEmptyRefused)
{
    EXPECT_EQ(parseStartAddressEntry("100").value, 0x0064u);
    EXPECT_EQ(parseStartAddressEntry("100h").value, 0x0100u);
    EXPECT_EQ(parseStartAddressEntry("0x100").value, 0x0100u);
    EXPECT_EQ(parseStartAddressEntry(" 3F8000H ").value, 0x3F8000u);
    EXPECT_EQ(parseStartAddressEntry("-1").value, 0xFFFFFFFFu); // the clamp makes it 0
    EXPECT_EQ(parseStartAddressEntry("").value, std::nullopt);
    EXPECT_EQ(parseStartAddressEntry("   ").refusal, "주소값을 입력하십시요.");
}

TEST(StartAddressEntry, ATextThatIsNotWhollyANumberIsRefused)
{
    for (const char* text : {"abc", "12abc", "3F8000", "0x3F8000G", "1.5", "0x"}) {
        SCOPED_TRACE(text);
        const StartAddressEntry entry = parseStartAddressEntry(text);
        EXPECT_EQ(entry.value, std::nullopt);
        EXPECT_EQ(entry.refusal, "주소 입력이 잘못되었읍니다.");
    }
}

TEST(StartAddressEntry, ClampsKeepAWholePageInsideTheRange)
{
    EXPECT_EQ(clampEnteredStartAddress(0x3FFFFF, k22BitRange, 1, 30), 0x3FFFE1u);
    EXPECT_EQ(clampEnteredStartAddress(0x3FFFFF, k22BitRange, 2, 30), 0x3FFFC2u);
    EXPECT_EQ(clampEnteredStartAddress(0x500000, k22BitRange, 1, 0), 0x3FFFFFu);
    EXPECT_EQ(clampEnteredStartAddress(0xFFFFFFFF, k22BitRange, 1, 30), 0u); // "-1"
    EXPECT_EQ(clampEnteredStartAddress(0x80000000, k16BitRange, 1, 30), 0u);
    EXPECT_EQ(clampEnteredStartAddress(0xFFFF, k16BitRange, 2, 0), 0xFFFEu);
    EXPECT_EQ(clampEnteredStartAddress(0x1235, k16BitRange, 2, 30), 0x1234u);
    EXPECT_EQ(clampEnteredStartAddress(0x1235, k16BitRange, 1, 30), 0x1235u);
    // value + step x rows reaching the range exactly is already too far.
    EXPECT_EQ(clampEnteredStartAddress(0xFFE2, k16BitRange, 1, 30), 0xFFE1u);
    EXPECT_EQ(clampEnteredStartAddress(0xFFE1, k16BitRange, 1, 30), 0xFFE1u);
    // A page longer than the address space starts at 0.
    EXPECT_EQ(clampEnteredStartAddress(5, k16BitRange, 2, 0x9000), 0u);
}

TEST(StartAddressEntry, StoredStartKeptBelowTheRangeAndEvenForTwoWordCells)
{
    EXPECT_EQ(keepStartAddressValid(0xFFFF, k16BitRange, 2), 0xFFFEu);
    EXPECT_EQ(keepStartAddressValid(0x3F8001, k16BitRange, 1), 0xFFFFu);
    EXPECT_EQ(keepStartAddressValid(0x3F8001, k22BitRange, 1), 0x3F8001u);
}

TEST(MemoryScrollBar, RangeAndPositionByStep)
{
    EXPECT_EQ(memoryScrollBar(k16BitRange, 1, 0x1235, 20), (ScrollBarState {0, 0xFFFF, 0x1235, 20}));
    EXPECT_EQ(memoryScrollBar(k16BitRange, 2, 0x1234, 20), (ScrollBarState {0, 0x7FFF, 0x091A, 20}));
    EXPECT_EQ(memoryScrollBar(k22BitRange, 2, 0x3F8000, 30), (ScrollBarState {0, 0x1FFFFF, 0x1FC000, 30}));
    EXPECT_EQ(startAddressOfPosition(0x091A, 2), 0x1234u);
    EXPECT_EQ(startAddressOfPosition(0x091A, 1), 0x091Au);
}

TEST(MemoryScrollBar, ActionsMoveWithinTheLastWholePage)
{
    const ScrollBarState bar {0, 0xFFFF, 0x100, 20};
    EXPECT_EQ(scrolledPosition(bar, ScrollAction::LineUp), 0xFFu);
    EXPECT_EQ(scrolledPosition(bar, ScrollAction::LineDown), 0x101u);
    EXPECT_EQ(scrolledPosition(bar, ScrollAction::PageUp), 0x100u - 20);
    EXPECT_EQ(scrolledPosition(bar, ScrollAction::PageDown), 0x100u + 20);
    EXPECT_EQ(scrolledPosition(bar, ScrollAction::ThumbTrack, 0x4000), 0x4000u);
    EXPECT_EQ(scrolledPosition(bar, ScrollAction::Top), 0u);
    EXPECT_EQ(scrolledPosition(bar, ScrollAction::Bottom), 0xFFFFu - 20 + 1);
    EXPECT_EQ(scrolledPosition(bar, ScrollAction::EndScroll), std::nullopt);
    EXPECT_EQ(scrolledPosition(bar, ScrollAction::ThumbTrack, 0x100), std::nullopt);

    const ScrollBarState top {0, 0xFFFF, 0, 20};
    EXPECT_EQ(scrolledPosition(top, ScrollAction::LineUp), std::nullopt);
    EXPECT_EQ(scrolledPosition(top, ScrollAction::PageUp), std::nullopt);
    const ScrollBarState bottom {0, 0xFFFF, 0xFFEC, 20};
    EXPECT_EQ(scrolledPosition(bottom, ScrollAction::PageDown), std::nullopt);
    EXPECT_EQ(scrolledPosition(bottom, ScrollAction::ThumbTrack, 0xFFFF), std::nullopt);
    EXPECT_EQ(scrolledPosition(bottom, ScrollAction::LineUp), 0xFFEBu);
}

TEST(MemoryScrollKeys, PagesAlwaysScrollArrowsOnlyFromTheEdgeRows)
{
    EXPECT_EQ(keyScrollAction(ListKey::PageUp, 3, 10), ScrollAction::PageUp);
    EXPECT_EQ(keyScrollAction(ListKey::PageDown, std::nullopt, 0), ScrollAction::PageDown);
    EXPECT_EQ(keyScrollAction(ListKey::Up, 0, 10), ScrollAction::LineUp);
    EXPECT_EQ(keyScrollAction(ListKey::Up, 1, 10), std::nullopt);
    EXPECT_EQ(keyScrollAction(ListKey::Down, 8, 10), std::nullopt);
    EXPECT_EQ(keyScrollAction(ListKey::Down, 9, 10), ScrollAction::LineDown);
    // Without rows (address monitoring off) or a current row the arrows scroll.
    EXPECT_EQ(keyScrollAction(ListKey::Down, std::nullopt, 0), ScrollAction::LineDown);
    EXPECT_EQ(keyScrollAction(ListKey::Up, std::nullopt, 10), ScrollAction::LineUp);
    EXPECT_EQ(keyScrollAction(ListKey::Down, 12, 10), ScrollAction::LineDown);
}

} // namespace
} // namespace lumetra::monitor
