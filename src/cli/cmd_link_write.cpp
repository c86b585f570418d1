// lumetra-cli write: one 16- or 32-bit value into target memory.
#include "cli/command.h"
#include "cli/link_options.h"

namespace lumetra::cli {

namespace {

int runWrite(const QStringList& args)
{
    CommandLine line(args, QStringLiteral("Writes VALUE to target memory at ADDR."));
    line.addPositional(QStringLiteral("ADDR"), QStringLiteral("Word address (0x3F8000, 3F8000H or decimal)."));
    line.addPositional(QStringLiteral("VALUE"), QStringLiteral("Value that fits the width."));
    const QCommandLineOption width = widthOption();
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
        return line.usageError(QStringLiteral("ADDR must be a word address inside the 0x400000-word address space"));
    if (!value || (*bits == 16 && *value > 0xFFFF))
        return line.usageError(QStringLiteral("VALUE must fit in %1 bits").arg(*bits));

    CliLink link(*command.settings);
    if (!link.connect())
        return 1;
    if (!link.pod().WriteWord(static_cast<int>(words), *address, *value)) {
        printError(QString::fromUtf8(kCommunicationError));
        return 1;
    }
    return 0;
}

const CommandRegistration reg {QStringLiteral("write"), QStringLiteral("Write a word of target memory"), runWrite};

} // namespace

} // namespace lumetra::cli
