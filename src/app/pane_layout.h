// The main window's panes: the width of the splitter handles between them, and how the first start opens.
#pragma once

#include "core/configuration.h"

namespace lumetra::app {

// Wide enough to be grabbed without aiming.
inline constexpr int kSplitterHandleWidth = 7;

// The first start (`FirstSetup` 0) opens maximised over its centred normal rectangle: a window of the default
// size would leave the memory monitor, between the variable monitor and the message window, a handful of rows.
bool opensMaximisedAtFirstStart(const core::WindowLayout& layout);

} // namespace lumetra::app
