// Port to the three small modal dialogs of a graph window. Each shows its pre-fill, checks OK with the
// matching check of graph_dialog_entries.h (staying open on its message) and returns the accepted entry, or
// nullopt on Cancel.
#pragma once

#include "graph/items/graph_dialog_entries.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra::graph {

class GraphDialogs {
public:
    virtual ~GraphDialogs() = default;
    virtual std::optional<ScaleBounds> askScaleBounds(const ScaleBoundTexts& prefill) = 0;
    virtual std::optional<std::uint32_t> askDecimals(std::string_view prefill) = 0;
    virtual std::optional<std::int32_t> askInterval(std::string_view prefill) = 0;
};

} // namespace lumetra::graph
