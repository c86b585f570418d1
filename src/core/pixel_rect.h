// A rectangle in screen pixels: the top left corner and the size.
#pragma once

namespace lumetra::core {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

} // namespace lumetra::core
