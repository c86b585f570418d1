// Port to a graph window's status bar, and the panes it is built with.
#pragma once

#include "graph/items/graph_items.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace lumetra::graph {

class GraphStatusView {
public:
    virtual ~GraphStatusView() = default;
    // The general message pane (the prompt of a highlighted menu entry).
    virtual void showMessage(std::string_view text) = 0;
    virtual void showScaleText(std::string_view text) = 0;
    virtual void showDecimalsText(std::string_view text) = 0;
    virtual void showChannelText(std::string_view text) = 0;
    // Memory graph: `samples` of `length` read.
    virtual void showProgress(std::uint32_t samples, std::uint32_t length) = 0;
    virtual void clearProgress() = 0;
    // Time graph: the animated indicator running or stopped.
    virtual void showAcquisitionRunning(bool running) = 0;
    // Time graph: the ticks that fell behind the interval.
    virtual void showLagText(std::string_view text) = 0;
};

enum class GraphStatusPaneRole { Message, Scale, Decimals, Channel, Activity, Lag };

struct GraphStatusPane {
    GraphStatusPaneRole role;
    int width;
    std::string_view initialText;
};

// The panes in order with their widths and first texts. The activity pane holds a progress bar (memory graph)
// or, narrowed, the indicator (time graph); a time graph ends with the pane of its late and skipped ticks.
std::vector<GraphStatusPane> graphStatusPanes(GraphKind kind);

} // namespace lumetra::graph
