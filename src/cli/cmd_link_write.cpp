// lumetra-cli write: one 16- or 32-bit value into target memory.
#include "cli/command.h"
#include "cli/link_options.h"
#include "cli/text_format.h"

namespace lumetra::cli {

namespace {

int runWrite(const Arguments& args)
{
    CommandLine line(args, "Writes VALUE to target memory at ADDR.");
    line.addPositional("ADDR", "Word address (0x3F8000, 3F8000H or decimal).");
    line.addPositional("VALUE", "Value that fits the width.");
    const Option width = widthOption();
    line.addOption(width);
    const LinkCommandLine command = parseLinkCommand(line, 2, 2);
    if (!command.settings)
        return command.exitCode;
    const auto bits = readWidth(line, width);
    if (!bits)
        return kUsageErrorExitCode;
    const auto address = parseNumberArgument(line.arguments()[0]);
    const auto value = parseNumberArgument(line.arguments()[1]);
    const std::uint32_t words = *bits == 32 ? 2 : 1;
    if (!address || *address > kTargetAddressSpace - words)
        return line.usageError("ADDR must be a word address inside the 0x400000-word address space");
    if (!value || (*bits == 16 && *value > 0xFFFF))
        return line.usageError(fillIn("VALUE must fit in %1 bits", {numberText(*bits)}));

    CliLink link(*command.settings);
    if (!link.connect())
        return 1;
    if (!link.pod().WriteWord(static_cast<int>(words), *address, *value)) {
        printError(kCommunicationError);
        return 1;
    }
    return 0;
}

const CommandRegistration reg {"write", "Write a word of target memory", runWrite};

} // namespace

} // namespace lumetra::cli
