// The memory monitor's vertical scroll bar: its range over the whole address space and the start address each
// scroll action leads to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace lumetra::monitor {

struct ScrollBarState {
    std::uint32_t minimum = 0;
    std::uint32_t maximum = 0; // range - 1 with a step of 1, range / 2 - 1 with a step of 2
    std::uint32_t position = 0; // the start address, halved with a step of 2
    std::uint32_t page = 0; // rows per page

    bool operator==(const ScrollBarState&) const = default;
};

ScrollBarState memoryScrollBar(std::uint32_t range, int step, std::uint32_t start, int rowsPerPage);

enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, ThumbTrack, Top, Bottom, EndScroll };

// The position the action leads to, kept between the minimum and the last position that still shows a whole
// page (maximum - page + 1); nullopt for the end of a scroll and for an action that leaves the position where it
// is. thumbPosition is used by ThumbTrack only.
std::optional<std::uint32_t> scrolledPosition(
    const ScrollBarState& bar, ScrollAction action, std::uint32_t thumbPosition = 0);

// Keys over the rows, as a user moves through any list.
enum class ListKey { Up, Down, PageUp, PageDown };

// Page Up and Page Down move a page; an arrow moves the current row within the page and scrolls by a line only
// from the first or the last row, or when no row is current. nullopt: the key moves the current row.
std::optional<ScrollAction> keyScrollAction(ListKey key, std::optional<std::size_t> currentRow, std::size_t rowCount);

// The start address of a scroll bar position.
std::uint32_t startAddressOfPosition(std::uint32_t position, int step);

} // namespace lumetra::monitor
