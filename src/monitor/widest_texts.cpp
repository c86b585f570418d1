#include "monitor/widest_texts.h"

#include "monitor/value_render.h"

#include <array>
#include <cstdint>

namespace lumetra::monitor {

namespace {

// Raw values whose texts are the widest of every view type: all ones (hexadecimal, unsigned, binary, fixed
// notation of an integer), the sign bits of both widths, and the float -2^31 that truncates to INT32_MIN.
constexpr std::array<std::uint32_t, 4> kWidestRaws {0xFFFFFFFFu, 0x80000000u, 0x00008000u, 0xCF000000u};

template <typename Render> std::string widestOf(Render render)
{
    std::string widest;
    for (const std::uint32_t raw : kWidestRaws) {
        std::string text = render(raw);
        if (text.size() > widest.size())
            widest = std::move(text);
    }
    return widest;
}

} // namespace

std::string widestVariableValueText(ViewType view, DisplayGroup group)
{
    return widestOf([&](std::uint32_t raw) { return renderVariableValue(raw, view, group).value; });
}

std::string widestMemoryCellText(ViewType view)
{
    return widestOf([&](std::uint32_t raw) { return renderMemoryCell(raw, view).value; });
}

} // namespace lumetra::monitor
