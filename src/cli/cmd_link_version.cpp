// lumetra-cli version: the POD's firmware version in the lines the settings dialog shows.
#include "cli/command.h"
#include "cli/link_options.h"
#include "link/firmware_version.h"

namespace lumetra::cli {

namespace {

int runVersion(const Arguments& args)
{
    return runLinkCommand(args, "Queries the POD's firmware version.", [](link::CPodLink& pod) {
        const std::uint8_t version = pod.QueryFirmwareVersion();
        const link::FirmwareReport report = link::firmwareReport(version);
        if (version == 0) {
            printError(report.firstLine);
            return 1;
        }
        printLine(report.firstLine);
        if (report.secondLine)
            printLine(*report.secondLine);
        return 0;
    });
}

const CommandRegistration reg {"version", "Show the POD's firmware version", runVersion};

} // namespace

} // namespace lumetra::cli
