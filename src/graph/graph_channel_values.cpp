#include "graph/graph_channel_values.h"

#include "graph/graph_session.h"

namespace lumetra::graph {

namespace {

std::vector<double> heldPoints(const StripChart& chart, int line)
{
    std::vector<double> values;
    for (std::size_t position = 0;; ++position) {
        const std::optional<double> value = chart.readPoint(line, position);
        if (!value) {
            return values;
        }
        values.push_back(*value);
    }
}

} // namespace

GraphValues graphValuesOf(const GraphSession& session)
{
    GraphValues graph {session.kind(), session.interval(), {}};
    const std::vector<GraphChannel>& channels = session.channels();
    for (std::size_t c = 0; c < channels.size(); ++c) {
        const int channel = static_cast<int>(c);
        const StripChart& chart = session.pane(session.individual() ? channel : 0);
        graph.channels.push_back({channels[c], heldPoints(chart, session.individual() ? 0 : channel)});
    }
    return graph;
}

} // namespace lumetra::graph
