#include "graph/ui/qt_pane_printer.h"

#include "graph/drawing/chart_painter.h"
#include "graph/exports/graph_export_source.h"
#include "graph/session/graph_session.h"
#include "graph/ui/strip_chart_widget.h"
#include "graph/ui/window_pictures.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <memory>

namespace lumetra::graph::ui {

QtPanePrinter::QtPanePrinter(std::vector<drawing::PanePicture> panes)
    : panes_(std::move(panes))
{
}

QtPanePrinter::QtPanePrinter(std::vector<drawing::PanePicture> panes, std::vector<QString> pdfFiles)
    : panes_(std::move(panes))
    , pdfFiles_(std::move(pdfFiles))
{
}

bool QtPanePrinter::hasDefaultPrinter() const
{
    return !pdfFiles_.empty() || !QPrinterInfo::defaultPrinter().isNull();
}

bool QtPanePrinter::printPane(int pane)
{
    const auto index = static_cast<std::size_t>(pane);
    if (pane < 0 || index >= panes_.size() || !panes_[index].model)
        return false;
    std::unique_ptr<QPrinter> printer;
    if (pdfFiles_.empty()) {
        printer = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    } else {
        if (index >= pdfFiles_.size())
            return false;
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFiles_[index]);
    }
    printer->setPageOrientation(QPageLayout::Landscape);

    const QSize size = panes_[index].size.isEmpty() ? drawing::kDefaultPictureSize : panes_[index].size;
    QPainter painter;
    if (!painter.begin(printer.get()))
        return false;
    // The pane keeps its screen proportions and text sizes relative to it, scaled to the printable area.
    const QRect page = painter.viewport();
    const double scale = std::min(page.width() / double(size.width()), page.height() / double(size.height()));
    painter.scale(scale, scale);
    drawing::paintChart(painter, QRect(QPoint(0, 0), size), *panes_[index].model);
    return painter.end();
}

bool printGraphPanes(
    const GraphSession& session, const std::vector<StripChartWidget*>& panes, core::UserPrompts& prompts)
{
    QtPanePrinter printer(panePictures(session, panes));
    return printGraph(exportSourceOf(session), printer, currentExportTime(), prompts).ok();
}

} // namespace lumetra::graph::ui
