#include "graph/exports/graph_channel_values.h"

#include "graph/exports/graph_export_source.h"
#include "graph/session/graph_session.h"

namespace lumetra::graph {

GraphValues graphValuesOf(const GraphSession& session)
{
    const GraphExportSource source = exportSourceOf(session);
    GraphValues graph {session.kind(), session.interval(), {}, exportedTimes(source), session.sampleLag()};
    for (std::size_t c = 0; c < source.channels.size(); ++c)
        graph.channels.push_back({source.channels[c], exportedPoints(source, c)});
    return graph;
}

} // namespace lumetra::graph
