// The options shared by the commands that run the monitors (watch, dump).
#pragma once

#include "cli/command_line.h"
#include "monitor/view_types.h"

#include <optional>

namespace lumetra::cli {

struct MonitorChoice {
    int device = 0;
    std::optional<monitor::ViewType> view; // absent: the monitor's default
};

// --device N: the device row 0..70 (required); --view CODE: a view type code 0..7.
class MonitorOptions {
public:
    MonitorOptions();
    void addTo(CommandLine& line) const;
    // nullopt after a usage error.
    std::optional<MonitorChoice> read(const CommandLine& line) const;

private:
    Option device_;
    Option view_;
};

// A whole number option from minimum; nullopt after a usage error otherwise.
std::optional<std::uint32_t> readPositive(const CommandLine& line, const Option& option, std::uint32_t minimum);

} // namespace lumetra::cli
