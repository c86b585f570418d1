// The graph values the main window keeps between runs: the environment record's interval ("Graph Interval"),
// and per graph kind the manual bound texts, scale mode, selection mode ("개별적 그래프 그리기") and the four
// channel colours.
#pragma once

#include "core/settings_store.h"
#include "graph/items/graph_dialog_entries.h"
#include "graph/items/graph_items.h"

#include <string>

namespace lumetra::graph {

struct GraphKindSettings {
    std::string maxText; // the manual bounds as typed
    std::string minText;
    ScaleMode scaleMode = ScaleMode::Automatic;
    bool separateGraphs = false; // the selection mode: each channel in a graph of its own
    ChannelColours colours {};

    bool operator==(const GraphKindSettings&) const = default;
};

struct GraphSettings {
    GraphEnvironment environment; // zeroed at start but for the interval
    GraphKindSettings memory;
    GraphKindSettings time;

    GraphKindSettings& of(GraphKind kind) { return kind == GraphKind::Memory ? memory : time; }
    const GraphKindSettings& of(GraphKind kind) const { return kind == GraphKind::Memory ? memory : time; }

    bool operator==(const GraphSettings&) const = default;
};

// "Graph Env" and "Graph Color", with their defaults where a value is absent.
GraphSettings loadGraphSettings(const core::SettingsStore& store);
void saveGraphSettings(core::SettingsStore& store, const GraphSettings& settings);

// The manual bounds the stored texts give, read as the "수동 Scale" dialog reads them; -10 to 10 when they do not
// give two different bounds.
ScaleBounds storedScaleBounds(const GraphKindSettings& settings);

// The colour "Default" gives a channel (0..3) of a kind: the stored value's default.
std::uint32_t defaultChannelColour(GraphKind kind, int channel);

} // namespace lumetra::graph
