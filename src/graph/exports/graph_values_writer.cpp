#include "graph/exports/graph_values_writer.h"

#include "graph/session/sample_times.h"

#include "monitor/data_types.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace lumetra::graph {

namespace {

constexpr std::uint32_t kFloatType = 6;

std::string_view typeName(std::uint32_t type)
{
    return monitor::shortTypeNameOf(type).name;
}

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + '"';
}

std::string jsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

std::size_t longestChannel(const GraphValues& graph)
{
    std::size_t rows = 0;
    for (const ChannelValues& channel : graph.channels) {
        rows = std::max(rows, channel.values.size());
    }
    return rows;
}

} // namespace

std::string sampleValueText(std::uint32_t type, double value)
{
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf";
    }
    // Fixed notation is at most 48 characters for a float (39 integer digits, or 45 decimals of the smallest).
    char text[64];
    const auto written = type == kFloatType
        ? std::to_chars(std::begin(text), std::end(text), static_cast<float>(value), std::chars_format::fixed)
        : std::to_chars(std::begin(text), std::end(text), static_cast<long long>(value));
    return std::string(text, written.ptr);
}

void writeGraphCsv(std::ostream& out, const GraphValues& graph)
{
    const bool time = graph.kind == GraphKind::Time;
    out << (time ? "sample,time_ms" : "index");
    for (const ChannelValues& channel : graph.channels) {
        out << ',' << csvField(channel.channel.label);
    }
    out << '\n';
    const std::size_t rows = std::max(longestChannel(graph), graph.times.size());
    for (std::size_t row = 0; row < rows; ++row) {
        out << row;
        if (time) {
            out << ',' << (row < graph.times.size() ? sampleTimeText(graph.times[row]) : std::string());
        }
        for (const ChannelValues& channel : graph.channels) {
            out << ',';
            if (row < channel.values.size()) {
                out << sampleValueText(channel.channel.type, channel.values[row]);
            }
        }
        out << '\n';
    }
}

void writeGraphJson(std::ostream& out, const GraphValues& graph)
{
    const bool memory = graph.kind == GraphKind::Memory;
    out << "{\n  \"kind\": \"" << (memory ? "memory" : "time") << "\",\n";
    out << "  \"interval\": " << graph.interval << ",\n";
    if (!memory) {
        out << "  \"late\": " << graph.lag.late << ",\n";
        out << "  \"skipped\": " << graph.lag.skipped << ",\n";
        out << "  \"times\": [";
        for (std::size_t n = 0; n < graph.times.size(); ++n) {
            out << (n == 0 ? "" : ", ") << sampleTimeText(graph.times[n]);
        }
        out << "],\n";
    }
    out << "  \"channels\": [";
    for (std::size_t c = 0; c < graph.channels.size(); ++c) {
        const ChannelValues& channel = graph.channels[c];
        out << (c == 0 ? "\n" : ",\n") << "    {\n";
        out << "      \"label\": " << jsonString(channel.channel.label) << ",\n";
        out << "      \"address\": " << channel.channel.address << ",\n";
        out << "      \"type\": " << jsonString(typeName(channel.channel.type)) << ",\n";
        if (memory) {
            out << "      \"length\": " << channel.channel.length << ",\n";
        }
        out << "      \"values\": [";
        for (std::size_t n = 0; n < channel.values.size(); ++n) {
            const double value = channel.values[n];
            out << (n == 0 ? "" : ", ")
                << (std::isfinite(value) ? sampleValueText(channel.channel.type, value) : std::string("null"));
        }
        out << "]\n    }";
    }
    out << (graph.channels.empty() ? "]\n" : "\n  ]\n") << "}\n";
}

std::string sampleLagNotice(const GraphValues& graph)
{
    if (graph.kind != GraphKind::Time || graph.lag == SampleLag {}) {
        return {};
    }
    return "the samples fell behind the interval of " + std::to_string(graph.interval) + " ms: "
        + std::to_string(graph.lag.late) + " late, " + std::to_string(graph.lag.skipped) + " skipped";
}

} // namespace lumetra::graph
