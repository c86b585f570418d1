// The ports of a graph session that runs without a window: no status bar, no dialogs, and a host whose only
// business is the link (no monitors run beside it).
#pragma once

#include "graph/session/graph_dialogs.h"
#include "graph/session/graph_ports.h"
#include "graph/session/graph_status_view.h"

#include "link/pod_link.h"

namespace lumetra::graph {

class SilentGraphStatusView final : public GraphStatusView {
public:
    void showMessage(std::string_view) override { }
    void showScaleText(std::string_view) override { }
    void showDecimalsText(std::string_view) override { }
    void showChannelText(std::string_view) override { }
    void showProgress(std::uint32_t, std::uint32_t) override { }
    void clearProgress() override { }
    void showAcquisitionRunning(bool) override { }
    void showLagText(std::string_view) override { }
};

// A run without a window gives no dialog commands; should one come, it is cancelled.
class NoGraphDialogs final : public GraphDialogs {
public:
    std::optional<ScaleBounds> askScaleBounds(const ScaleBoundTexts&) override { return std::nullopt; }
    std::optional<std::uint32_t> askDecimals(std::string_view) override { return std::nullopt; }
    std::optional<std::int32_t> askInterval(std::string_view) override { return std::nullopt; }
};

struct LinkConnection {
    int comPort = 1; // COM port number, 1-based
    int baudCode = 4;
    bool usb = false;
};

// Connects `link` with the given connection; stopping "both" monitors closes the link, as it does in the main
// window.
class LinkGraphHost final : public GraphHost {
public:
    LinkGraphHost(link::CPodLink& link, LinkConnection connection)
        : link_(link)
        , connection_(connection)
    {
    }

    bool variableMonitoring() const override { return false; }
    bool addressMonitoring() const override { return false; }
    void StopMonitoring(MonitorStopKind kind) override;
    bool graphAcquiring() const override { return acquiring_; }
    void setGraphAcquiring(bool acquiring) override { acquiring_ = acquiring; }
    link::ConnectCode connectLink() override;

private:
    link::CPodLink& link_;
    LinkConnection connection_;
    bool acquiring_ = false;
};

} // namespace lumetra::graph
