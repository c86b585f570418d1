// lumetra-cli download: the SCI boot download of the desktop's "SCI 부트" command, for build servers: the same
// checks, image set and run, a progress bar, the result line, and the result code as exit code.
#include "cli/command.h"
#include "cli/image_set_options.h"
#include "cli/interrupt_request.h"
#include "cli/link_options.h"
#include "cli/terminal_progress.h"
#include "cli/text_format.h"

#include "core/path_text.h"

#include "image/program_image.h"
#include "programming/download_command.h"
#include "programming/program_data.h"

#include <algorithm>
#include <cctype>
#include <chrono>

namespace lumetra::cli {

namespace {

using programming::RunResult;

constexpr int kRefusedExitCode = 1;
constexpr int kRunExitBase = 10;

class ErrorPrompts : public core::UserPrompts {
public:
    void showMessage(core::MessageIcon, std::string_view message) override { printError(message); }
};

class NoticeLines : public programming::FlashNotice {
public:
    explicit NoticeLines(std::FILE* out)
        : out_(out)
    {
    }
    void show() override
    {
        std::fprintf(out_,
            "FLASH Writing is OK !!!\nTarget Board를 Flash Boot Mode로 전환한 후 Reset 하십시요.\n"
            "( Boot Pin 사용시 자동으로 Reset 됩니다. )\n");
        std::fflush(out_);
    }

private:
    std::FILE* out_;
};

struct DownloadOptions {
    Option device {"device", "Target device index 0 to 70 (required).", "N", {}};
    Option eraseAll {"erase-all", "Erase every flash sector (default: only the sectors the program uses).", {}, {}};
    Option csmKeys {"csm-keys",
        "Unlock the code security module with these hexadecimal keys: KEY0 to KEY7 (KEY0 to KEY3 for LF240x "
        "devices), separated by commas.",
        "K0,...", {}};
    ImageSetOptions imageSet;
    Option json {"json", "Print the result as one JSON object.", {}, {}};

