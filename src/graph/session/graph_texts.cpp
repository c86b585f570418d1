#include "graph/session/graph_texts.h"

#include "graph/items/three_decimals.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumetra::graph {

namespace {

// Toward zero, held within the int range.
int truncated(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(std::clamp(value, lowest, highest)));
}

} // namespace

std::string scaleText(ScaleMode mode, std::uint32_t decimals, double maximum, double minimum)
{
    if (mode == ScaleMode::Automatic) {
        return std::string(kAutomaticScaleText);
    }
    if (decimals == 0) {
        return "Max:" + std::to_string(truncated(maximum)) + ", Min:" + std::to_string(truncated(minimum));
    }
    return "Max:" + threeDecimals(maximum) + ", Min:" + threeDecimals(minimum);
}

std::string_view graphWindowTitle(GraphKind kind)
{
    return kind == GraphKind::Memory ? "메모리 그래프" : "시간 그래프";
}

std::string decimalsText(std::uint32_t decimals)
{
    return "소숫점:" + std::to_string(decimals);
}

std::string sampleLagText(const SampleLag& lag)
{
    return "늦음:" + std::to_string(lag.late) + ", 건너뜀:" + std::to_string(lag.skipped);
}

std::string channelText(int channel)
{
    return "CH" + std::to_string(channel);
}

} // namespace lumetra::graph
