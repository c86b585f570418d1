// lumetra-cli dataflash: the desktop's data-flash commands of the F2834x boards for build servers. Parses the
// options and prints; the checks, the run, its lines, the exit code and the JSON result come from the core.
#include "cli/command.h"
#include "cli/image_set_options.h"
#include "cli/interrupt_request.h"
#include "cli/link_options.h"

#include "image/program_image.h"
#include "programming/data_flash_console.h"

#include <cstdio>

namespace lumetra::cli {

namespace {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

struct DataFlashOptions {
    QCommandLineOption device {QStringLiteral("device"),
        QStringLiteral("Target device index 36 to 41, the F2834x rows (required)."), QStringLiteral("N")};
    QCommandLineOption type {QStringLiteral("type"),
        QStringLiteral("Data flash type 0 to 5: AT25DF021, AT25DF041A, AT25DF081A, AT25DF161, AT25DF321A, M25P40 "
                       "(default 1)."),
        QStringLiteral("T"), QStringLiteral("1")};
    QCommandLineOption eraseAll {
        QStringLiteral("erase-all"), QStringLiteral("Erase every sector of the data flash (the default).")};
    QCommandLineOption eraseUsed {
        QStringLiteral("erase-used"), QStringLiteral("Erase only the sectors the program's boot table covers.")};
    ImageSetOptions imageSet;
    QCommandLineOption json {QStringLiteral("json"), QStringLiteral("Print the result as one JSON object.")};

    void addTo(CommandLine& line) const
    {
        for (const QCommandLineOption* option : {&device, &type, &eraseAll, &eraseUsed, &json})
            line.addOption(*option);
        imageSet.addTo(line);
    }
};

std::optional<core::DeviceConfig> readDevice(const CommandLine& line, const DataFlashOptions& options)
{
    const QCommandLineParser& parser = line.parser();
    const auto index = parser.isSet(options.device) ? parseNumberArgument(parser.value(options.device)) : std::nullopt;
    if (!index || !core::isValidDeviceIndex(static_cast<int>(*index))
        || !core::hasDataFlash(static_cast<int>(*index))) {
        line.usageError(QStringLiteral("--device takes an F2834x device index 36 to 41"));
        return std::nullopt;
    }
    const auto type = parseNumberArgument(parser.value(options.type));
    if (!type || *type >= static_cast<std::uint32_t>(core::kDataFlashTypeCount)) {
        line.usageError(QStringLiteral("--type takes a data flash type 0 to 5"));
        return std::nullopt;
    }
    if (parser.isSet(options.eraseAll) && parser.isSet(options.eraseUsed)) {
        line.usageError(QStringLiteral("--erase-all and --erase-used exclude each other"));
        return std::nullopt;
    }
    core::DeviceConfig device;
    device.deviceIndex = static_cast<int>(*index);
    device.dataFlashType = static_cast<int>(*type);
    device.dataFlashEraseAll = !parser.isSet(options.eraseUsed);
    return device;
}

int runDataFlash(const QStringList& args)
{
    CommandLine line(args,
        QStringLiteral("Erases the SPI data flash of an F2834x board, or writes the boot table of FILE.out into it "
                       "(verify: and compares every page). Exit code 0 when the action is OK, 1 when nothing was "
                       "run, otherwise 10 + the run's result code."));
    line.addPositional(QStringLiteral("MODE"), QStringLiteral("erase, write or verify."));
    line.addPositional(QStringLiteral("FILE.out"), QStringLiteral("TI COFF program."));
    const DataFlashOptions options;
    options.addTo(line);
    const LinkCommandLine command = parseLinkCommand(line, 2, 2);
    if (!command.settings)
        return command.exitCode;
    const auto mode = programming::dataFlashModeOf(line.arguments()[0].toStdString());
    if (!mode)
        return line.usageError(QStringLiteral("MODE is erase, write or verify"));
    const auto device = readDevice(line, options);
    if (!device)
        return kUsageErrorExitCode;
    const auto images = options.imageSet.read(line);
    if (!images)
        return kUsageErrorExitCode;

    image::ProgramImage image;
    const image::CoffLoadResult loaded = image.load(line.arguments()[1].toStdString(), device->deviceIndex);
    if (!image::isLoadSuccess(loaded)) {
        printError(text(image::coffLoadMessage(loaded)));
        return programming::kDataFlashRefusedExitCode;
    }
    CliLink link(*command.settings);
    if (!link.prepareUsb())
        return programming::kDataFlashRefusedExitCode;

    const bool json = line.parser().isSet(options.json);
    std::FILE* out = json ? stderr : stdout;
    const InterruptRequest interrupt;
    const programming::DataFlashConsolePorts ports {link.pod(), interrupt.flag(),
        [out](std::string_view printed) {
            std::fprintf(out, "%.*s\n", static_cast<int>(printed.size()), printed.data());
            std::fflush(out);
        },
        [](std::string_view error) { printError(text(error)); }};
    const programming::DataFlashRequest request {*mode, linkConfigOf(*command.settings), *device, *images};
    const programming::DataFlashConsoleReport report
        = programming::RunDataFlashOnConsole(ports, request, programming::dataFlashProgramOf(image));
    if (json)
        std::printf("%s\n", programming::dataFlashReportJson(report).c_str());
    return programming::dataFlashExitCode(report.result);
}

const CommandRegistration reg {QStringLiteral("dataflash"),
    QStringLiteral("Erase, write or write and verify the SPI data flash of an F2834x board"), runDataFlash};

} // namespace

} // namespace lumetra::cli
