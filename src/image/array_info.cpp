#include "image/array_info.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace lumetra::image {

std::string arrayInfoText(const std::array<std::uint16_t, 4>& dimensions)
{
    std::size_t shown = dimensions.size();
    while (shown > 1 && dimensions[shown - 1] == 0)
        --shown;
    constexpr std::string_view kPrefix = "Array Info : ";
    // The prefix and at most four "[65535]".
    std::array<char, kPrefix.size() + 4 * 7> text {};
    char* end = std::copy(kPrefix.begin(), kPrefix.end(), text.data());
    for (std::size_t n = 0; n < shown; ++n) {
        *end++ = '[';
        end = std::to_chars(end, text.data() + text.size(), dimensions[n]).ptr;
        *end++ = ']';
    }
    return std::string(text.data(), end);
}

} // namespace lumetra::image
