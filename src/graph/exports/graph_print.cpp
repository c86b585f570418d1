#include "graph/exports/graph_print.h"

#include <algorithm>

namespace lumetra::graph {

namespace {

// Lines of pane p: every channel's in the single pane, the one line of an individual pane.
int linesOf(const GraphExportSource& source, const StripChart& pane)
{
    const int lines = pane.dataLineCount();
    return source.individual ? std::min(lines, 1) : lines;
}

std::uint32_t channelColour(const GraphExportSource& source, int pane, int line)
{
    const int channel = source.individual ? pane : line;
    return source.colours[static_cast<std::size_t>(std::clamp(channel, 0, kMaxChannels - 1))];
}

bool printOnePane(
    const GraphExportSource& source, int p, StripChart& pane, PanePrinter& printer, const std::string& title)
{
    const PrintAppearance screen = pane.printAppearance();
    pane.beginRefresh();
    pane.setPrintAppearance(kPrintingAppearance);
    const int lines = linesOf(source, pane);
    for (int line = 0; line < lines; ++line)
        pane.setLineColour(line, kBlack);
    pane.setTitle(title);

    const bool printed = printer.printPane(p);

    pane.setTitle("");
    for (int line = 0; line < lines; ++line)
        pane.setLineColour(line, channelColour(source, p, line));
    pane.setPrintAppearance(screen);
    pane.endRefresh();
    return printed;
}

} // namespace

ExportResult printGraph(
    const GraphExportSource& source, PanePrinter& printer, const ExportTime& today, core::UserPrompts& prompts)
{
    if (!printer.hasDefaultPrinter()) {
        prompts.showMessage(core::MessageIcon::Error, kNoDefaultPrinterText);
        return {ExportFailure::PrintFailed, {}};
    }
    const std::string title = printDateTitle(today);
    bool allPrinted = true;
    for (int p = 0; p < source.paneCount(); ++p) {
        StripChart* pane = source.panes[static_cast<std::size_t>(p)];
        if (pane && !printOnePane(source, p, *pane, printer, title))
            allPrinted = false;
    }
    if (!allPrinted) {
        prompts.showMessage(core::MessageIcon::Error, kPrintFailedText);
        return {ExportFailure::PrintFailed, {}};
    }
    return {};
}

} // namespace lumetra::graph
