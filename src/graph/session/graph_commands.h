// The commands of a graph window and the status bar prompt of each ("prompt\ntip"; the channel entries have a
// prompt only).
#pragma once

#include <string_view>

namespace lumetra::graph {

enum class GraphCommand {
    Redraw,
    Start,
    Stop,
    Print,
    SaveMetafile,
    SaveText,
    SaveCsv,
    SaveSvg,
    SavePdf,
    SavePng,
    AutoScale,
    ManualScale,
    Decimals,
    TimeInterval,
    Channel1,
    Channel2,
    Channel3,
    Channel4,
};

// The command of channel k (1 to 4).
GraphCommand channelCommand(int channel);
// 1 to 4 for a channel command, 0 for any other.
int channelOf(GraphCommand command);

// The whole text, prompt and tip separated by one line break.
std::string_view graphCommandStatusText(GraphCommand command);
// The part before the line break: what the general message pane shows while the entry is highlighted.
std::string_view graphCommandPrompt(GraphCommand command);

} // namespace lumetra::graph
