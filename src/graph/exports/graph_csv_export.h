// The points of a graph window as comma-separated values: a header row with the channel labels, then one row
// per position with each channel's value (empty where a channel has no point), UTF-8, CR LF, fields quoted
// where they hold a comma, a quote or a line break. A time graph has the time of each sample (milliseconds
// from the start, three decimals) in a column after the position.
#pragma once

#include "graph/exports/export_result.h"
#include "graph/exports/graph_export_source.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lumetra::graph {

inline constexpr std::string_view kGraphCsvFilter = "CSV 파일 (*.csv)|*.csv||";
inline constexpr std::string_view kGraphCsvExtension = "csv";
inline constexpr std::string_view kCsvPositionHeader = "위치";
inline constexpr std::string_view kCsvTimeHeader = "시간(ms)";
// Starts a CSV file, so that spreadsheet programs read it as UTF-8 rather than in the system's code page.
inline constexpr std::string_view kCsvByteOrderMark = "\xEF\xBB\xBF";

// One field, quoted when it must be.
std::string csvField(std::string_view text);

std::string graphCsvDocument(const GraphExportSource& source);

// The document after kCsvByteOrderMark.
ExportResult writeGraphCsv(const std::filesystem::path& path, const GraphExportSource& source);

} // namespace lumetra::graph
