#include "graph/chart/chart_ticks.h"

#include <algorithm>
#include <cmath>
#include <charconv>

namespace lumetra::graph {

namespace {

constexpr int kMaxXLabelDecimals = 3;
constexpr int kMaxLabelDecimals = 15;

bool nearlyWhole(double value)
{
    return std::abs(value - std::round(value)) <= 1e-6 * std::max(1.0, std::abs(value));
}

} // namespace

AxisTicks axisTicks(AxisWindow window)
{
    AxisTicks ticks;
    constexpr int intervals = kMajorTicks - 1;
    const double step = window.width() / intervals;
    const double minorStep = step / (kMinorTicksPerInterval + 1);
    ticks.major.reserve(kMajorTicks);
    ticks.minor.reserve(intervals * kMinorTicksPerInterval);
    for (int major = 0; major < kMajorTicks; ++major) {
        // The last major is the maximum itself, not a sum that may miss it by rounding.
        ticks.major.push_back(major == intervals ? window.maximum : window.minimum + step * major);
        if (major == intervals)
            break;
        for (int minor = 1; minor <= kMinorTicksPerInterval; ++minor)
            ticks.minor.push_back(window.minimum + step * major + minorStep * minor);
    }
    return ticks;
}

std::string fixedLabel(double value, int decimals)
{
    // Independent of the C locale: the decimal separator is always '.'.
    char text[352]; // the widest double with up to 15 decimals fits
    const std::to_chars_result written = std::to_chars(
        text, text + sizeof text, value, std::chars_format::fixed, std::clamp(decimals, 0, kMaxLabelDecimals));
    std::string label(text, written.ptr);
    if (label.size() > 1 && label.front() == '-' && label.find_first_not_of("0.", 1) == std::string::npos)
        label.erase(0, 1);
    return label;
}

AxisWindow widenedFlatWindow(double value, int decimals)
{
    const double unit = std::pow(10.0, -std::clamp(decimals, 0, kMaxLabelDecimals));
    const double halfWidth = std::max(1.0, kMajorTicks / 2 * unit);
    const double rounded = std::round(value / unit) * unit;
    const double centre = std::isfinite(rounded) ? rounded : value;
    return {centre - halfWidth, centre + halfWidth};
}

int xLabelDecimals(AxisWindow window)
{
    const double step = window.width() / (kMajorTicks - 1);
    double scale = 1.0;
    for (int decimals = 0; decimals < kMaxXLabelDecimals; ++decimals, scale *= 10.0) {
        if (nearlyWhole(step * scale) && nearlyWhole(window.minimum * scale))
            return decimals;
    }
    return kMaxXLabelDecimals;
}

} // namespace lumetra::graph
