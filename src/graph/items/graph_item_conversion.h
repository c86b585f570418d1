// Catalogue items of either kind to and from the channel record the item dialog and the graph windows work on
// (a time graph item has no length: its channel carries 0).
#pragma once

#include "graph/items/graph_items.h"

#include <span>
#include <vector>

namespace lumetra::graph {

GraphChannel channelOf(const CGraphObject& item);
GraphChannel channelOf(const CTimeGraphObject& item);

CGraphObject memoryItemOf(const GraphChannel& channel);
CTimeGraphObject timeItemOf(const GraphChannel& channel);

template <typename Item> std::vector<GraphChannel> channelsOf(const std::vector<Item>& items)
{
    std::vector<GraphChannel> channels;
    channels.reserve(items.size());
    for (const Item& item : items)
        channels.push_back(channelOf(item));
    return channels;
}

// Replaces `items` with copies of the channels, in their order.
void assignItems(std::vector<CGraphObject>& items, std::span<const GraphChannel> channels);
void assignItems(std::vector<CTimeGraphObject>& items, std::span<const GraphChannel> channels);

} // namespace lumetra::graph
