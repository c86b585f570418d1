// The link options shared by the commands that talk to the POD, and the connection they open.
#pragma once

#include "app/link_state.h"
#include "cli/command_line.h"
#include "core/configuration.h"
#include "core/device_catalogue.h"
#include "link/platform_transport_factory.h"
#include "link/pod_link.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra::cli {

struct LinkSettings {
    bool usb = false;
    std::optional<std::string> device; // a device path; otherwise the device of COM<comPort>
    int comPort = 1;
    int baudCode = 4;
    link::Milliseconds timeout = link::kDefaultReplyTimeout;
    std::uint8_t txDelayIndex = 3;
};

// --port DEVICE | --usb, --baud CODE, --timeout MS, --txdelay N.
class LinkOptions {
public:
    LinkOptions();
    void addTo(CommandLine& line) const;
    // nullopt after a usage error for a missing or bad value.
    std::optional<LinkSettings> read(const CommandLine& line) const;
    // The link option of that name; nullptr for any other name.
    const Option* find(const std::string& name) const;

private:
    Option port_;
    Option usb_;
    Option baud_;
    Option timeout_;
    Option txDelay_;
};

// The link values a programming command restores and reconnects with.
core::LinkConfig linkConfigOf(const LinkSettings& settings);

// Adds the link options to line, parses it with between minArgs and maxArgs positional arguments and reads the
// link settings. Without settings the command ends with exitCode: 0 after --help, else a usage error.
struct LinkCommandLine {
    std::optional<LinkSettings> settings;
    int exitCode = kUsageErrorExitCode;
};
LinkCommandLine parseLinkCommand(CommandLine& line, std::size_t minArgs, std::size_t maxArgs);

// --width 16|32 of the memory commands.
Option widthOption();
// 16 or 32; nullopt after a usage error otherwise.
std::optional<int> readWidth(const CommandLine& line, const Option& option);

// A whole number as the dialogs take it: trimmed; a "0x" prefix or an "H" suffix (either case) means
// hexadecimal, otherwise decimal. nullopt for anything else or a value above 0xFFFFFFFF.
std::optional<std::uint32_t> parseNumberArgument(std::string_view text);

// ADDR of the memory commands: a word address below 0x400000 by parseNumberArgument (a wider number is refused,
// never wrapped). nullopt after a usage error.
std::optional<std::uint32_t> readAddressArgument(const CommandLine& line, std::string_view text);

// The POD link of one command: connects with the settings and disconnects when it goes.
class CliLink {
public:
    explicit CliLink(const LinkSettings& settings);
    ~CliLink();
    CliLink(const CliLink&) = delete;
    CliLink& operator=(const CliLink&) = delete;

    // Opens the transport and initialises the POD; on failure prints the system's message (with the cause when
    // the port did not open) and returns false.
    bool connect();
    // USB: loads the D2XX library and finds the POD, printing the message of a failure; true for a serial POD.
    bool prepareUsb();
    link::CPodLink& pod() { return pod_; }
    // The message prepareUsb printed when it failed.
    const std::string& usbRefusal() const { return usbRefusal_; }

private:
    LinkSettings settings_;
    std::string usbRefusal_;
    link::PlatformTransportFactory factory_;
    link::CPodLink pod_;
};

// A command without arguments: parses the link options, connects, and runs body on the POD. The command's
// exit code: 0 after --help, kUsageErrorExitCode for a usage error, 1 when the connection fails, else what body
// returns.
int runLinkCommand(
    const Arguments& args, const std::string& description, const std::function<int(link::CPodLink&)>& body);

// Word addresses of the target: 22 bits.
inline const std::uint32_t kTargetAddressSpace = core::addressSpaceWordsOf(core::Family::F28x);

// Printed when a POD command fails (the monitors' own message; the literal ends in a NUL).
inline constexpr const char* kCommunicationError = app::kCommunicationErrorMessage.data();

} // namespace lumetra::cli
