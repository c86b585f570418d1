// Prints chart panes through QPrinter: the default printer without a dialog, or PDF files (one per job) for a
// check of the printed page. Each job is one landscape page with the pane scaled to fit it.
#pragma once

#include "graph/drawing/pane_pictures.h"
#include "graph/exports/graph_print.h"

#include <QString>

#include <vector>

namespace lumetra::graph {
class GraphSession;
}

namespace lumetra::graph::ui {

class StripChartWidget;

class QtPanePrinter final : public PanePrinter {
public:
    // Pane p is drawn from `panes[p]` at its size on screen.
    explicit QtPanePrinter(std::vector<drawing::PanePicture> panes);
    // The same, each job p written to `pdfFiles[p]` instead of the default printer.
    QtPanePrinter(std::vector<drawing::PanePicture> panes, std::vector<QString> pdfFiles);

    bool hasDefaultPrinter() const override;
    bool printPane(int pane) override;

private:
    std::vector<drawing::PanePicture> panes_;
    std::vector<QString> pdfFiles_;
};

// The window's print command: every pane in use through the default printer, with the messages of printGraph.
bool printGraphPanes(
    const GraphSession& session, const std::vector<StripChartWidget*>& panes, core::UserPrompts& prompts);

} // namespace lumetra::graph::ui