    void addTo(CommandLine& line) const
    {
        for (const Option* option : {&device, &eraseAll, &csmKeys, &json})
            line.addOption(*option);
        imageSet.addTo(line);
    }
};

// A key of --csm-keys: hexadecimal digits with an optional "0x", spaces around them.
std::optional<std::uint16_t> parseKey(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    std::string_view digits = text.substr(first, text.find_last_not_of(' ') + 1 - first);
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        digits.remove_prefix(2);
    std::uint32_t value = 0;
    for (const char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(std::stoi(std::string(1, c), nullptr, 16));
        if (value > 0xFFFF)
            return std::nullopt;
    }
    return digits.empty() ? std::nullopt : std::optional<std::uint16_t>(static_cast<std::uint16_t>(value));
}

std::optional<core::DeviceConfig> readDevice(const CommandLine& line, const DownloadOptions& options)
{
    const auto index = line.isSet(options.device) ? parseNumberArgument(line.value(options.device)) : std::nullopt;
    if (!index || !core::isValidDeviceIndex(static_cast<int>(*index))) {
        line.usageError("--device takes a device index 0 to 70");
        return std::nullopt;
    }
    core::DeviceConfig device;
    device.deviceIndex = static_cast<int>(*index);
    const int keyCount = core::csmKeyCountOf(device.deviceIndex);
    const bool hasFlashOptions = core::familyOf(device.deviceIndex) == core::Family::F28x && keyCount > 0;
    device.eraseAll = line.isSet(options.eraseAll);
    if (device.eraseAll && !hasFlashOptions) {
        line.usageError("--erase-all applies to F28x devices with on-chip flash");
        return std::nullopt;
    }
    if (!line.isSet(options.csmKeys))
        return device;
    const std::vector<std::string> keys = splitAt(line.value(options.csmKeys), ',');
    if (keyCount == 0 || keys.size() != static_cast<std::size_t>(keyCount)) {
        line.usageError(keyCount == 0 ? std::string("the selected device has no CSM keys")
                                      : fillIn("--csm-keys takes %1 hexadecimal keys", {numberText(keyCount)}));
        return std::nullopt;
    }
    bool allZero = true;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::optional<std::uint16_t> value = parseKey(keys[k]);
        if (!value) {
            line.usageError(fillIn("KEY%1 is not a hexadecimal 16-bit value", {numberText(static_cast<long long>(k))}));
            return std::nullopt;
        }
        device.csmKeys[k] = *value;
        allZero = allZero && *value == 0;
    }
    if (allZero && keyCount == core::kCsmKeyWordCount) {
        line.usageError("모든 Key값이 0이면 Device는 Permanent Secure Locked된 상태이므로 본 "
                        "프로그램의 일부 기능이 제대로 작동되지 않읍니다.");
        return std::nullopt;
    }
    device.csmUse = true;
    return device;
}

// The run's outcome with the command's time and exit code; a command that stopped before a run has no result.
nlohmann::json resultJson(const programming::DownloadOutcome& outcome, double seconds, std::size_t words, int exitCode)
{
    const bool programmed = outcome.result && programming::isSuccess(*outcome.result);
    return {
        {"result", outcome.result ? nlohmann::json(static_cast<int>(*outcome.result)) : nlohmann::json()},
        {"line", outcome.result ? std::string(programming::resultLine(*outcome.result)) : std::string()},
        {"programmed", programmed},
        {"message", outcome.message},
        {"baudRestored", programmed && !outcome.baudRestoreFailed},
        {"seconds", seconds},
        {"words", words},
        {"exitCode", exitCode},
    };
}

// 0 when the program was written and the POD set back, 1 when nothing ran, 10 + the result code otherwise
// (30: written, but the POD stayed at the run's baud); 2 stays the usage errors'.
int exitCodeOf(const programming::DownloadOutcome& outcome)
{
    if (!outcome.result)
        return kRefusedExitCode;
    if (!programming::isSuccess(*outcome.result))
        return kRunExitBase + static_cast<int>(*outcome.result);
    return outcome.baudRestoreFailed ? kRunExitBase + static_cast<int>(RunResult::BaudChange) : 0;
}

int runDownload(const Arguments& args)
{
    CommandLine line(args,
        "Downloads the program FILE.out into the target through its SCI boot mode: into on-chip flash when the "
        "program has flash sections, otherwise into RAM. Exit code 0 when the program was written, 1 when nothing "
        "was run, otherwise 10 + the run's result code.");
    line.addPositional("FILE.out", "TI COFF program.");
    const DownloadOptions options;
    options.addTo(line);
    const LinkCommandLine command = parseLinkCommand(line, 1, 1);
    if (!command.settings)
        return command.exitCode;
    const auto device = readDevice(line, options);
    if (!device)
        return kUsageErrorExitCode;

    const auto images = options.imageSet.read(line, *command.settings);
    if (!images)
        return kUsageErrorExitCode;
    const bool json = line.isSet(options.json);
    // Stopped before a run: the message is on standard error, and in the JSON object with a null result.
    const auto refuse = [json](std::string_view message) {
        if (json)
            printJson(resultJson({std::nullopt, std::string(message), false}, 0.0, 0, kRefusedExitCode));
        return kRefusedExitCode;
    };

    image::ProgramImage image;
    const image::CoffLoadResult loaded = image.load(core::pathFromUtf8(line.arguments()[0]), device->deviceIndex);
    if (!image::isLoadSuccess(loaded)) {
        printError(image::coffLoadMessage(loaded));
        return refuse(image::coffLoadMessage(loaded));
    }
    const programming::ProgramData program = programming::programDataOf(image);

    programming::DownloadRequest request;
    request.device = *device;
    request.link = linkConfigOf(*command.settings);
    request.images = *images;

    CliLink link(*command.settings);
    if (!link.prepareUsb())
        return refuse(link.usbRefusal());
    std::FILE* progressOut = json ? stderr : stdout;
    const InterruptRequest interrupt;
    TerminalProgress progress(progressOut, interrupt.flag());
    ErrorPrompts prompts;
    programming::NoLinkTakeover takeover;
    NoticeLines notice(progressOut);
    std::atomic<bool> busy {false};
    const std::atomic<bool> dataFlashBusy {false};
    const programming::DownloadPorts ports {link.pod(), progress, prompts, takeover, notice, busy, dataFlashBusy,
        [&pod = link.pod()](link::Milliseconds wait) { pod.pause(wait); }};

    const auto start = std::chrono::steady_clock::now();
    const programming::DownloadOutcome outcome = programming::DownloadCommand(ports, request, program);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int exitCode = exitCodeOf(outcome);
    if (json)
        printJson(resultJson(outcome, seconds, image.totalWords(), exitCode));
    return exitCode;
}

const CommandRegistration reg {
    "download", "Write a program into the target through SCI boot (flash or RAM)", runDownload};

} // namespace

} // namespace lumetra::cli
