// The text file of a graph window's points: a header with the program, the company and the time of the
// export, then per channel its label and one line per point, in code page 949 with CR LF line ends.
#pragma once

#include "graph/exports/export_result.h"
#include "graph/exports/export_time.h"
#include "graph/exports/graph_export_source.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lumetra::graph {

inline constexpr std::string_view kGraphTextFilter = "텍스트 파일 (*.txt)|*.txt||";
inline constexpr std::string_view kGraphTextExtension = "txt";

// The file's text in UTF-8.
std::string graphTextDocument(const GraphExportSource& source, const ExportTime& time);

// "%04d    %-12f" of one point, without the line end.
std::string graphTextPointLine(std::size_t position, double value);

// Writes the document in code page 949 through a temporary file; on failure an older file stays as it was.
ExportResult writeGraphText(const std::filesystem::path& path, const GraphExportSource& source, const ExportTime& time);

} // namespace lumetra::graph
