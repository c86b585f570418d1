// Export sources over recording charts: a window's layout, channels and sample counter with points in its panes.
#pragma once

#include "../session/recording_strip_chart.h"

#include "graph/exports/graph_export_source.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace lumetra::graph::test {

struct ExportPanes {
    std::array<RecordingStripChart, kMaxChannels> charts;
    GraphExportSource source;

    // Channels with the given lengths; each pane's capacity as a graph session sets it.
    ExportPanes(GraphKind kind, bool individual, std::vector<std::uint32_t> lengths, std::uint32_t graphLength = 0)
    {
        source.kind = kind;
        source.individual = individual;
        source.colours = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
        for (std::size_t c = 0; c < lengths.size(); ++c)
            source.channels.push_back({"CH" + std::to_string(c + 1), 0x8000, lengths[c], 13, 3});
        for (int p = 0; p < source.paneCount(); ++p) {
            const auto index = static_cast<std::size_t>(p);
            RecordingStripChart& chart = charts[index];
            std::size_t capacity = 5000;
            if (kind == GraphKind::Memory)
                capacity = individual ? lengths[index] : graphLength;
            chart.setCapacity(capacity);
            for (std::size_t c = 0; c < lengths.size(); ++c) {
                if (!individual || c == index)
                    chart.addDataLine(source.channels[c].label, source.colours[c]);
            }
            source.panes[index] = &chart;
            source.paneCapacities[index] = capacity;
        }
        for (RecordingStripChart& chart : charts)
            chart.takeCalls();
    }

    // Plots `samples` samples: channel c gets value f(c, n) for sample n.
    template <typename F> void plot(std::uint32_t samples, F value)
    {
        for (std::uint32_t n = 0; n < samples; ++n) {
            for (std::size_t c = 0; c < source.channels.size(); ++c) {
                if (source.kind == GraphKind::Memory && n >= source.channels[c].length)
                    continue;
                const int pane = source.individual ? static_cast<int>(c) : 0;
                const int line = source.individual ? 0 : static_cast<int>(c);
                charts[static_cast<std::size_t>(pane)].addPoint(line, n, value(c, n));
            }
        }
        source.sampleCounter = samples;
        for (RecordingStripChart& chart : charts)
            chart.takeCalls();
    }
};

} // namespace lumetra::graph::test
