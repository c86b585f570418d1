// The picture exports of a graph window's panes as they are drawn on screen.
#pragma once

#include "graph/drawing/pane_pictures.h"

#include "core/user_prompts.h"

#include <string_view>
#include <vector>

namespace lumetra::graph {
class GraphSession;
}

namespace lumetra::graph::ui {

class StripChartWidget;

// The panes in use of the window's session, at their sizes on screen.
std::vector<drawing::PanePicture> panePictures(
    const GraphSession& session, const std::vector<StripChartWidget*>& panes);

// writePanePictures of the window's panes; a failure shows the format's message (error icon).
bool exportPanePictures(GraphExport format, const GraphSession& session, const std::vector<StripChartWidget*>& panes,
    std::string_view chosenPath, core::UserPrompts& prompts);

} // namespace lumetra::graph::ui
