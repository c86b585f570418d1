// lumetra-cli write: one 16- or 32-bit value into target memory.
#include "cli/command.h"
#include "cli/link_options.h"

namespace lumetra::cli {

namespace {

int runWrite(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes VALUE to target memory at ADDR."));
    parser.addPositionalArgument(QStringLiteral("ADDR"), QStringLiteral("Word address (0x3F8000, 3F8000H or decimal)."));
    parser.addPositionalArgument(QStringLiteral("VALUE"), QStringLiteral("Value that fits the width."));
    const QCommandLineOption width = widthOption();
    parser.addOption(width);
    const auto command = parseLinkCommand(parser, args, 2, 2);
    if (!command)
        return 2;
    const auto bits = readWidth(parser, width);
    if (!bits)
        return 2;
    const auto address = parseNumberArgument(command->arguments[0]);
    const auto value = parseNumberArgument(command->arguments[1]);
    const std::uint32_t words = *bits == 32 ? 2 : 1;
    if (!address || *address > kTargetAddressSpace - words) {
        printError(QStringLiteral("ADDR must be a word address inside the 0x400000-word address space"));
        return 2;
    }
    if (!value || (*bits == 16 && *value > 0xFFFF)) {
        printError(QStringLiteral("VALUE must fit in %1 bits").arg(*bits));
        return 2;
    }

    CliLink link(command->settings);
    if (!link.connect())
        return 1;
    if (!link.pod().WriteWord(static_cast<int>(words), *address, *value)) {
        printError(QString::fromUtf8(kCommunicationError));
        return 1;
    }
    return 0;
}

const CommandRegistration reg{QStringLiteral("write"), QStringLiteral("Write a word of target memory"), runWrite};

} // namespace

} // namespace lumetra::cli
