#include "app/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace lumetra::app {

namespace {

// The length of [start, start + length) that lies inside [limit, limit + limitLength); wide enough for any ints.
std::int64_t overlap(int start, int length, int limit, int limitLength)
{
    const std::int64_t end = std::min(std::int64_t {start} + length, std::int64_t {limit} + limitLength);
    return end - std::max(start, limit);
}

bool showsUsefulPart(const PixelRect& rect, const PixelRect& screen)
{
    return overlap(rect.left, rect.width, screen.left, screen.width) >= std::min(kMinimumVisibleWidth, rect.width)
        && overlap(rect.top, rect.height, screen.top, screen.height) >= std::min(kMinimumVisibleHeight, rect.height);
}

} // namespace

PixelRect normalWindowRect(const core::WindowLayout& layout, const PixelRect& screen)
{
    PixelRect rect {layout.left, layout.top, layout.right - layout.left, layout.bottom - layout.top};
    if (rect.width < 1 || rect.height < 1) {
        // A damaged rectangle would make the window vanish: the default size at the stored corner instead.
        const core::WindowLayout defaults;
        rect.width = defaults.right - defaults.left;
        rect.height = defaults.bottom - defaults.top;
    }
    if (layout.firstSetup == 0) {
        rect.left = screen.left + (screen.width - rect.width) / 2;
        rect.top = screen.top + (screen.height - rect.height) / 2;
    }
    return rect;
}

PixelRect keepOnScreens(const PixelRect& rect, std::span<const PixelRect> screens, const PixelRect& primary)
{
    if (std::any_of(
            screens.begin(), screens.end(), [&rect](const PixelRect& screen) { return showsUsefulPart(rect, screen); }))
        return rect;
    const int width = std::min(rect.width, primary.width);
    const int height = std::min(rect.height, primary.height);
    return {primary.left + (primary.width - width) / 2, primary.top + (primary.height - height) / 2, width, height};
}

bool opensMaximised(const core::WindowLayout& layout)
{
    return layout.showCmd == kShowMaximised;
}

int showCmdOf(bool maximised, bool minimised)
{
    if (minimised)
        return kShowMinimised;
    return maximised ? kShowMaximised : kShowNormal;
}

void capturePlacement(core::WindowLayout& layout, const PixelRect& normal, int showCmd)
{
    layout.left = normal.left;
    layout.top = normal.top;
    layout.right = normal.left + normal.width;
    layout.bottom = normal.top + normal.height;
    layout.showCmd = showCmd;
}

PixelSize messageWindowSize(const core::WindowLayout& layout, const PixelSize& client)
{
    if (layout.messageWindowWidth >= 1 && layout.messageWindowHeight >= 1)
        return {layout.messageWindowWidth, layout.messageWindowHeight};
    return {client.width / 4, client.height / 6};
}

} // namespace lumetra::app
