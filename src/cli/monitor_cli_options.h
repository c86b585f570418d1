// The options and the monitoring switch shared by the commands that run the monitors (watch, dump).
#pragma once

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

} // namespace lumetra::cli
