// The points a graph session's panes hold, per channel, read back as a window shows and exports them.
#pragma once

#include "graph/items/graph_items.h"
#include "graph/session/sample_grid.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace lumetra::graph {

class GraphSession;

struct ChannelValues {
    GraphChannel channel;
    std::vector<double> values; // oldest first
};

struct GraphValues {
    GraphKind kind = GraphKind::Memory;
    std::int32_t interval = 0; // ms
    std::vector<ChannelValues> channels;
    // Time graph: when each sample was taken, from the start (oldest first, as the values), and the ticks that
    // fell behind the interval.
    std::vector<std::chrono::microseconds> times;
    SampleLag lag;
};

// Every channel's points as the window's exports take them: complete samples only, up to the sample counter.
GraphValues graphValuesOf(const GraphSession& session);

} // namespace lumetra::graph
