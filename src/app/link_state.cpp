#include "app/link_state.h"

#include "app/activity_texts.h"
#include "app/status_texts.h"

#include <algorithm>
#include <chrono>

namespace lumetra::app {

namespace {

constexpr link::Milliseconds kClosePortSettle {50};

std::chrono::milliseconds pollPeriod(const core::LinkConfig& config)
{
    return std::max(kMinimumPollPeriod, std::chrono::milliseconds(config.timeIntervalMs));
}

bool pollsVariables(MonitorKind kind)
{
    return kind != MonitorKind::AddressBlock;
}

bool pollsAddressBlock(MonitorKind kind)
{
    return kind != MonitorKind::Variables;
}

} // namespace

LinkState::LinkState(link::CPodLink& link, const core::LinkConfig& config,
    const std::vector<image::CDataObject>& registered, const ProgrammingFlags& programming, UserPrompts& prompts,
    PollTimer& timer, FrameView& frame)
    : link_(link)
    , config_(config)
    , registered_(registered)
    , programming_(programming)
    , prompts_(prompts)
    , timer_(timer)
    , frame_(frame)
{
}

void LinkState::StartMonitoring(MonitorKind kind)
{
    if (linkUp_) {
        if (pollsAddressBlock(kind))
            addressMonitoring_ = true;
        if (pollsVariables(kind))
            setVariableMonitoringByList();
        return;
    }
    if (kind == MonitorKind::Variables && registered_.empty()) {
        prompts_.showMessage(MessageIcon::Information, kNoRegisteredDataMessage);
        variableMonitoring_ = false;
        return;
    }
    switch (openLink()) {
    case OpenResult::ConnectFailed:
        if (pollsVariables(kind))
            variableMonitoring_ = false;
        if (pollsAddressBlock(kind))
            addressMonitoring_ = false;
        return;
    case OpenResult::PingFailed:
        return;
    case OpenResult::Opened:
        break;
    }
    if (pollsAddressBlock(kind))
        addressMonitoring_ = true;
    if (kind == MonitorKind::Variables)
        variableMonitoring_ = true;
    else if (kind == MonitorKind::Both)
        setVariableMonitoringByList();
    goOnLine();
}

void LinkState::StopMonitoring(MonitorKind kind)
{
    switch (kind) {
    case MonitorKind::Variables:
        if (addressMonitoring_)
            variableMonitoring_ = false;
        else
            goOffLine();
        return;
    case MonitorKind::AddressBlock:
        if (variableMonitoring_)
            addressMonitoring_ = false;
        else
            goOffLine();
        break;
    case MonitorKind::Both:
        goOffLine();
        break;
    }
    if (memoryPoller_)
        memoryPoller_->emptyRows();
}

void LinkState::OnPollTimer()
{
    timer_.kill();
    if (!linkUp_)
        return;
    const std::pair<bool, MonitorPoller*> passes[] = {
        {variableMonitoring_, variablePoller_},
        {addressMonitoring_, memoryPoller_},
    };
    for (const auto& [polled, poller] : passes) {
        if (!polled)
            continue;
        if (!poller) {
            // The pane is gone: nothing to poll into, so the link goes down without a read having failed.
            goOffLine();
            return;
        }
        if (!poller->poll(link_)) {
            failPass();
            return;
        }
    }
    timer_.arm(pollPeriod(config_));
}

void LinkState::ToggleVariableMonitoring()
{
    if (programming_.active())
        return;
    if (variableMonitoring_)
        StopMonitoring(MonitorKind::Variables);
    else
        StartMonitoring(MonitorKind::Variables);
}

void LinkState::ToggleAddressMonitoring()
{
    if (programming_.active())
        return;
    if (addressMonitoring_)
        StopMonitoring(MonitorKind::AddressBlock);
    else
        StartMonitoring(MonitorKind::AddressBlock);
}

void LinkState::ClosePort()
{
    if (programming_.active())
        return;
    if (addressMonitoring_)
        StopMonitoring(variableMonitoring_ ? MonitorKind::Both : MonitorKind::AddressBlock);
    else if (variableMonitoring_)
        StopMonitoring(MonitorKind::Variables);
    link_.pause(kClosePortSettle);
    disconnect();
}

CommandState LinkState::variableMonitorCommand() const
{
    return {!registered_.empty() && !graphAcquiring_, variableMonitoring_};
}

CommandState LinkState::addressMonitorCommand() const
{
    return {!graphAcquiring_, addressMonitoring_};
}

std::optional<MonitorKind> LinkState::runningMonitorKind() const
{
    if (variableMonitoring_ && addressMonitoring_)
        return MonitorKind::Both;
    if (variableMonitoring_)
        return MonitorKind::Variables;
    if (addressMonitoring_)
        return MonitorKind::AddressBlock;
    return std::nullopt;
}

std::optional<MonitorKind> LinkState::SuspendMonitoring()
{
    const std::optional<MonitorKind> kind = runningMonitorKind();
    if (kind)
        StopMonitoring(*kind);
    return kind;
}

void LinkState::ResumeMonitoring(std::optional<MonitorKind> kind)
{
    if (kind)
        StartMonitoring(*kind);
}

void LinkState::Resized(const std::function<void()>& layOut)
{
    const std::optional<MonitorKind> kind = linkUp_ ? SuspendMonitoring() : std::nullopt;
    layOut();
    ResumeMonitoring(kind);
}

void LinkState::setGraphAcquiring(bool acquiring)
{
    const bool stopped = graphAcquiring_ && !acquiring;
    graphAcquiring_ = acquiring;
    if (stopped)
        CloseUnusedLink();
}

void LinkState::CloseUnusedLink()
{
    if (!linkUp_ && !graphAcquiring_)
        disconnect();
}

void LinkState::CloseForShutdown()
{
    goOffLine();
}

void LinkState::ResetTarget()
{
    if (programming_.active())
        return;
    const std::optional<MonitorKind> kind = SuspendMonitoring();
    if (link_.usingUsb() && link_.podKind() == link::PodKind::UtaPod)
        disconnect();
    if (!connectConfigured())
        return;
    if (!link_.ResetTarget()) {
        note(targetResetFailedLine(link_.lastFailure()));
        prompts_.showMessage(MessageIcon::Error, kTargetResetFailedMessage);
        return;
    }
    note(targetResetLine(link_.portName()));
    ResumeMonitoring(kind);
}

bool LinkState::connectConfigured()
{
    const link::ConnectCode code = ConnectForGraph();
    if (code != link::ConnectCode::Connected) {
        prompts_.showMessage(MessageIcon::Error, link::connectMessage(code));
        return false;
    }
    return true;
}

link::ConnectCode LinkState::ConnectForGraph()
{
    const bool wasConnected = link_.connected();
    const link::ConnectCode code
        = link_.Connect(config_.comPort + 1, config_.baudCode, config_.portType == core::PortType::Usb);
    if (code != link::ConnectCode::Connected)
        note(connectFailedLine(link_.portName(), link_.lastFailure()));
    else if (!wasConnected)
        note(connectedLine(link_.portName()));
    return code;
}

LinkState::OpenResult LinkState::openLink()
{
    if (!connectConfigured())
        return OpenResult::ConnectFailed;
    if (!link_.Ping()) {
        note(aliveCheckFailedLine(link_.portName(), link_.lastFailure()));
        StopMonitoring(MonitorKind::Both);
        disconnect();
        prompts_.showMessage(MessageIcon::Error, kCommunicationErrorMessage);
        return OpenResult::PingFailed;
    }
    return OpenResult::Opened;
}

void LinkState::goOnLine()
{
    linkUp_ = true;
    frame_.setStatusPane(StatusPane::Link, linkPaneText(true));
    timer_.arm(pollPeriod(config_));
}

void LinkState::goOffLine()
{
    linkUp_ = false;
    variableMonitoring_ = false;
    addressMonitoring_ = false;
    timer_.kill();
    disconnect();
    frame_.setStatusPane(StatusPane::Link, linkPaneText(false));
}

void LinkState::disconnect()
{
    if (link_.connected() && link_.Disconnect())
        note(disconnectedLine(link_.portName()));
}

void LinkState::note(const std::string& event) const
{
    if (activityLog_)
        activityLog_->record(event);
}

void LinkState::setVariableMonitoringByList()
{
    variableMonitoring_ = !registered_.empty();
    if (!variableMonitoring_)
        prompts_.showMessage(MessageIcon::Information, kNoRegisteredDataMessage);
}

void LinkState::failPass()
{
    note(monitoringStoppedLine(link_.lastFailure()));
    goOffLine();
    prompts_.showMessage(MessageIcon::Error, kCommunicationErrorMessage);
}

} // namespace lumetra::app
