// lumetra-cli read: words of target memory, the first through its address and the rest as the next words.
#include "cli/command.h"
#include "cli/link_options.h"

namespace lumetra::cli {

namespace {

int runRead(const QStringList& args)
{
    CommandLine line(args, QStringLiteral("Reads COUNT words (default 1) of target memory from ADDR."));
    line.addPositional(QStringLiteral("ADDR"), QStringLiteral("Word address (0x3F8000, 3F8000H or decimal)."));
    line.addPositional(QStringLiteral("COUNT"), QStringLiteral("Number of words."), QStringLiteral("[COUNT]"));
    const QCommandLineOption width = widthOption();
    line.addOption(width);
    const LinkCommandLine command = parseLinkCommand(line, 1, 2);
    if (!command.settings)
        return command.exitCode;
    const auto bits = readWidth(line, width);
    if (!bits)
        return kUsageErrorExitCode;
    const QStringList arguments = line.arguments();
    const auto address = parseNumberArgument(arguments[0]);
    const auto count = arguments.size() > 1 ? parseNumberArgument(arguments[1]) : std::optional<std::uint32_t>(1);
    const std::uint32_t step = *bits == 32 ? 2 : 1;
    if (!address || *address >= kTargetAddressSpace)
        return line.usageError(QStringLiteral("ADDR must be a word address below 0x400000"));
    if (!count || *count == 0 || *count > (kTargetAddressSpace - *address) / step)
        return line.usageError(
            QStringLiteral("COUNT must be at least 1 and stay inside the 0x400000-word address space"));

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
            printError(QString::fromUtf8(kCommunicationError));
            return 1;
        }
        printLine(QStringLiteral("0x%1: 0x%2")
                      .arg(*address + n * step, 6, 16, QLatin1Char('0'))
                      .arg(value, digits, 16, QLatin1Char('0'))
                      .toUpper()
                      .replace(QLatin1String("0X"), QLatin1String("0x")));
    }
    return 0;
}

const CommandRegistration reg {QStringLiteral("read"), QStringLiteral("Read words of target memory"), runRead};

} // namespace

} // namespace lumetra::cli
