#include "app/pane_layout.h"

namespace lumetra::app {

bool opensMaximisedAtFirstStart(const core::WindowLayout& layout)
{
    return layout.firstSetup == 0;
}

PixelRect firstStartWindowRect(const PixelRect& screen)
{
    return screen;
}

} // namespace lumetra::app
