// lumetra-cli read: words of target memory, the first through its address and the rest as the next words.
#include "cli/command.h"
#include "cli/link_options.h"
#include "cli/text_format.h"

namespace lumetra::cli {

namespace {

int runRead(const Arguments& args)
{
    CommandLine line(args, "Reads COUNT words (default 1) of target memory from ADDR.");
    line.addPositional("ADDR", "Word address (0x3F8000, 3F8000H or decimal).");
    line.addPositional("COUNT", "Number of words.", "[COUNT]");
    const Option width = widthOption();
    line.addOption(width);
    const LinkCommandLine command = parseLinkCommand(line, 1, 2);
    if (!command.settings)
        return command.exitCode;
    const auto bits = readWidth(line, width);
    if (!bits)
        return kUsageErrorExitCode;
    const Arguments& arguments = line.arguments();
    const auto address = readAddressArgument(line, arguments[0]);
    if (!address)
        return kUsageErrorExitCode;
    const auto count = arguments.size() > 1 ? parseNumberArgument(arguments[1]) : std::optional<std::uint32_t>(1);
    const std::uint32_t step = *bits == 32 ? 2 : 1;
    if (!count || *count == 0 || *count > (kTargetAddressSpace - *address) / step)
        return line.usageError("COUNT must be at least 1 and stay inside the 0x400000-word address space");

    CliLink link(*command.settings);
    if (!link.connect())
        return 1;
    // Lower-case modes: the POD advances its address after each read.
    const char mode = *bits == 32 ? 'l' : 'r';
    const int digits = *bits / 4;
    for (std::uint32_t n = 0; n < *count; ++n) {
        std::uint32_t value = 0;
        const bool ok = n == 0 ? link.pod().ReadWord(*address, mode, value) : link.pod().ReadNext(mode, value);
        if (!ok) {
            printError(kCommunicationError);
            return 1;
        }
        printLine(hexText(*address + n * step, 6) + ": " + hexText(value, digits));
    }
    return 0;
}

const CommandRegistration reg {"read", "Read words of target memory", runRead};

} // namespace

} // namespace lumetra::cli
