// lumetra-cli download: the SCI boot download of the desktop's "SCI 부트" command, for build servers: the same
// checks, image set and run, a progress bar, the result line, and the result code as exit code.
#include "cli/command.h"
#include "cli/image_set_options.h"
#include "cli/interrupt_request.h"
#include "cli/link_options.h"
#include "cli/terminal_progress.h"

#include "image/program_image.h"
#include "link/link_pause.h"
#include "programming/download_command.h"
#include "programming/program_data.h"

#include <QJsonObject>

#include <chrono>

namespace lumetra::cli {

namespace {

using programming::RunResult;

constexpr int kRefusedExitCode = 1;
constexpr int kBaudRestoreExitCode = static_cast<int>(RunResult::BaudChange);

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

class ErrorPrompts : public core::UserPrompts {
public:
    void showMessage(core::MessageIcon, std::string_view message) override { printError(text(message)); }
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
    QCommandLineOption device {
        QStringLiteral("device"), QStringLiteral("Target device index 0 to 70 (required)."), QStringLiteral("N")};
    QCommandLineOption eraseAll {QStringLiteral("erase-all"),
        QStringLiteral("Erase every flash sector (default: only the sectors the program uses).")};
    QCommandLineOption csmKeys {QStringLiteral("csm-keys"),
        QStringLiteral("Unlock the code security module with these hexadecimal keys: KEY0 to KEY7 (KEY0 to KEY3 for "
                       "LF240x devices), separated by commas."),
        QStringLiteral("K0,...")};
    ImageSetOptions imageSet;
    QCommandLineOption json {QStringLiteral("json"), QStringLiteral("Print the result as one JSON object.")};

