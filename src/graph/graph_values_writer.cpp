#include "graph/graph_values_writer.h"

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
    out << (graph.kind == GraphKind::Memory ? "index" : "sample");
    for (const ChannelValues& channel : graph.channels) {
        out << ',' << csvField(channel.channel.label);
    }
    out << '\n';
    const std::size_t rows = longestChannel(graph);
    for (std::size_t row = 0; row < rows; ++row) {
        out << row;
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

} // namespace lumetra::graph
