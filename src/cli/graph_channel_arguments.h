// The channels of lumetra-cli graph: "ADDR:LENGTH:TYPE[:LABEL]" (memory graph) or "ADDR:TYPE[:LABEL]" (time graph),
// checked as the item dialogs check their editor.
#pragma once

#include "graph/items/graph_items.h"

#include <string>
#include <variant>
#include <vector>

namespace lumetra::cli {

// The error of the first argument that is refused, or the channels in order. A channel without a label is
// "CH<n>" after its position; two channels with one label are refused.
std::variant<std::string, std::vector<graph::GraphChannel>> parseGraphChannels(
    graph::GraphKind kind, const std::vector<std::string>& arguments);

} // namespace lumetra::cli
