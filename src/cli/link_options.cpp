#include "cli/link_options.h"

#include "cli/command.h"
#include "cli/text_format.h"
#include "core/link_option_lists.h"
#include "core/settings_dialog_logic.h"

#include <algorithm>
#include <cctype>

namespace lumetra::cli {

namespace {

constexpr std::uint32_t kMaxTimeoutMs = 600000;
constexpr std::uint32_t kMaxTxDelayIndex = static_cast<std::uint32_t>(core::kTxDelayTexts.size()) - 1;

link::PlatformTransportFactory::Options factoryOptions(const LinkSettings& settings)
{
    link::PlatformTransportFactory::Options options;
    options.serialDevice = settings.device;
    return options;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// "COM3" names a port by number; anything else is a device path.
std::optional<int> comPortNumber(const std::string& port)
{
    if (port.size() < 4 || !equalsIgnoringCase(std::string_view(port).substr(0, 3), "COM"))
        return std::nullopt;
    const std::string digits = port.substr(3);
    if (digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(digits);
}

std::optional<std::uint32_t> readBounded(
    const CommandLine& line, const Option& option, std::uint32_t low, std::uint32_t high)
{
    const auto value = parseNumberArgument(line.value(option));
    if (!value || *value < low || *value > high) {
        line.usageError(fillIn("--%1 takes %2 to %3", {option.name, numberText(low), numberText(high)}));
        return std::nullopt;
    }
    return value;
}

} // namespace

LinkOptions::LinkOptions()
    : port_ {"port", "Serial POD on DEVICE: a device path (a pseudo-terminal included) or COM1 to COM16.", "DEVICE", {}}
    , usb_ {"usb", "USB POD through the D2XX library.", {}, {}}
    , baud_ {"baud", "POD-to-target baud code 0 to 8 (default 4, 115200).", "CODE", "4"}
    , timeout_ {"timeout", "Reply time-out in milliseconds (default 200).", "MS", "200"}
    , txDelay_ {"txdelay", "POD transmit-delay index 0 to 6 (default 3).", "N", "3"}
{
}

void LinkOptions::addTo(CommandLine& line) const
{
    for (const Option* option : {&port_, &usb_, &baud_, &timeout_, &txDelay_})
        line.addOption(*option);
}

const Option* LinkOptions::find(const std::string& name) const
{
    for (const Option* option : {&port_, &usb_, &baud_, &timeout_, &txDelay_}) {
        if (option->name == name)
            return option;
    }
    return nullptr;
}

std::optional<LinkSettings> LinkOptions::read(const CommandLine& line) const
{
    LinkSettings settings;
    settings.usb = line.isSet(usb_);
    if (settings.usb == line.isSet(port_)) {
        line.usageError("give either --port DEVICE or --usb");
        return std::nullopt;
    }
    if (!settings.usb) {
        const std::string port = line.value(port_);
        const auto number = comPortNumber(port);
        if (port.empty() || (number && (*number < 1 || *number > 16))) {
            line.usageError("--port takes COM1 to COM16 or a device path");
            return std::nullopt;
        }
        if (number)
            settings.comPort = *number;
        else
            settings.device = port;
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

LinkCommandLine parseLinkCommand(CommandLine& line, std::size_t minArgs, std::size_t maxArgs)
{
    const LinkOptions options;
    options.addTo(line);
    if (const auto end = line.parse(minArgs, maxArgs))
        return {std::nullopt, *end};
    return {options.read(line)};
}

int runLinkCommand(
    const Arguments& args, const std::string& description, const std::function<int(link::CPodLink&)>& body)
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

Option widthOption()
{
    return {"width", "Word width in bits: 16 (default) or 32.", "BITS", "16"};
}

std::optional<int> readWidth(const CommandLine& line, const Option& option)
{
    const std::string text = line.value(option);
    if (text == "16" || text == "32")
        return std::stoi(text);
    line.usageError("--width takes 16 or 32");
    return std::nullopt;
}

std::optional<std::uint32_t> parseNumberArgument(std::string_view text)
{
    constexpr std::string_view kSpaces = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(kSpaces);
    if (first == std::string_view::npos)
        return std::nullopt;
    std::string_view digits = text.substr(first, text.find_last_not_of(kSpaces) + 1 - first);
    int base = 10;
    if (digits.size() >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    } else if (!digits.empty() && (digits.back() == 'h' || digits.back() == 'H')) {
        digits.remove_suffix(1);
        base = 16;
    }
    if (digits.empty())
        return std::nullopt;
    // Only digits of the base are a number here: no sign, no spaces inside.
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
            : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
            : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<std::uint32_t> readAddressArgument(const CommandLine& line, std::string_view text)
{
    const auto address = parseNumberArgument(text);
    if (!address || *address >= kTargetAddressSpace) {
        line.usageError("ADDR must be a word address below 0x400000");
        return std::nullopt;
    }
    return address;
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
    if (!pod_.LoadDriver())
        usbRefusal_ = core::kUsbDriverLoadFailedText;
    else if (!pod_.FindUsbPod())
        usbRefusal_ = core::kUsbPodNotFoundText;
    else
        return true;
    printError(usbRefusal_);
    return false;
}

bool CliLink::connect()
{
    if (!prepareUsb())
        return false;
    const link::ConnectCode code = pod_.Connect(settings_.comPort, settings_.baudCode, settings_.usb);
    if (code == link::ConnectCode::PortNotOpened) {
        // Beside the system's message, why the port did not open, as a file that cannot be written says why.
        printError(std::string(link::connectMessage(code)) + " (" + pod_.lastFailure() + ')');
        return false;
    }
    if (code != link::ConnectCode::Connected) {
        printError(link::connectMessage(code));
        return false;
    }
    return true;
}

} // namespace lumetra::cli
