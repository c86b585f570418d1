// lumetra-cli dump: one refresh of a memory monitor page from a start address, gaps of the device shown as "???".
#include "cli/command.h"
#include "cli/link_options.h"
#include "cli/monitor_cli_options.h"
#include "cli/text_format.h"

#include "core/memory_settings_store.h"
#include "core/settings_schema.h"
#include "monitor/memory_monitor.h"
#include "monitor/monitoring_flags.h"
#include "monitor/number_entry.h"

namespace lumetra::cli {

namespace {

int runDump(const Arguments& args)
{
    CommandLine line(args,
        "Reads one memory monitor page from ADDR and prints address, value and Ascii text per row. "
        "ADDR (below 0x400000) is clamped as the start address dialog clamps it.");
    line.addPositional("ADDR", "Start address (100 decimal, 100h or 0x100 hexadecimal).");
    const MonitorOptions monitorOptions;
    monitorOptions.addTo(line);
    const Option rows {"rows", "Rows of the page (default 16).", "N", "16"};
    line.addOption(rows);
    const LinkCommandLine command = parseLinkCommand(line, 1, 1);
    if (!command.settings)
        return command.exitCode;
    const auto choice = monitorOptions.read(line);
    if (!choice)
        return kUsageErrorExitCode;
    const auto rowCount = readPositive(line, rows, 1);
    if (!rowCount)
        return kUsageErrorExitCode;

    core::MemorySettingsStore store;
    core::writeSetting(store, core::SettingId::CpuType, choice->device);
    core::writeSetting(
        store, core::SettingId::StartViewType, monitor::viewTypeCode(choice->view.value_or(monitor::ViewType::Hex16)));
    monitor::MonitoringFlags monitoring;
    monitor::MemoryMonitor memory(store, monitoring);
    memory.setRowsPerPage(static_cast<int>(*rowCount));
    const std::string& address = line.arguments()[0];
    // An empty ADDR gets the dialog's message. Any other must be a word address as read takes it: the dialog's
    // rule takes a number from 0x80000000 up, however wide, as a negative one and starts the page at 0.
    if (!monitor::trimEntry(address).empty() && !readAddressArgument(line, address))
        return kUsageErrorExitCode;
    if (const auto refused = memory.enterStartAddress(address))
        return line.usageError(std::string(*refused));

    CliLink link(*command.settings);
    if (!link.connect())
        return 1;
    if (!memory.poll(link.pod())) {
        printError(kCommunicationError);
        return 1;
    }
    for (const monitor::MemoryRow& row : memory.rows()) {
        printLine(padded(row.addressText, -10) + ' ' + padded(row.value, -34) + ' ' + row.ascii);
    }
    return 0;
}

const CommandRegistration reg {"dump", "Read one memory monitor page from a start address", runDump};

} // namespace

} // namespace lumetra::cli
