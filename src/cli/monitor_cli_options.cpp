#include "cli/monitor_cli_options.h"

#include "cli/link_options.h"
#include "cli/text_format.h"

#include "core/device_catalogue.h"

namespace lumetra::cli {

MonitorOptions::MonitorOptions()
    : device_ {"device", "Target device index 0 to 70 (see lumetra-cli devices).", "N", {}}
    , view_ {"view",
          "View type 0 to 7: hex 16, hex 32, signed 16, signed 32, unsigned 16, unsigned 32, float, binary 16.", "CODE",
          {}}
{
}

void MonitorOptions::addTo(CommandLine& line) const
{
    line.addOption(device_);
    line.addOption(view_);
}

std::optional<MonitorChoice> MonitorOptions::read(const CommandLine& line) const
{
    const auto index = line.isSet(device_) ? parseNumberArgument(line.value(device_)) : std::nullopt;
    if (!index || !core::isValidDeviceIndex(static_cast<int>(*index))) {
        line.usageError("--device takes a device index 0 to 70");
        return std::nullopt;
    }
    MonitorChoice choice {static_cast<int>(*index), std::nullopt};
    if (!line.isSet(view_))
        return choice;
    const auto code = parseNumberArgument(line.value(view_));
    choice.view = code ? monitor::viewTypeFromCode(*code) : std::nullopt;
    if (!choice.view) {
        line.usageError("--view takes a view type code 0 to 7");
        return std::nullopt;
    }
    return choice;
}

std::optional<std::uint32_t> readPositive(const CommandLine& line, const Option& option, std::uint32_t minimum)
{
    const auto value = parseNumberArgument(line.value(option));
    if (!value || *value < minimum || *value > 0x7FFFFFFF) {
        line.usageError(fillIn("--%1 takes a whole number from %2", {option.name, numberText(minimum)}));
        return std::nullopt;
    }
    return value;
}

} // namespace lumetra::cli
