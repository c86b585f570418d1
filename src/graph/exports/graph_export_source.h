// What the exports read from a graph window: its kind and layout, its channels and their colours, the sample
// counter, the panes with the capacities they were reset to, and a time graph's sample times.
#pragma once

#include "graph/chart/strip_chart.h"
#include "graph/items/graph_items.h"
#include "graph/session/sample_times.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumetra::graph {

class GraphSession;

struct GraphExportSource {
    GraphKind kind = GraphKind::Memory;
    bool individual = false;
    std::vector<GraphChannel> channels;
    ChannelColours colours {};
    std::uint32_t sampleCounter = 0;
    std::array<StripChart*, kMaxChannels> panes {};
    std::array<std::size_t, kMaxChannels> paneCapacities {};
    // A time graph's; null for a memory graph.
    const SampleTimes* sampleTimes = nullptr;

    // One pane per channel in the individual layout, else one (none without channels).
    int paneCount() const;
};

GraphExportSource exportSourceOf(const GraphSession& session);

// Where channel c (0-based) is plotted: pane 1 line c, or in the individual layout pane c line 0.
struct ChannelPlace {
    int pane = 0;
    int line = 0;
};
ChannelPlace channelPlace(const GraphExportSource& source, std::size_t channel);

// The exported values of channel c: positions 0, 1, ... while below the channel's limit (memory graph: its
// length, or its pane's capacity in the individual layout; time graph: the pane's capacity), below the sample
// counter, and readable from the pane.
std::vector<double> exportedPoints(const GraphExportSource& source, std::size_t channel);

// The times of the exported samples, oldest first: position n is the sample of every channel's point n. Empty
// without sample times.
std::vector<std::chrono::microseconds> exportedTimes(const GraphExportSource& source);

} // namespace lumetra::graph
