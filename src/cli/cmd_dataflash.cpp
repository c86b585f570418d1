// lumetra-cli dataflash: the desktop's data-flash commands of the F2834x boards for build servers. Parses the
// options and prints; the checks, the run, its lines, the exit code and the JSON result come from the core.
#include "cli/command.h"
#include "cli/image_set_options.h"
#include "cli/interrupt_request.h"
#include "cli/link_options.h"

#include "core/path_text.h"
#include "image/program_image.h"
#include "programming/data_flash_console.h"

#include <cstdio>

namespace lumetra::cli {

namespace {

struct DataFlashOptions {
    Option device {"device", "Target device index 36 to 41, the F2834x rows (required).", "N", {}};
    Option type {"type",
        "Data flash type 0 to 5: AT25DF021, AT25DF041A, AT25DF081A, AT25DF161, AT25DF321A, M25P40 (default 1).", "T",
        "1"};
    Option eraseAll {"erase-all", "Erase every sector of the data flash (the default).", {}, {}};
    Option eraseUsed {"erase-used", "Erase only the sectors the program's boot table covers.", {}, {}};
    ImageSetOptions imageSet;
    Option json {"json", "Print the result as one JSON object.", {}, {}};

    void addTo(CommandLine& line) const
    {
        for (const Option* option : {&device, &type, &eraseAll, &eraseUsed, &json})
            line.addOption(*option);
        imageSet.addTo(line);
    }
};

std::optional<core::DeviceConfig> readDevice(const CommandLine& line, const DataFlashOptions& options)
{
    const auto index = line.isSet(options.device) ? parseNumberArgument(line.value(options.device)) : std::nullopt;
    if (!index || !core::isValidDeviceIndex(static_cast<int>(*index))
        || !core::hasDataFlash(static_cast<int>(*index))) {
        line.usageError("--device takes an F2834x device index 36 to 41");
        return std::nullopt;
    }
    const auto type = parseNumberArgument(line.value(options.type));
    if (!type || *type >= static_cast<std::uint32_t>(core::kDataFlashTypeCount)) {
        line.usageError("--type takes a data flash type 0 to 5");
        return std::nullopt;
    }
    if (line.isSet(options.eraseAll) && line.isSet(options.eraseUsed)) {
        line.usageError("--erase-all and --erase-used exclude each other");
        return std::nullopt;
    }
    core::DeviceConfig device;
    device.deviceIndex = static_cast<int>(*index);
    device.dataFlashType = static_cast<int>(*type);
    device.dataFlashEraseAll = !line.isSet(options.eraseUsed);
    return device;
}

int runDataFlash(const Arguments& args)
{
    CommandLine line(args,
        "Erases the SPI data flash of an F2834x board, or writes the boot table of FILE.out into it (verify: and "
        "compares every page). Exit code 0 when the action is OK, 1 when nothing was run, otherwise 10 + the run's "
        "result code.");
    line.addPositional("MODE", "erase, write or verify.");
    line.addPositional("FILE.out", "TI COFF program.");
    const DataFlashOptions options;
    options.addTo(line);
    const LinkCommandLine command = parseLinkCommand(line, 2, 2);
    if (!command.settings)
        return command.exitCode;
    const auto mode = programming::dataFlashModeOf(line.arguments()[0]);
    if (!mode)
        return line.usageError("MODE is erase, write or verify");
    const auto device = readDevice(line, options);
    if (!device)
        return kUsageErrorExitCode;
    const auto images = options.imageSet.read(line, *command.settings);
    if (!images)
        return kUsageErrorExitCode;

    image::ProgramImage image;
    const image::CoffLoadResult loaded = image.load(core::pathFromUtf8(line.arguments()[1]), device->deviceIndex);
    if (!image::isLoadSuccess(loaded)) {
        printError(image::coffLoadMessage(loaded));
        return programming::kDataFlashRefusedExitCode;
    }
    CliLink link(*command.settings);
    if (!link.prepareUsb())
        return programming::kDataFlashRefusedExitCode;

    const bool json = line.isSet(options.json);
    std::FILE* out = json ? stderr : stdout;
    const InterruptRequest interrupt;
    const programming::DataFlashConsolePorts ports {link.pod(), interrupt.flag(),
        [out](std::string_view printed) {
            std::fprintf(out, "%.*s\n", static_cast<int>(printed.size()), printed.data());
            std::fflush(out);
        },
        [](std::string_view error) { printError(error); }};
    const programming::DataFlashRequest request {*mode, linkConfigOf(*command.settings), *device, *images};
    const programming::DataFlashConsoleReport report
        = programming::RunDataFlashOnConsole(ports, request, programming::dataFlashProgramOf(image));
    if (json)
        printJson(nlohmann::json::parse(programming::dataFlashReportJson(report)));
    return programming::dataFlashExitCode(report.result);
}

const CommandRegistration reg {
    "dataflash", "Erase, write or write and verify the SPI data flash of an F2834x board", runDataFlash};

} // namespace

} // namespace lumetra::cli
