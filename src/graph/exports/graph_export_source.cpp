#include "graph/exports/graph_export_source.h"

#include "graph/session/graph_session.h"

#include <algorithm>
#include <optional>

namespace lumetra::graph {

int GraphExportSource::paneCount() const
{
    if (channels.empty())
        return 0;
    return individual ? static_cast<int>(std::min<std::size_t>(channels.size(), kMaxChannels)) : 1;
}

GraphExportSource exportSourceOf(const GraphSession& session)
{
    GraphExportSource source;
    source.kind = session.kind();
    source.individual = session.individual();
    source.channels = session.channels();
    source.colours = session.colours();
    source.sampleCounter = session.sampleCounter();
    if (session.kind() == GraphKind::Time)
        source.sampleTimes = &session.sampleTimes();
    for (int p = 0; p < session.paneCount(); ++p) {
        source.panes[static_cast<std::size_t>(p)] = &session.pane(p);
        source.paneCapacities[static_cast<std::size_t>(p)] = session.paneCapacity(p);
    }
    return source;
}

ChannelPlace channelPlace(const GraphExportSource& source, std::size_t channel)
{
    if (source.individual)
        return {static_cast<int>(channel), 0};
    return {0, static_cast<int>(channel)};
}

std::vector<double> exportedPoints(const GraphExportSource& source, std::size_t channel)
{
    std::vector<double> values;
    if (channel >= source.channels.size() || channel >= kMaxChannels)
        return values;
    const ChannelPlace place = channelPlace(source, channel);
    const StripChart* pane = source.panes[static_cast<std::size_t>(place.pane)];
    if (!pane)
        return values;

    std::size_t limit = source.paneCapacities[static_cast<std::size_t>(place.pane)];
    if (source.kind == GraphKind::Memory && !source.individual)
        limit = source.channels[channel].length;
    limit = std::min<std::size_t>(limit, source.sampleCounter);

    values.reserve(limit);
    for (std::size_t n = 0; n < limit; ++n) {
        const std::optional<double> value = pane->readPoint(place.line, n);
        if (!value)
            break;
        values.push_back(*value);
    }
    return values;
}

std::vector<std::chrono::microseconds> exportedTimes(const GraphExportSource& source)
{
    std::vector<std::chrono::microseconds> times;
    if (!source.sampleTimes)
        return times;
    const std::size_t count = std::min<std::size_t>(source.sampleTimes->size(), source.sampleCounter);
    times.reserve(count);
    for (std::size_t n = 0; n < count; ++n)
        times.push_back(source.sampleTimes->at(n));
    return times;
}

} // namespace lumetra::graph
