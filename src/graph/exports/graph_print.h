// Printing a graph window: one job per pane in use, each printed white with black lines and the date as its
// title; afterwards the pane has its colours, title and appearance back.
#pragma once

#include "graph/chart/chart_colours.h"
#include "graph/exports/export_result.h"
#include "graph/exports/export_time.h"
#include "graph/exports/graph_export_source.h"

#include "core/user_prompts.h"

namespace lumetra::graph {

// White page, no outer frame, the title row and margins of paper.
inline constexpr PrintAppearance kPrintingAppearance {kWhite, kWhite, false, true};

class PanePrinter {
public:
    virtual ~PanePrinter() = default;
    virtual bool hasDefaultPrinter() const = 0;
    // One print job of pane `pane` (0-based) as it looks now; false when the printer refused it.
    virtual bool printPane(int pane) = 0;
};

// Without a default printer: kNoDefaultPrinterText and nothing printed. A pane the printer refuses is restored
// like the others and the failure shown once (kPrintFailedText) after every pane was tried.
ExportResult printGraph(
    const GraphExportSource& source, PanePrinter& printer, const ExportTime& today, core::UserPrompts& prompts);

} // namespace lumetra::graph
