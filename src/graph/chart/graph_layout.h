// Geometry of a graph window: the bands of its chart panes and its rectangle when it opens.
#pragma once

#include "core/pixel_rect.h"

#include <vector>

namespace lumetra::graph {

using core::PixelRect;

// The rectangles of the panes in use within a client area of `width` x `height`, pane 1 first. One pane
// fills the area; n panes take bands of height / n over the full width, the last one the rest below. The
// panes beyond the returned ones are hidden and disabled.
std::vector<PixelRect> paneBands(int width, int height, int paneCount);

inline constexpr int kGraphWindowWidth = 700;
inline constexpr int kGraphWindowHeight = 500;
inline constexpr int kIndividualPaneHeight = 300;

// The rectangle of a new graph window: 700 wide; 300 per channel (at most the screen height) when each of two
// or more channels gets a pane of its own, else 500; centred on the main window, then pulled back onto the
// screen (whose top left corner is 0, 0), 20 narrower when it reaches the right edge and 30 lower when it
// reaches the bottom.
PixelRect graphWindowRect(const PixelRect& mainWindow, int screenWidth, int screenHeight, int channelCount,
    bool individualSelection);

inline constexpr int kCascadeStep = 30;

// Where a new graph window goes while others are open: `opening` (the rectangle above) moved by kCascadeStep down
// and right, step by step, to the first place where no open window's top left corner lies within half a step;
// towards the top left instead when the screen has no room for a step down and right. When every place the
// screen has room for is taken, the places are used again in turn.
PixelRect cascadeGraphWindow(
    const PixelRect& opening, const std::vector<PixelRect>& openWindows, int screenWidth, int screenHeight);

} // namespace lumetra::graph
