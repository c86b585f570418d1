// ON LINE / OFF LINE: when the link to the POD is open and which monitors the poll timer reads through it.
#pragma once

#include "app/frame_view.h"
#include "app/monitor_poller.h"
#include "app/poll_timer.h"
#include "app/programming_flags.h"
#include "app/user_prompts.h"

#include "core/activity_log.h"
#include "core/configuration.h"
#include "image/data_object.h"
#include "link/pod_link.h"
#include "programming/run_link.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::app {

enum class MonitorKind { Variables = 1, AddressBlock = 2, Both = 3 };

inline constexpr std::string_view kNoRegisteredDataMessage = "등록된 데이타가 없읍니다.";
inline constexpr std::string_view kCommunicationErrorMessage = "통신 오류 발생 !";
inline constexpr std::string_view kTargetResetFailedMessage = programming::kTargetResetFailedMessage;

// The poll timer never runs faster than the platform timer's floor, whatever `Time Interval` says.
inline constexpr std::chrono::milliseconds kMinimumPollPeriod {10};

struct CommandState {
    bool enabled = false;
    bool checked = false;

    bool operator==(const CommandState&) const = default;
};

class LinkState {
public:
    // `config` is the main frame's current link configuration, read at every opening of the link;
    // `registered` the registered variable list.
    LinkState(link::CPodLink& link, const core::LinkConfig& config, const std::vector<image::CDataObject>& registered,
        const ProgrammingFlags& programming, UserPrompts& prompts, PollTimer& timer, FrameView& frame);

    // The panes that the poll pass reads; null while a pane does not exist.
    void setVariablePoller(MonitorPoller* poller) { variablePoller_ = poller; }
    void setMemoryPoller(MemoryMonitorPoller* poller) { memoryPoller_ = poller; }
    // Connects, disconnects and failures with their cause are recorded here (null: not recorded).
    void setActivityLog(const core::ActivityLog* log) { activityLog_ = log; }

    // Opens the link if it is not up (Connect, then Ping) and starts polling the kind's monitors.
    void StartMonitoring(MonitorKind kind);
    // Stops polling the kind's monitors; closes the link when nothing polls any more.
    void StopMonitoring(MonitorKind kind);
    // One tick of the poll timer: one pass over the polled monitors, re-armed only after a complete success.
    void OnPollTimer();

    // Ctrl+M, Ctrl+A and Ctrl+C.
    void ToggleVariableMonitoring();
    void ToggleAddressMonitoring();
    void ClosePort();
    // Ctrl+R: the running kind is stopped, the link opened (a "Korimat USBCOM"-type USB POD is reopened), the
    // target reset through the POD, and the kind started again; a failed reset shows its message.
    void ResetTarget();
    // Opens the link with the configured port for a graph window, which shows the failure's message itself.
    link::ConnectCode ConnectForGraph();
    CommandState variableMonitorCommand() const;
    CommandState addressMonitorCommand() const;
    bool closePortEnabled() const { return link_.connected(); }

    // The kind that polls now: Both, Variables or AddressBlock; nullopt when nothing polls.
    std::optional<MonitorKind> runningMonitorKind() const;
    // Remembers the running kind and stops it, for an operation that takes the link over.
    std::optional<MonitorKind> SuspendMonitoring();
    void ResumeMonitoring(std::optional<MonitorKind> kind);
    // A size change of the main window: the running kind is stopped around the new layout and started again.
    void Resized(const std::function<void()>& layOut);
    // Closing the main window: the link goes down without a pass or message.
    void CloseForShutdown();

    bool linkUp() const { return linkUp_; }
    bool variableMonitoring() const { return variableMonitoring_; }
    bool addressMonitoring() const { return addressMonitoring_; }
    bool graphAcquiring() const { return graphAcquiring_; }
    // A graph window that stops acquiring is done with the link: CloseUnusedLink.
    void setGraphAcquiring(bool acquiring);
    // After a graph window or a programming run used the link: it closes, with its log line, unless a monitor
    // polls through it or a graph window acquires, so that "OFF LINE" always means a closed port.
    void CloseUnusedLink();

private:
    enum class OpenResult { Opened, ConnectFailed, PingFailed };
    OpenResult openLink();
    bool connectConfigured();
    void goOnLine();
    void goOffLine();
    void setVariableMonitoringByList();
    void failPass();
    void disconnect();
    void note(const std::string& event) const;

    link::CPodLink& link_;
    const core::LinkConfig& config_;
    const std::vector<image::CDataObject>& registered_;
    const ProgrammingFlags& programming_;
    UserPrompts& prompts_;
    PollTimer& timer_;
    FrameView& frame_;
    MonitorPoller* variablePoller_ = nullptr;
    MemoryMonitorPoller* memoryPoller_ = nullptr;
    const core::ActivityLog* activityLog_ = nullptr;
    bool linkUp_ = false;
    bool variableMonitoring_ = false;
    bool addressMonitoring_ = false;
    bool graphAcquiring_ = false;
};

} // namespace lumetra::app
