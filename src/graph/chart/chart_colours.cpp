#include "graph/chart/chart_colours.h"

namespace lumetra::graph {

bool isLightColour(std::uint32_t colour)
{
    const std::uint32_t red = colour & 0xFF;
    const std::uint32_t green = (colour >> 8) & 0xFF;
    const std::uint32_t blue = (colour >> 16) & 0xFF;
    // Perceived brightness, weights 299/587/114 per thousand.
    return red * 299 + green * 587 + blue * 114 >= 128 * 1000;
}

ChartColours chartColours(const PrintAppearance& appearance)
{
    ChartColours colours;
    colours.background = appearance.backgroundColour;
    colours.plotArea = appearance.plotAreaColour;
    const bool lightBackground = isLightColour(appearance.backgroundColour);
    colours.text = lightBackground ? kBlack : kWhite;
    colours.minorTick = lightBackground ? kGrey : kSilver;
    colours.grid = kSilver;
    colours.plotText = isLightColour(appearance.plotAreaColour) ? kBlack : kWhite;
    return colours;
}

} // namespace lumetra::graph
