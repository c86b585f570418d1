#include "monitor/memory_scroll.h"

#include <algorithm>

namespace lumetra::monitor {

ScrollBarState memoryScrollBar(std::uint32_t range, int step, std::uint32_t start, int rowsPerPage)
{
    const std::uint32_t positions = step == 2 ? range / 2 : range;
    return {0, positions == 0 ? 0 : positions - 1, step == 2 ? start / 2 : start,
        static_cast<std::uint32_t>(std::max(rowsPerPage, 0))};
}

std::optional<std::uint32_t> scrolledPosition(
    const ScrollBarState& bar, ScrollAction action, std::uint32_t thumbPosition)
{
    const std::int64_t page = bar.page;
    const std::int64_t lastWholePage = std::max<std::int64_t>(
        bar.minimum, static_cast<std::int64_t>(bar.maximum) - std::max<std::int64_t>(page, 1) + 1);
    const std::int64_t position = bar.position;
    std::int64_t target = position;
    switch (action) {
    case ScrollAction::LineUp:
        target = position - 1;
        break;
    case ScrollAction::LineDown:
        target = position + 1;
        break;
    case ScrollAction::PageUp:
        target = position - page;
        break;
    case ScrollAction::PageDown:
        target = position + page;
        break;
    case ScrollAction::ThumbTrack:
        target = thumbPosition;
        break;
    case ScrollAction::Top:
        target = bar.minimum;
        break;
    case ScrollAction::Bottom:
        target = lastWholePage;
        break;
    case ScrollAction::EndScroll:
        return std::nullopt;
    }
    target = std::clamp<std::int64_t>(target, bar.minimum, lastWholePage);
    if (target == position)
        return std::nullopt;
    return static_cast<std::uint32_t>(target);
}

std::optional<ScrollAction> keyScrollAction(ListKey key, std::optional<std::size_t> currentRow, std::size_t rowCount)
{
    const bool noCurrentRow = !currentRow || *currentRow >= rowCount;
    switch (key) {
    case ListKey::PageUp:
        return ScrollAction::PageUp;
    case ListKey::PageDown:
        return ScrollAction::PageDown;
    case ListKey::Up:
        if (noCurrentRow || *currentRow == 0)
            return ScrollAction::LineUp;
        return std::nullopt;
    case ListKey::Down:
        if (noCurrentRow || *currentRow + 1 == rowCount)
            return ScrollAction::LineDown;
        return std::nullopt;
    }
    return std::nullopt;
}

std::uint32_t startAddressOfPosition(std::uint32_t position, int step)
{
    return step == 2 ? position * 2 : position;
}

} // namespace lumetra::monitor
