#include "programming/download_command.h"

#include "programming/programming_runs.h"
#include "programming/run_images.h"
#include "programming/run_link.h"
#include "programming/section_placement.h"

#include "core/device_catalogue.h"

namespace lumetra::programming {

namespace {

constexpr int kLf240xTargetBaud = 2;
constexpr int kF2837xSTargetBaud = 3;
constexpr int kF28xTargetBaud = 4;
constexpr int kFirstGatedDevice = 27;
constexpr link::Milliseconds kNoticeDelay {500};

class BusyFlag {
public:
    explicit BusyFlag(std::atomic<bool>& flag)
        : flag_(flag)
    {
        flag_ = true;
    }
    ~BusyFlag() { flag_ = false; }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;

private:
    std::atomic<bool>& flag_;
};

bool hasFlashData(const ProgramData& program, int deviceCode)
{
    return program.summary.firstBankData || (takesSecondBankFlash(deviceCode) && program.summary.secondBankData);
}

class Download {
public:
    Download(const DownloadPorts& ports, const DownloadRequest& request, const ProgramData& program)
        : ports_(ports)
        , request_(request)
        , program_(program)
        , code_(request.device.deviceIndex)
    {
    }

    DownloadOutcome run(DownloadPath path);

private:
    bool say(core::MessageIcon icon, std::string_view text)
    {
        outcome_.message = std::string(text);
        ports_.prompts.showMessage(icon, text);
        return false;
    }
    bool prepareImages(DownloadPath path);
    bool prepareLink(bool lf240x);
    RunResult runPath(DownloadPath path);
    void finish(DownloadPath path, RunResult result, std::optional<int> monitoring);

    const DownloadPorts& ports_;
    const DownloadRequest& request_;
    const ProgramData& program_;
    const int code_;
    RunImages images_;
    DownloadOutcome outcome_;
};

bool Download::prepareImages(DownloadPath path)
{
    const bool flash = path != DownloadPath::F28xRam;
    const bool csm = request_.device.csmUse;
    if (!runNeedsImages(code_, flash, csm))
        return true;
    auto chosen = chooseImageSet(request_.images);
    if (const auto* refused = std::get_if<ImageSetRefusal>(&chosen))
        return say(core::MessageIcon::Error, refused->message);
    auto placed = PlaceKeys(std::get<ImageSet>(chosen), code_, {csm, request_.device.csmKeys}, flash);
    if (const auto* missing = std::get_if<std::string>(&placed))
        return say(core::MessageIcon::Error, missingImageMessage(*missing));
    images_ = std::move(std::get<RunImages>(placed));
    return true;
}

bool Download::prepareLink(bool lf240x)
{
    std::optional<FirmwareGate> gate;
    if (!lf240x && code_ >= kFirstGatedDevice)
        gate = FirmwareGate {core::requiredFirmwareForDownload(code_), core::firmwareTooOldMessage(code_)};
    if (const auto refusal = prepareRunLink(ports_.link, request_.link, runTargetBaud(code_), gate))
        return say(refusal->icon, refusal->message);
    return true;
}

RunResult Download::runPath(DownloadPath path)
{
    const RunContext context {
        ports_.link, ports_.progress, code_, request_.device.csmUse, request_.device.eraseAll, images_, program_};
    switch (path) {
    case DownloadPath::Lf240x:
        return RunLf240xFlash(context);
    case DownloadPath::F28xFlash:
        return RunF28xFlash(context);
    case DownloadPath::F28xRam:
        break;
    }
    return RunF28xRamDownload(context);
}

void Download::finish(DownloadPath path, RunResult result, std::optional<int> monitoring)
{
    link::CPodLink& link = ports_.link;
    if (!isSuccess(result)) {
        link.Disconnect();
        return;
    }
    if (!link.SetTargetBaud(request_.link.baudCode)) {
        link.Disconnect();
        outcome_.baudRestoreFailed = true;
        say(core::MessageIcon::Error, kBaudChangeFailedMessage);
        return;
    }
    if (path == DownloadPath::F28xFlash) {
        ports_.pause(kNoticeDelay);
        ports_.notice.show();
    }
    ports_.takeover.resumeMonitoring(monitoring);
}

DownloadOutcome Download::run(DownloadPath path)
{
    if (!prepareImages(path))
        return outcome_;
    BusyFlag busy(ports_.programmingBusy);
    ports_.takeover.stopGraphAcquisition();
    const std::optional<int> monitoring = ports_.takeover.suspendMonitoring();
    if (!prepareLink(path == DownloadPath::Lf240x))
        return outcome_;
    ports_.progress.showProgress();
    const RunResult result = runPath(path);
    ports_.progress.showResult(result);
    outcome_.result = result;
    finish(path, result, monitoring);
    return outcome_;
}

} // namespace

int runTargetBaud(int deviceCode)
{
    if (core::familyOf(deviceCode) == core::Family::Lf240x)
        return kLf240xTargetBaud;
    return core::groupOf(deviceCode) == core::DeviceGroup::F2837xS ? kF2837xSTargetBaud : kF28xTargetBaud;
}

DownloadCheck checkDownload(const ProgramData& program, int deviceCode)
{
    if (program.totalBytes == 0 || program.sections.empty())
        return {std::nullopt, std::string(kNoProgramDataMessage)};
    const bool lf240x = core::familyOf(deviceCode) == core::Family::Lf240x;
    if (program.targetId != (lf240x ? core::kTargetIdLf240x : core::kTargetIdC28x))
        return {std::nullopt, std::string(lf240x ? kNotLf240xCoffMessage : kNotF28xCoffMessage)};
    if (auto outside = sectionOutsideMemoryMessage(program, deviceCode))
        return {std::nullopt, std::move(*outside)};
    if (lf240x)
        return {DownloadPath::Lf240x, {}};
    const image::FlashSummary& summary = program.summary;
    if (hasFlashData(program, deviceCode)) {
        if (summary.flashSections == 0 || summary.flashBytes == 0)
            return {std::nullopt, std::string(kNoFlashDataMessage)};
        return {DownloadPath::F28xFlash, {}};
    }
    if (summary.ramSections == 0 || summary.ramBytes == 0)
        return {std::nullopt, std::string(kNoRamDataMessage)};
    return {DownloadPath::F28xRam, {}};
}

DownloadOutcome DownloadCommand(const DownloadPorts& ports, const DownloadRequest& request, const ProgramData& program)
{
    if (ports.programmingBusy || ports.dataFlashBusy)
        return {};
    const DownloadCheck check = checkDownload(program, request.device.deviceIndex);
    if (!check.path) {
        ports.prompts.showMessage(core::MessageIcon::Information, check.message);
        return {std::nullopt, check.message, false};
    }
    return Download(ports, request, program).run(*check.path);
}

} // namespace lumetra::programming
