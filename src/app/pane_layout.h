// The main window's panes: the width of the splitter handles between them, and how the first start opens.
#pragma once

#include "app/window_placement.h"

#include "core/configuration.h"

namespace lumetra::app {

// Wide enough to be grabbed without aiming.
inline constexpr int kSplitterHandleWidth = 7;

// The first start (`FirstSetup` 0) opens maximised, over a normal rectangle that is the whole available screen
// area (where no window manager maximises, the window still covers it): a window of the default size would leave
// the memory monitor, between the variable monitor and the message window, a handful of rows.
bool opensMaximisedAtFirstStart(const core::WindowLayout& layout);
PixelRect firstStartWindowRect(const PixelRect& screen);

} // namespace lumetra::app
