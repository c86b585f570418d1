// GraphSession: life, acquisition and the dialog commands.
#include "graph/session/graph_session.h"

#include "graph/session/graph_session_registry.h"
#include "graph/session/graph_texts.h"

#include <algorithm>

namespace lumetra::graph {

namespace {

using std::chrono::milliseconds;

std::vector<GraphChannel> copiedChannels(std::vector<GraphChannel> channels, GraphKind kind)
{
    if (channels.size() > static_cast<std::size_t>(kMaxChannels)) {
        channels.resize(kMaxChannels);
    }
    if (kind == GraphKind::Memory) {
        for (GraphChannel& channel : channels) {
            channel.length = std::min(channel.length, kMaxMemoryChannelLength);
        }
    }
    return channels;
}

milliseconds delayOf(std::int32_t interval)
{
    return milliseconds {std::max(interval, 0)};
}

std::string_view connectFailureText(link::ConnectCode code, bool startCommand)
{
    if (startCommand && code == link::ConnectCode::PortNotOpened) {
        return kStartPortFailedText;
    }
    return link::connectMessage(code);
}

} // namespace

GraphSession::GraphSession(GraphSessionSetup setup, const GraphSessionPorts& ports)
    : ports_(ports)
    , kind_(setup.environment.kind)
    , scaleMode_(setup.environment.scaleMode)
    , length_(setup.environment.length)
    , decimals_(setup.environment.decimals)
    , interval_(setup.environment.interval)
    , maximum_(setup.environment.maximum)
    , minimum_(setup.environment.minimum)
    , individual_(setup.selectionMode && setup.channels.size() > 1)
    , channels_(copiedChannels(std::move(setup.channels), setup.environment.kind))
    , colours_(setup.colours)
    , reader_(ports.link)
{
    if (ports_.registry) {
        ports_.registry->enrol(*this);
    }
}

GraphSession::~GraphSession()
{
    close();
    if (ports_.registry) {
        ports_.registry->leave(*this);
    }
}

int GraphSession::paneCount() const
{
    return individual_ ? static_cast<int>(channels_.size()) : 1;
}

std::size_t GraphSession::paneCapacity(int pane) const
{
    return pane >= 0 && pane < kMaxChannels ? capacities_[static_cast<std::size_t>(pane)] : 0;
}

StripChart& GraphSession::pane(int pane) const
{
    return *ports_.panes[static_cast<std::size_t>(pane)];
}

StripChart& GraphSession::paneOf(int channel) const
{
    return pane(individual_ ? channel : 0);
}

int GraphSession::lineOf(int channel) const
{
    return individual_ ? 0 : channel;
}

std::string GraphSession::scaleText() const
{
    return graph::scaleText(scaleMode_, decimals_, maximum_, minimum_);
}

GraphMenuInputs GraphSession::menuInputs() const
{
    return {kind_, scaleMode_, acquiring_, static_cast<int>(channels_.size()), individual_, currentChannel_};
}

void GraphSession::open()
{
    ports_.status.showScaleText(scaleText());
    ports_.status.showDecimalsText(decimalsText(decimals_));
    if (channels_.empty()) {
        ports_.prompts.showMessage(core::MessageIcon::Information, kNoChannelText);
        return;
    }
    resetPanes();
    startSequence();
}

void GraphSession::redraw()
{
    if (!checkAndConnect(false)) {
        return;
    }
    resetPanes();
    startSequence();
}

void GraphSession::start()
{
    if (acquiring_ || !checkAndConnect(true)) {
        return;
    }
    if (kind_ == GraphKind::Time) {
        beginAcquisition(delayOf(interval_));
    } else if (counter_ >= length_) {
        resetPanes();
        startSequence();
    } else {
        beginAcquisition(milliseconds {0});
    }
}

void GraphSession::stop()
{
    if (!acquiring_) {
        return;
    }
    ports_.timer.kill();
    setAcquiring(false);
    if (kind_ == GraphKind::Time) {
        ports_.status.showAcquisitionRunning(false);
    }
}

void GraphSession::close()
{
    if (acquiring_) {
        ports_.timer.kill();
        setAcquiring(false);
    }
}

bool GraphSession::checkAndConnect(bool startCommand)
{
    if (channels_.empty()) {
        ports_.prompts.showMessage(core::MessageIcon::Information, kNoChannelText);
        return false;
    }
    if (ports_.host.graphAcquiring() && !acquiring_) {
        ports_.prompts.showMessage(core::MessageIcon::Information, kOtherWindowAcquiresText);
        return false;
    }
    const bool variables = ports_.host.variableMonitoring();
    const bool address = ports_.host.addressMonitoring();
    if (variables || address) {
        ports_.host.StopMonitoring(variables && address ? MonitorStopKind::Both
                : variables                             ? MonitorStopKind::Variables
                                                        : MonitorStopKind::AddressBlock);
    }
    const link::ConnectCode code = ports_.host.connectLink();
    if (code != link::ConnectCode::Connected) {
        ports_.prompts.showMessage(core::MessageIcon::Error, connectFailureText(code, startCommand));
        return false;
    }
    return true;
}

void GraphSession::startSequence()
{
    if (checkAndConnect(false)) {
        beginAcquisition(delayOf(interval_));
    }
}

void GraphSession::beginAcquisition(milliseconds firstDelay)
{
    setAcquiring(true);
    reader_.restart();
    if (kind_ == GraphKind::Time) {
        ports_.status.showAcquisitionRunning(true);
        const GraphClock::TimePoint now = ports_.clock.now();
        grid_.start(now, firstDelay);
        times_.begin(now);
    }
    ports_.timer.arm(firstDelay);
}

void GraphSession::setAcquiring(bool acquiring)
{
    acquiring_ = acquiring;
    ports_.host.setGraphAcquiring(acquiring);
}

void GraphSession::onTimer(int timerId)
{
    if (timerId != kGraphTimerId) {
        return;
    }
    ports_.timer.kill();
    if (!acquiring_) {
        return;
    }
    if (kind_ == GraphKind::Memory) {
        memoryTick();
    } else {
        timeTick();
    }
}

void GraphSession::memoryTick()
{
    if (counter_ >= length_) {
        ports_.status.clearProgress();
        setAcquiring(false);
        finish();
        return;
    }
    const std::uint32_t n = counter_;
    advancePanes(n);
    for (std::size_t c = 0; c < channels_.size(); ++c) {
        if (channels_[c].length > n && !readAndPlot(static_cast<int>(c), n)) {
            failAcquisition();
            return;
        }
    }
    ports_.status.showProgress(n + 1, length_);
    ports_.timer.arm(milliseconds {0});
    ++counter_;
}

void GraphSession::timeTick()
{
    const GraphClock::TimePoint tickTime = ports_.clock.now();
    advancePanes(counter_);
    for (std::size_t c = 0; c < channels_.size(); ++c) {
        if (!readAndPlot(static_cast<int>(c), 0)) {
            failAcquisition();
            return;
        }
    }
    ++counter_;
    times_.record(tickTime);
    const SampleLag before = grid_.lag();
    ports_.timer.arm(grid_.next(tickTime, ports_.clock.now()));
    if (grid_.lag() != before) {
        ports_.status.showLagText(sampleLagText(grid_.lag()));
    }
}

void GraphSession::advancePanes(std::uint32_t x)
{
    for (int p = 0; p < paneCount(); ++p) {
        pane(p).advanceX(static_cast<double>(x));
    }
}

bool GraphSession::readAndPlot(int channel, std::uint32_t element)
{
    const GraphChannel& item = channels_[static_cast<std::size_t>(channel)];
    const auto how = sampleReadOf(item.type);
    if (!how) {
        return true;
    }
    const bool sequential = kind_ == GraphKind::Memory && channels_.size() == 1;
    const auto raw = reader_.read(channel, item.address, *how, element, sequential);
    if (!raw) {
        return false;
    }
    StripChart& chart = paneOf(channel);
    chart.addPoint(lineOf(channel), counter_, convertSample(item.type, *raw).value_or(0.0));
    refresh(chart);
    return true;
}

void GraphSession::failAcquisition()
{
    setAcquiring(false);
    if (kind_ == GraphKind::Time) {
        ports_.status.showAcquisitionRunning(false);
    }
    finish();
    ports_.prompts.showMessage(core::MessageIcon::Error, kReadFailedText);
}

void GraphSession::finish()
{
    if (scaleMode_ == ScaleMode::Automatic) {
        fitValueAxes();
    }
    ports_.host.StopMonitoring(MonitorStopKind::Both);
    ports_.link.Disconnect();
    ports_.link.Purge();
}

bool GraphSession::pauseForDialog()
{
    if (acquiring_) {
        ports_.timer.kill();
    }
    return acquiring_;
}

void GraphSession::resumeAfterDialog(bool paused)
{
    if (!paused || !acquiring_) {
        return;
    }
    if (kind_ == GraphKind::Time) {
        grid_.start(ports_.clock.now(), delayOf(interval_));
        ports_.timer.arm(delayOf(interval_));
    } else {
        ports_.timer.arm(milliseconds {0});
    }
}

void GraphSession::manualScale()
{
    if (scaleMode_ == ScaleMode::Manual) {
        return;
    }
    const bool paused = pauseForDialog();
    const auto bounds = ports_.dialogs.askScaleBounds(scaleBoundsPrefill(maximum_, minimum_));
    if (bounds) {
        maximum_ = bounds->maximum;
        minimum_ = bounds->minimum;
        applyManualBounds();
        scaleMode_ = ScaleMode::Manual;
        ports_.status.showScaleText(scaleText());
    }
    resumeAfterDialog(paused);
}

void GraphSession::decimalsCommand()
{
    const bool paused = pauseForDialog();
    const auto places = ports_.dialogs.askDecimals(std::to_string(decimals_));
    if (places) {
        decimals_ = std::min(*places, kMaxDecimals);
        for (int p = 0; p < paneCount(); ++p) {
            pane(p).setDecimals(static_cast<int>(decimals_));
            refresh(pane(p));
        }
        ports_.status.showDecimalsText(decimalsText(decimals_));
    }
    resumeAfterDialog(paused);
}

void GraphSession::timeIntervalCommand()
{
    if (kind_ != GraphKind::Time) {
        return;
    }
    const bool paused = pauseForDialog();
    const auto interval = ports_.dialogs.askInterval(std::to_string(interval_));
    if (interval) {
        interval_ = *interval;
    }
    resumeAfterDialog(paused);
}

bool GraphSession::execute(GraphCommand command)
{
    switch (command) {
    case GraphCommand::Redraw:
        redraw();
        return true;
    case GraphCommand::Start:
        start();
        return true;
    case GraphCommand::Stop:
        stop();
        return true;
    case GraphCommand::AutoScale:
        autoScale();
        return true;
    case GraphCommand::ManualScale:
        manualScale();
        return true;
    case GraphCommand::Decimals:
        decimalsCommand();
        return true;
    case GraphCommand::TimeInterval:
        timeIntervalCommand();
        return true;
    case GraphCommand::Print:
    case GraphCommand::SaveMetafile:
    case GraphCommand::SaveText:
    case GraphCommand::SaveCsv:
    case GraphCommand::SaveSvg:
    case GraphCommand::SavePdf:
    case GraphCommand::SavePng:
        return false;
    default:
        selectChannel(channelOf(command));
        return true;
    }
}

void GraphSession::highlight(GraphCommand command)
{
    ports_.status.showMessage(graphCommandPrompt(command));
}

} // namespace lumetra::graph
