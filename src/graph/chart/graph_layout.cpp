#include "graph/chart/graph_layout.h"

#include <algorithm>
#include <cstdlib>

namespace lumetra::graph {

std::vector<PixelRect> paneBands(int width, int height, int paneCount)
{
    if (paneCount <= 1) {
        return {PixelRect {0, 0, width, height}};
    }
    const int band = height / paneCount;
    std::vector<PixelRect> bands;
    for (int k = 0; k < paneCount; ++k) {
        const int top = k * band;
        const int bandHeight = k + 1 < paneCount ? band : height - top;
        bands.push_back({0, top, width, bandHeight});
    }
    return bands;
}

PixelRect graphWindowRect(const PixelRect& mainWindow, int screenWidth, int screenHeight, int channelCount,
    bool individualSelection)
{
    const int height = individualSelection && channelCount >= 2
        ? std::min(kIndividualPaneHeight * channelCount, screenHeight)
        : kGraphWindowHeight;
    int left = mainWindow.left + (mainWindow.width - kGraphWindowWidth) / 2;
    int top = mainWindow.top + (mainWindow.height - height) / 2;
    left = std::min(left, screenWidth - kGraphWindowWidth);
    top = std::min(top, screenHeight - height);
    int right = left + kGraphWindowWidth;
    if (right >= screenWidth) {
        right = left + kGraphWindowWidth - 20;
    }
    int bottom = top + height;
    if (bottom >= screenHeight) {
        bottom -= 30;
    }
    return {left, top, right - left, bottom - top};
}

PixelRect cascadeGraphWindow(
    const PixelRect& opening, const std::vector<PixelRect>& openWindows, int screenWidth, int screenHeight)
{
    const int roomRight
        = std::min(screenWidth - (opening.left + opening.width), screenHeight - (opening.top + opening.height));
    const int roomLeft = std::min(opening.left, opening.top);
    const int step = roomRight >= kCascadeStep || roomLeft < kCascadeStep ? kCascadeStep : -kCascadeStep;
    const int places = 1 + std::max(0, (step > 0 ? roomRight : roomLeft) / kCascadeStep);
    const auto taken = [&](int place) {
        const int left = opening.left + place * step;
        const int top = opening.top + place * step;
        return std::any_of(openWindows.begin(), openWindows.end(), [&](const PixelRect& open) {
            return std::abs(open.left - left) < kCascadeStep / 2 && std::abs(open.top - top) < kCascadeStep / 2;
        });
    };
    int place = 0;
    while (place < places && taken(place))
        ++place;
    if (place == places)
        place = static_cast<int>(openWindows.size() % static_cast<std::size_t>(places));
    return {opening.left + place * step, opening.top + place * step, opening.width, opening.height};
}

} // namespace lumetra::graph