    void addTo(CommandLine& line) const
    {
        for (const QCommandLineOption* option : {&device, &eraseAll, &csmKeys, &json})
            line.addOption(*option);
        imageSet.addTo(line);
    }
};

std::optional<core::DeviceConfig> readDevice(const CommandLine& line, const DownloadOptions& options)
{
    const QCommandLineParser& parser = line.parser();
    const auto index = parser.isSet(options.device) ? parseNumberArgument(parser.value(options.device)) : std::nullopt;
    if (!index || !core::isValidDeviceIndex(static_cast<int>(*index))) {
        line.usageError(QStringLiteral("--device takes a device index 0 to 70"));
        return std::nullopt;
    }
    core::DeviceConfig device;
    device.deviceIndex = static_cast<int>(*index);
    const int keyCount = core::csmKeyCountOf(device.deviceIndex);
    const bool hasFlashOptions = core::familyOf(device.deviceIndex) == core::Family::F28x && keyCount > 0;
    device.eraseAll = parser.isSet(options.eraseAll);
    if (device.eraseAll && !hasFlashOptions) {
        line.usageError(QStringLiteral("--erase-all applies to F28x devices with on-chip flash"));
        return std::nullopt;
    }
    if (!parser.isSet(options.csmKeys))
        return device;
    const QStringList keys = parser.value(options.csmKeys).split(QLatin1Char(','));
    if (keyCount == 0 || keys.size() != keyCount) {
        line.usageError(keyCount == 0 ? QStringLiteral("the selected device has no CSM keys")
                                      : QStringLiteral("--csm-keys takes %1 hexadecimal keys").arg(keyCount));
        return std::nullopt;
    }
    bool allZero = true;
    for (qsizetype k = 0; k < keys.size(); ++k) {
        bool ok = false;
        const uint value = keys[k].trimmed().toUInt(&ok, 16);
        if (!ok || value > 0xFFFF) {
            line.usageError(QStringLiteral("KEY%1 is not a hexadecimal 16-bit value").arg(k));
            return std::nullopt;
        }
        device.csmKeys[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(value);
        allZero = allZero && value == 0;
    }
    if (allZero && keyCount == core::kCsmKeyWordCount) {
        line.usageError(QStringLiteral("모든 Key값이 0이면 Device는 Permanent Secure Locked된 상태이므로 본 "
                                       "프로그램의 일부 기능이 제대로 작동되지 않읍니다."));
        return std::nullopt;
    }
    device.csmUse = true;
    return device;
}

QJsonObject resultJson(const programming::DownloadOutcome& outcome, double seconds, std::size_t words, int exitCode)
{
    QJsonObject json;
    json.insert(
        QStringLiteral("result"), outcome.result ? QJsonValue(static_cast<int>(*outcome.result)) : QJsonValue());
    json.insert(QStringLiteral("line"), outcome.result ? text(programming::resultLine(*outcome.result)) : QString());
    json.insert(QStringLiteral("programmed"), outcome.result && programming::isSuccess(*outcome.result));
    json.insert(QStringLiteral("message"), QString::fromStdString(outcome.message));
    json.insert(QStringLiteral("baudRestored"), !outcome.baudRestoreFailed);
    json.insert(QStringLiteral("seconds"), seconds);
    json.insert(QStringLiteral("words"), static_cast<qint64>(words));
    json.insert(QStringLiteral("exitCode"), exitCode);
    return json;
}

int exitCodeOf(const programming::DownloadOutcome& outcome)
{
    if (!outcome.result)
        return kRefusedExitCode;
    if (!programming::isSuccess(*outcome.result))
        return static_cast<int>(*outcome.result);
    return outcome.baudRestoreFailed ? kBaudRestoreExitCode : 0;
}

int runDownload(const QStringList& args)
{
    CommandLine line(args,
        QStringLiteral("Downloads the program FILE.out into the target through its SCI boot mode: into on-chip "
                       "flash when the program has flash sections, otherwise into RAM. Exit code 0 when the "
                       "program was written, otherwise the run's result code (1 when nothing was run)."));
    line.addPositional(QStringLiteral("FILE.out"), QStringLiteral("TI COFF program."));
    const DownloadOptions options;
    options.addTo(line);
    const LinkCommandLine command = parseLinkCommand(line, 1, 1);
    if (!command.settings)
        return command.exitCode;
    const auto device = readDevice(line, options);
    if (!device)
        return kUsageErrorExitCode;
    const QCommandLineParser& parser = line.parser();

    const std::string path = line.arguments()[0].toStdString();
    image::ProgramImage image;
    const image::CoffLoadResult loaded = image.load(path, device->deviceIndex);
    if (!image::isLoadSuccess(loaded)) {
        printError(text(image::coffLoadMessage(loaded)));
        return kRefusedExitCode;
    }
    const programming::ProgramData program = programming::programDataOf(image);

    programming::DownloadRequest request;
    request.device = *device;
    request.link = linkConfigOf(*command.settings);
    const auto images = options.imageSet.read(line);
    if (!images)
        return kUsageErrorExitCode;
    request.images = *images;

    CliLink link(*command.settings);
    if (!link.prepareUsb())
        return kRefusedExitCode;
    const bool json = parser.isSet(options.json);
    std::FILE* progressOut = json ? stderr : stdout;
    const InterruptRequest interrupt;
    TerminalProgress progress(progressOut, interrupt.flag());
    ErrorPrompts prompts;
    programming::NoLinkTakeover takeover;
    NoticeLines notice(progressOut);
    std::atomic<bool> busy {false};
    const std::atomic<bool> dataFlashBusy {false};
    const programming::DownloadPorts ports {link.pod(), progress, prompts, takeover, notice, busy, dataFlashBusy,
        [](link::Milliseconds wait) { link::pause(wait); }};

    const auto start = std::chrono::steady_clock::now();
    const programming::DownloadOutcome outcome = programming::DownloadCommand(ports, request, program);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int exitCode = exitCodeOf(outcome);
    if (json)
        printJson(QJsonDocument(resultJson(outcome, seconds, image.totalWords(), exitCode)));
    return exitCode;
}

const CommandRegistration reg {QStringLiteral("download"),
    QStringLiteral("Write a program into the target through SCI boot (flash or RAM)"), runDownload};

} // namespace

} // namespace lumetra::cli
