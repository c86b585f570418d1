#include "graph/ui/window_pictures.h"

#include "graph/session/graph_session.h"
#include "graph/ui/strip_chart_widget.h"

namespace lumetra::graph::ui {

std::vector<drawing::PanePicture> panePictures(const GraphSession& session, const std::vector<StripChartWidget*>& panes)
{
    std::vector<drawing::PanePicture> pictures;
    for (int p = 0; p < session.paneCount() && p < static_cast<int>(panes.size()); ++p) {
        const StripChartWidget* widget = panes[static_cast<std::size_t>(p)];
        if (widget)
            pictures.push_back({&widget->model(), widget->size()});
    }
    return pictures;
}

bool exportPanePictures(GraphExport format, const GraphSession& session, const std::vector<StripChartWidget*>& panes,
    std::string_view chosenPath, core::UserPrompts& prompts)
{
    return reportExport(
        drawing::writePanePictures(format, panePictures(session, panes), session.individual(), chosenPath),
        exportDialogOf(format).failureText, prompts);
}

} // namespace lumetra::graph::ui
