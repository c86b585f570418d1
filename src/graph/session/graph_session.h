// The logic of one graph window: its channels and panes, acquisition through the link on its one-shot timer,
// the scaling, decimals and channel commands, and the state its status bar and menus show.
#pragma once

#include "graph/chart/strip_chart.h"
#include "graph/items/graph_items.h"
#include "graph/session/graph_clock.h"
#include "graph/session/graph_dialogs.h"
#include "graph/session/graph_menu.h"
#include "graph/session/graph_ports.h"
#include "graph/session/graph_status_view.h"
#include "graph/session/sample_grid.h"
#include "graph/session/sample_reader.h"
#include "graph/session/sample_times.h"

#include "core/user_prompts.h"
#include "link/pod_link.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumetra::graph {

class GraphSessionRegistry;

inline constexpr std::uint32_t kMaxMemoryChannelLength = 5000;
inline constexpr std::size_t kTimeGraphCapacity = 5000;
inline constexpr double kTimeGraphSpan = 200.0;

struct GraphSessionSetup {
    GraphEnvironment environment;
    bool selectionMode = false; // "개별적 그래프 그리기" was checked
    std::vector<GraphChannel> channels; // the selection of this kind, at most four
    ChannelColours colours {}; // of this kind
};

struct GraphSessionPorts {
    link::CPodLink& link;
    GraphTimer& timer;
    GraphHost& host;
    core::UserPrompts& prompts;
    GraphStatusView& status;
    GraphDialogs& dialogs;
    GraphClock& clock;
    // Panes 1 to 4; those in use must be set.
    std::array<StripChart*, kMaxChannels> panes {};
    GraphSessionRegistry* registry = nullptr;
};

class GraphSession {
public:
    GraphSession(GraphSessionSetup setup, const GraphSessionPorts& ports);
    // Closes the session and leaves the registry.
    ~GraphSession();
    GraphSession(const GraphSession&) = delete;
    GraphSession& operator=(const GraphSession&) = delete;

    // --- commands ---

    // The window has opened: scale and decimals texts; without channels the message and nothing more; else
    // reset the panes and start acquiring.
    void open();
    // "다시 그리기": checks and connect, reset the panes, start from sample 0.
    void redraw();
    // "데이타 수집 시작": ignored while acquiring; continues where the graph stopped, redraws a finished one.
    void start();
    // "데이타 수집 중지", and the stop of every window: the timer stops, the link stays open.
    void stop();
    // The window closes: an acquiring one stops its timer and clears the application-wide flag.
    void close();
    // A tick of the window's timer; ids other than kGraphTimerId are not this session's.
    void onTimer(int timerId);
    void autoScale();
    // The dialogs: the timer pauses while they are open and is re-armed after them, on Cancel too.
    void manualScale();
    void decimalsCommand();
    void timeIntervalCommand();
    // "채널 k" (1-based).
    void selectChannel(int channel);
    // Runs a command of the menus; false for the exports (print, metafile, text), which the window runs.
    bool execute(GraphCommand command);
    // A menu entry is highlighted: its prompt in the general message pane.
    void highlight(GraphCommand command);

    // --- state ---

    GraphKind kind() const { return kind_; }
    ScaleMode scaleMode() const { return scaleMode_; }
    bool individual() const { return individual_; }
    // Panes in use: one per channel in the individual layout, else one.
    int paneCount() const;
    bool acquiring() const { return acquiring_; }
    // Clicks on the chart panes are discarded while acquiring.
    bool acceptsChartClicks() const { return !acquiring_; }
    // Index of the next sample.
    std::uint32_t sampleCounter() const { return counter_; }
    // Time graph: when the samples the panes hold were taken (none for a memory graph).
    const SampleTimes& sampleTimes() const { return times_; }
    // Time graph: the ticks that fell behind the interval since the panes were reset.
    const SampleLag& sampleLag() const { return grid_.lag(); }
    // Memory graph: the x extent (the record's length, which may exceed the channels' 5000).
    std::uint32_t length() const { return length_; }
    std::uint32_t decimals() const { return decimals_; }
    std::int32_t interval() const { return interval_; }
    double maximum() const { return maximum_; }
    double minimum() const { return minimum_; }
    int currentChannel() const { return currentChannel_; }
    const std::vector<GraphChannel>& channels() const { return channels_; }
    const ChannelColours& colours() const { return colours_; }
    // The points a pane keeps per line, as set by the last reset (0 before).
    std::size_t paneCapacity(int pane) const;
    StripChart& pane(int pane) const;
    std::string scaleText() const;

    GraphMenuInputs menuInputs() const;
    std::vector<GraphMenu> menuBar() const { return graphMenuBar(menuInputs()); }
    std::vector<GraphMenuEntry> contextMenu() const { return graphContextMenu(menuInputs()); }

private:
    bool checkAndConnect(bool startCommand);
    void startSequence();
    void beginAcquisition(std::chrono::milliseconds firstDelay);
    void setAcquiring(bool acquiring);
    void memoryTick();
    void timeTick();
    void advancePanes(std::uint32_t x);
    bool readAndPlot(int channel, std::uint32_t element);
    void failAcquisition();
    void finish();
    bool pauseForDialog();
    void resumeAfterDialog(bool paused);

    // Display (graph_session_display.cpp).
    void resetPanes();
    void resetPane(int pane);
    void fitValueAxes();
    void applyManualBounds();

    StripChart& paneOf(int channel) const;
    int lineOf(int channel) const;

    GraphSessionPorts ports_;
    GraphKind kind_;
    ScaleMode scaleMode_;
    std::uint32_t length_;
    std::uint32_t decimals_;
    std::int32_t interval_;
    double maximum_;
    double minimum_;
    bool individual_;
    std::vector<GraphChannel> channels_;
    ChannelColours colours_;
    std::array<std::size_t, kMaxChannels> capacities_ {};
    std::uint32_t counter_ = 0;
    bool acquiring_ = false;
    int currentChannel_ = 1;
    SampleReader reader_;
    SampleGrid grid_;
    SampleTimes times_;
};

} // namespace lumetra::graph
