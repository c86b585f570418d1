#include "cli/link_options.h"

#include "cli/command.h"
#include "core/link_option_lists.h"
#include "core/settings_dialog_logic.h"

namespace lumetra::cli {

namespace {

constexpr std::uint32_t kMaxTimeoutMs = 600000;
constexpr std::uint32_t kMaxTxDelayIndex = static_cast<std::uint32_t>(core::kTxDelayTexts.size()) - 1;

link::PosixTransportFactory::Options factoryOptions(const LinkSettings& settings)
{
    link::PosixTransportFactory::Options options;
    options.serialDevice = settings.device;
    return options;
}

// "COM3" names a port by number; anything else is a device path.
std::optional<int> comPortNumber(const QString& port)
{
    if (!port.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        return std::nullopt;
    bool ok = false;
    const int number = port.mid(3).toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<std::uint32_t> readBounded(
    const CommandLine& line, const QCommandLineOption& option, std::uint32_t low, std::uint32_t high)
{
    const auto value = parseNumberArgument(line.parser().value(option));
    if (!value || *value < low || *value > high) {
        line.usageError(QStringLiteral("--%1 takes %2 to %3").arg(option.names().first()).arg(low).arg(high));
        return std::nullopt;
    }
    return value;
}

} // namespace

LinkOptions::LinkOptions()
    : port_(QStringLiteral("port"),
        QStringLiteral("Serial POD on DEVICE: a device path (a pseudo-terminal included) or COM1 to COM16."),
        QStringLiteral("DEVICE"))
    , usb_(QStringLiteral("usb"), QStringLiteral("USB POD through the D2XX library."))
    , baud_(QStringLiteral("baud"), QStringLiteral("POD-to-target baud code 0 to 8 (default 4, 115200)."),
          QStringLiteral("CODE"), QStringLiteral("4"))
    , timeout_(QStringLiteral("timeout"), QStringLiteral("Reply time-out in milliseconds (default 200)."),
          QStringLiteral("MS"), QStringLiteral("200"))
    , txDelay_(QStringLiteral("txdelay"), QStringLiteral("POD transmit-delay index 0 to 6 (default 3)."),
          QStringLiteral("N"), QStringLiteral("3"))
{
}

void LinkOptions::addTo(CommandLine& line) const
{
    for (const QCommandLineOption* option : {&port_, &usb_, &baud_, &timeout_, &txDelay_})
        line.addOption(*option);
}

const QCommandLineOption* LinkOptions::find(const QString& name) const
{
    for (const QCommandLineOption* option : {&port_, &usb_, &baud_, &timeout_, &txDelay_}) {
        if (option->names().contains(name))
            return option;
    }
    return nullptr;
}

std::optional<LinkSettings> LinkOptions::read(const CommandLine& line) const
{
    const QCommandLineParser& parser = line.parser();
    LinkSettings settings;
    settings.usb = parser.isSet(usb_);
    if (settings.usb == parser.isSet(port_)) {
        line.usageError(QStringLiteral("give either --port DEVICE or --usb"));
        return std::nullopt;
    }
    if (!settings.usb) {
        const QString port = parser.value(port_);
        const auto number = comPortNumber(port);
        if (port.isEmpty() || (number && (*number < 1 || *number > 16))) {
            line.usageError(QStringLiteral("--port takes COM1 to COM16 or a device path"));
            return std::nullopt;
        }
        if (number)
            settings.comPort = *number;
        else
            settings.device = port.toStdString();
    }
    const auto baud = readBounded(line, baud_, 0, core::kBaudCodeCount - 1);
    if (!baud)
        return std::nullopt;
    const auto timeout = readBounded(line, timeout_, 1, kMaxTimeoutMs);
    if (!timeout)
        return std::nullopt;
    const auto txDelay = readBounded(line, txDelay_, 0, kMaxTxDelayIndex);
    if (!txDelay)
        return std::nullopt;
    settings.baudCode = static_cast<int>(*baud);
    settings.timeout = link::Milliseconds(*timeout);
    settings.txDelayIndex = static_cast<std::uint8_t>(*txDelay);
    return settings;
}

core::LinkConfig linkConfigOf(const LinkSettings& settings)
{
    core::LinkConfig config;
    config.portType = settings.usb ? core::PortType::Usb : core::PortType::Serial;
    config.comPort = settings.comPort - 1;
    config.baudCode = settings.baudCode;
    return config;
}

LinkCommandLine parseLinkCommand(CommandLine& line, qsizetype minArgs, qsizetype maxArgs)
{
    const LinkOptions options;
    options.addTo(line);
    if (const auto end = line.parse(minArgs, maxArgs))
        return {std::nullopt, *end};
    return {options.read(line)};
}

int runLinkCommand(const QStringList& args, const QString& description, const std::function<int(link::CPodLink&)>& body)
{
    CommandLine line(args, description);
    const LinkCommandLine command = parseLinkCommand(line, 0, 0);
    if (!command.settings)
        return command.exitCode;
    CliLink link(*command.settings);
    if (!link.connect())
        return 1;
    return body(link.pod());
}

QCommandLineOption widthOption()
{
    return QCommandLineOption(QStringLiteral("width"), QStringLiteral("Word width in bits: 16 (default) or 32."),
        QStringLiteral("BITS"), QStringLiteral("16"));
}

std::optional<int> readWidth(const CommandLine& line, const QCommandLineOption& option)
{
    const QString text = line.parser().value(option);
    if (text == QLatin1String("16") || text == QLatin1String("32"))
        return text.toInt();
    line.usageError(QStringLiteral("--width takes 16 or 32"));
    return std::nullopt;
}

std::optional<std::uint32_t> parseNumberArgument(const QString& text)
{
    QString digits = text.trimmed();
    int base = 10;
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        digits = digits.mid(2);
        base = 16;
    } else if (digits.endsWith(QLatin1Char('h'), Qt::CaseInsensitive)) {
        digits.chop(1);
        base = 16;
    }
    // toULongLong would take a sign or spaces; only digits of the base are a number here.
    for (const QChar c : digits) {
        const bool digit = base == 16 ? QStringLiteral("0123456789abcdefABCDEF").contains(c) : c.isDigit();
        if (!digit || c.unicode() > 0x7F)
            return std::nullopt;
    }
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, base);
    if (!ok || digits.isEmpty() || value > 0xFFFFFFFFull)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

CliLink::CliLink(const LinkSettings& settings)
    : settings_(settings)
    , factory_(factoryOptions(settings))
    , pod_(factory_)
{
    pod_.setReplyTimeout(settings.timeout);
    pod_.setTxDelayIndex(settings.txDelayIndex);
}

CliLink::~CliLink()
{
    pod_.Disconnect();
}

bool CliLink::prepareUsb()
{
    if (!settings_.usb)
        return true;
    // The texts the settings dialog shows for the same two failures.
    if (!pod_.LoadDriver()) {
        printError(QString::fromUtf8(core::kUsbDriverLoadFailedText.data(), core::kUsbDriverLoadFailedText.size()));
        return false;
    }
    if (!pod_.FindUsbPod()) {
        printError(QString::fromUtf8(core::kUsbPodNotFoundText.data(), core::kUsbPodNotFoundText.size()));
        return false;
    }
    return true;
}

bool CliLink::connect()
{
    if (!prepareUsb())
        return false;
    const link::ConnectCode code = pod_.Connect(settings_.comPort, settings_.baudCode, settings_.usb);
    if (code != link::ConnectCode::Connected) {
        const std::string_view message = link::connectMessage(code);
        printError(QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())));
        return false;
    }
    return true;
}

} // namespace lumetra::cli
