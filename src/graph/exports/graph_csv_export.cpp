#include "graph/exports/graph_csv_export.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

namespace lumetra::graph {

namespace {

constexpr std::string_view kRowEnd = "\r\n";

// The shortest text that reads back as the same double.
std::string valueText(double value)
{
    char text[64];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

} // namespace

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string graphCsvDocument(const GraphExportSource& source)
{
    std::vector<std::vector<double>> columns;
    const std::vector<std::chrono::microseconds> times = exportedTimes(source);
    std::size_t rows = times.size();
    std::string text = csvField(kCsvPositionHeader);
    if (source.sampleTimes) {
        text += ',';
        text += csvField(kCsvTimeHeader);
    }
    for (std::size_t c = 0; c < source.channels.size(); ++c) {
        text += ',';
        text += csvField(source.channels[c].label);
        columns.push_back(exportedPoints(source, c));
        rows = std::max(rows, columns.back().size());
    }
    text += kRowEnd;

    for (std::size_t n = 0; n < rows; ++n) {
        text += std::to_string(n);
        if (source.sampleTimes) {
            text += ',';
            if (n < times.size())
                text += sampleTimeText(times[n]);
        }
        for (const std::vector<double>& column : columns) {
            text += ',';
            if (n < column.size())
                text += valueText(column[n]);
        }
        text += kRowEnd;
    }
    return text;
}

ExportResult writeGraphCsv(const std::filesystem::path& path, const GraphExportSource& source)
{
    const std::string text = std::string(kCsvByteOrderMark) + graphCsvDocument(source);
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    return exportResultOf(core::writeFileAtomically(path, std::span(data, text.size())));
}

} // namespace lumetra::graph
