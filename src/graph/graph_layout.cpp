#include "graph/graph_layout.h"

#include <algorithm>

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

} // namespace lumetra::graph
