// The menu bar and the context menu of a graph window: which entries exist, their texts and shortcuts, and
// which are enabled and checked in the window's present state.
#pragma once

#include "graph/items/graph_items.h"
#include "graph/session/graph_commands.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumetra::graph {

struct GraphMenuInputs {
    GraphKind kind = GraphKind::Memory;
    ScaleMode scaleMode = ScaleMode::Automatic;
    bool acquiring = false;
    int channelCount = 0;
    bool individual = false;
    int currentChannel = 1; // 1-based
};

struct GraphMenuEntry {
    GraphCommand command;
    std::string text;
    std::string_view shortcut; // "Ctrl+R"; empty for none
    bool enabled = true;
    bool checked = false;
    bool separatorBefore = false;

    bool operator==(const GraphMenuEntry&) const = default;
};

struct GraphMenu {
    std::string_view title; // "동작(&A)"
    std::vector<GraphMenuEntry> entries;
};

// Whether `command` may run in the window's present state (its entries are greyed otherwise).
bool graphCommandEnabled(GraphCommand command, const GraphMenuInputs& inputs);

// "동작(&A)", "설정(&S)", "채널(&C)" (as many entries as channels; only "채널 1" in the individual layout).
std::vector<GraphMenu> graphMenuBar(const GraphMenuInputs& inputs);
// The graph commands, then after a separator "Channel 1" alone (individual layout) or "Channel %d" per channel.
std::vector<GraphMenuEntry> graphContextMenu(const GraphMenuInputs& inputs);

} // namespace lumetra::graph
