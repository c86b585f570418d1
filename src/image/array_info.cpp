#include "image/array_info.h"

namespace lumetra::image {

std::string arrayInfoText(const std::array<std::uint16_t, 4>& dimensions)
{
    std::size_t shown = dimensions.size();
    while (shown > 1 && dimensions[shown - 1] == 0)
        --shown;
    std::string text = "Array Info : ";
    for (std::size_t n = 0; n < shown; ++n)
        text += "[" + std::to_string(dimensions[n]) + "]";
    return text;
}

} // namespace lumetra::image
