#include "cli/monitor_cli_options.h"

#include "cli/command.h"
#include "cli/link_options.h"

#include "core/device_catalogue.h"

namespace lumetra::cli {

QCommandLineOption deviceOption()
{
    return QCommandLineOption(QStringLiteral("device"),
        QStringLiteral("Target device index 0 to 70 (see lumetra-cli devices)."), QStringLiteral("N"));
}

std::optional<int> readDevice(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    const auto index = parser.isSet(option) ? parseNumberArgument(parser.value(option)) : std::nullopt;
    if (!index || !core::isValidDeviceIndex(static_cast<int>(*index))) {
        printError(QStringLiteral("--device takes a device index 0 to 70"));
        return std::nullopt;
    }
    return static_cast<int>(*index);
}

QCommandLineOption viewOption()
{
    return QCommandLineOption(QStringLiteral("view"),
        QStringLiteral("View type 0 to 7: hex 16, hex 32, signed 16, signed 32, unsigned 16, unsigned 32, float, "
                       "binary 16."),
        QStringLiteral("CODE"));
}

ViewChoice readView(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    if (!parser.isSet(option))
        return {true, std::nullopt};
    const auto code = parseNumberArgument(parser.value(option));
    const auto view = code ? monitor::viewTypeFromCode(*code) : std::nullopt;
    if (!view) {
        printError(QStringLiteral("--view takes a view type code 0 to 7"));
        return {};
    }
    return {true, view};
}

std::optional<std::uint32_t> readPositive(
    const QCommandLineParser& parser, const QCommandLineOption& option, std::uint32_t minimum)
{
    const auto value = parseNumberArgument(parser.value(option));
    if (!value || *value < minimum || *value > 0x7FFFFFFF) {
        printError(QStringLiteral("--%1 takes a whole number from %2").arg(option.names().constFirst()).arg(minimum));
        return std::nullopt;
    }
    return value;
}

} // namespace lumetra::cli
