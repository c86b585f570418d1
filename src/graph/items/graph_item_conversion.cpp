#include "graph/items/graph_item_conversion.h"

namespace lumetra::graph {

GraphChannel channelOf(const CGraphObject& item)
{
    return {item.label, item.address, item.length, item.type, item.precision};
}

GraphChannel channelOf(const CTimeGraphObject& item)
{
    return {item.label, item.address, 0, item.type, item.precision};
}

CGraphObject memoryItemOf(const GraphChannel& channel)
{
    return {channel.label, channel.address, channel.length, channel.type, channel.precision};
}

CTimeGraphObject timeItemOf(const GraphChannel& channel)
{
    return {channel.label, channel.address, channel.type, channel.precision};
}

void assignItems(std::vector<CGraphObject>& items, std::span<const GraphChannel> channels)
{
    items.clear();
    for (const GraphChannel& channel : channels)
        items.push_back(memoryItemOf(channel));
}

void assignItems(std::vector<CTimeGraphObject>& items, std::span<const GraphChannel> channels)
{
    items.clear();
    for (const GraphChannel& channel : channels)
        items.push_back(timeItemOf(channel));
}

} // namespace lumetra::graph
