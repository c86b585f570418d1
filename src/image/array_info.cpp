#include "image/array_info.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace lumetra::image {

namespace {

constexpr std::size_t kShownDimensions = 4;

template <typename Dimension> std::string dimensionsText(std::span<const Dimension> dimensions)
{
    constexpr std::string_view kPrefix = "Array Info : ";
    // The prefix and at most four "[4294967295]".
    std::array<char, kPrefix.size() + kShownDimensions * 12> text {};
    char* end = std::copy(kPrefix.begin(), kPrefix.end(), text.data());
    for (const Dimension dimension : dimensions.first(std::min(dimensions.size(), kShownDimensions))) {
        *end++ = '[';
        end = std::to_chars(end, text.data() + text.size(), dimension).ptr;
        *end++ = ']';
    }
    return std::string(text.data(), end);
}

} // namespace

std::string arrayInfoText(const std::array<std::uint16_t, 4>& dimensions)
{
    std::size_t shown = dimensions.size();
    while (shown > 1 && dimensions[shown - 1] == 0)
        --shown;
    return dimensionsText(std::span<const std::uint16_t>(dimensions.data(), shown));
}

std::string arrayInfoText(std::span<const std::uint32_t> dimensions)
{
    if (dimensions.empty())
        return {};
    return dimensionsText(dimensions);
}

} // namespace lumetra::image
