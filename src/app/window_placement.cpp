#include "app/window_placement.h"

namespace lumetra::app {

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
