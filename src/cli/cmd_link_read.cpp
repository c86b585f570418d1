// lumetra-cli read: words of target memory, the first through its address and the rest as the next words.
#include "cli/command.h"
#include "cli/link_options.h"

namespace lumetra::cli {

namespace {

int runRead(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Reads COUNT words (default 1) of target memory from ADDR."));
    parser.addPositionalArgument(QStringLiteral("ADDR"), QStringLiteral("Word address (0x3F8000, 3F8000H or decimal)."));
    parser.addPositionalArgument(QStringLiteral("COUNT"), QStringLiteral("Number of words."), QStringLiteral("[COUNT]"));
    const QCommandLineOption width = widthOption();
    parser.addOption(width);
    const auto command = parseLinkCommand(parser, args, 1, 2);
    if (!command)
        return 2;
    const auto bits = readWidth(parser, width);
    const auto address = parseNumberArgument(command->arguments[0]);
    const auto count = command->arguments.size() > 1 ? parseNumberArgument(command->arguments[1])
                                                     : std::optional<std::uint32_t>(1);
    if (!bits)
        return 2;
    const std::uint32_t step = *bits == 32 ? 2 : 1;
    if (!address || *address >= kTargetAddressSpace) {
        printError(QStringLiteral("ADDR must be a word address below 0x400000"));
        return 2;
    }
    if (!count || *count == 0 || *count > (kTargetAddressSpace - *address) / step) {
        printError(QStringLiteral("COUNT must be at least 1 and stay inside the 0x400000-word address space"));
        return 2;
    }

    CliLink link(command->settings);
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

const CommandRegistration reg{QStringLiteral("read"), QStringLiteral("Read words of target memory"), runRead};

} // namespace

} // namespace lumetra::cli
