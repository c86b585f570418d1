// A graph's points as text for other programs: CSV with one row per sample, or one JSON object.
#pragma once

#include "graph/exports/graph_channel_values.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace lumetra::graph {

// A plotted value exactly: integer types as integers, "float" in fixed notation with the fewest digits that read
// back as the same single-precision value; "nan", "inf" and "-inf" for the non-finite floats.
std::string sampleValueText(std::uint32_t type, double value);

// A header row ("index" for a memory graph, "sample,time_ms" for a time graph, then the labels), then one row
// per position; a channel with fewer points leaves its cells empty. A sample's time is in milliseconds from the
// start with three decimals. Lines end in "\n".
void writeGraphCsv(std::ostream& out, const GraphValues& graph);

// {"kind": "memory"|"time", "interval": ms, time graph: "late", "skipped" (tick counts), "times": [ms, ...],
// then "channels": [{"label", "address", "type", "length" (memory graph), "values": [...]}]}; a non-finite value
// is null.
void writeGraphJson(std::ostream& out, const GraphValues& graph);

// A time graph whose ticks fell behind its interval: "the samples fell behind the interval of 10 ms: 12 late,
// 3 skipped"; empty otherwise.
std::string sampleLagNotice(const GraphValues& graph);

} // namespace lumetra::graph
