// The colours a pane is drawn in, from its print appearance: texts and ticks contrast with the background they
// stand on, the grid is dotted silver. All colours 0x00BBGGRR.
#pragma once

#include "graph/chart/strip_chart.h"

#include <cstdint>

namespace lumetra::graph {

inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kSilver = 0xC0C0C0;
inline constexpr std::uint32_t kGrey = 0x808080;

struct ChartColours {
    std::uint32_t background = kBlack;
    std::uint32_t plotArea = kBlack;
    std::uint32_t text = kWhite; // axis labels, major ticks, title, frame
    std::uint32_t minorTick = kSilver;
    std::uint32_t grid = kSilver;
    std::uint32_t plotText = kWhite; // readouts and cursors inside the plot

    bool operator==(const ChartColours&) const = default;
};

bool isLightColour(std::uint32_t colour);
ChartColours chartColours(const PrintAppearance& appearance);

} // namespace lumetra::graph
