// lumetra-cli watch: the variable monitor on the command line. Loads the program's symbols, registers the named
// variables as the symbol list does, and prints the rows after every poll.
#include "cli/command.h"
#include "cli/link_options.h"
#include "cli/monitor_cli_options.h"
#include "cli/text_format.h"

#include "core/path_text.h"

#include "image/program_image.h"
#include "monitor/monitoring_flags.h"
#include "monitor/variable_monitor.h"

#include <chrono>
#include <limits>
#include <numeric>
#include <thread>

namespace lumetra::cli {

namespace {

std::string rowLine(const image::CDataObject& record, const monitor::VariableRow& row)
{
    return fillIn("%1 %2 %3 %4 %5",
        {padded(printableText(record.name), -24), padded(row.value, -34), padded(row.viewTypeText, -24), padded(row.dataTypeText, -28),
            row.ascii});
}

int runWatch(const Arguments& args)
{
    CommandLine line(args,
        "Polls the variables VAR of the program FILE.out as the variable monitor does and prints name, value, view "
        "type, data type and Ascii text after every poll.");
    line.addPositional("FILE.out", "TI COFF program.");
    line.addPositional("VAR", "Variable names.", "VAR...");
    const MonitorOptions monitorOptions;
    monitorOptions.addTo(line);
    const Option interval {"interval", "Milliseconds between polls (default 100).", "MS", "100"};
    const Option count {"count", "Number of polls (default 1; 0 polls until interrupted).", "N", "1"};
    line.addOption(interval);
    line.addOption(count);
    const LinkCommandLine command = parseLinkCommand(line, 2, std::numeric_limits<std::size_t>::max());
    if (!command.settings)
        return command.exitCode;
    const auto choice = monitorOptions.read(line);
    if (!choice)
        return kUsageErrorExitCode;
    const auto intervalMs = readPositive(line, interval, 0);
    if (!intervalMs)
        return kUsageErrorExitCode;
    const auto polls = readPositive(line, count, 0);
    if (!polls)
        return kUsageErrorExitCode;

    const Arguments& arguments = line.arguments();
    image::ProgramImage program;
    const image::CoffLoadResult loaded = program.load(core::pathFromUtf8(arguments[0]), choice->device);
    if (!image::isLoadSuccess(loaded)) {
        printError(image::coffLoadMessage(loaded));
        return 1;
    }

    std::vector<image::CDataObject> registered;
    monitor::MonitoringFlags monitoring;
    monitor::VariableMonitor monitor(registered, monitoring);
    for (std::size_t n = 1; n < arguments.size(); ++n) {
        if (!monitor.addVariable(arguments[n], program.symbols()))
            return line.usageError(fillIn("no variable '%1' in %2", {arguments[n], arguments[0]}));
    }
    if (choice->view) {
        std::vector<std::size_t> all(registered.size());
        std::iota(all.begin(), all.end(), std::size_t {0});
        monitor.setViewType(all, *choice->view);
    }
    monitor.setVisibleRows(0, registered.size());

    CliLink link(*command.settings);
    if (!link.connect())
        return 1;
    for (std::uint32_t tick = 1; *polls == 0 || tick <= *polls; ++tick) {
        if (tick > 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(*intervalMs));
        if (!monitor.poll(link.pod())) {
            printError(kCommunicationError);
            return 1;
        }
        printLine("# poll " + numberText(tick));
        for (std::size_t n = 0; n < registered.size(); ++n)
            printLine(rowLine(registered[n], monitor.rows()[n]));
        std::fflush(stdout);
    }
    return 0;
}

const CommandRegistration reg {"watch", "Poll program variables as the variable monitor does", runWatch};

} // namespace

} // namespace lumetra::cli
