// The options and the monitoring switch shared by the commands that run the monitors (watch, dump).
#pragma once

#include "monitor/monitoring_switch.h"
#include "monitor/view_types.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <optional>

namespace lumetra::cli {

// --device N: the device row 0..70 (required).
QCommandLineOption deviceOption();
std::optional<int> readDevice(const QCommandLineParser& parser, const QCommandLineOption& option);

// --view CODE: a view type code 0..7; absent: nullopt in `view` with ok set.
QCommandLineOption viewOption();
struct ViewChoice {
    bool ok = false;
    std::optional<monitor::ViewType> view;
};
ViewChoice readView(const QCommandLineParser& parser, const QCommandLineOption& option);

// A positive whole number option; nullopt (printed) otherwise.
std::optional<std::uint32_t> readPositive(
    const QCommandLineParser& parser, const QCommandLineOption& option, std::uint32_t minimum);

// The command holds the link for its whole run: monitoring flags only, nothing to open or close.
class CliMonitoring : public monitor::MonitoringSwitch {
public:
    bool variableMonitoring() const override { return variables_; }
    bool addressMonitoring() const override { return address_; }
    bool graphAcquiring() const override { return false; }
    void startVariableMonitoring() override { variables_ = true; }
    void stopVariableMonitoring() override { variables_ = false; }
    void startAddressMonitoring() override { address_ = true; }
    void stopAddressMonitoring() override { address_ = false; }

private:
    bool variables_ = false;
    bool address_ = false;
};

} // namespace lumetra::cli
