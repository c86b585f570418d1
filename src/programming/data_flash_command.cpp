#include "programming/data_flash_command.h"

#include "programming/image_manifest.h"
#include "programming/run_link.h"

#include "core/device_catalogue.h"

#include <variant>

namespace lumetra::programming {

namespace {

constexpr int kDataFlashTargetBaud = 4;
constexpr link::Milliseconds kBeforeReconnect {1};
constexpr link::Milliseconds kAfterReset {100};

std::string_view modeName(link::DataFlashMode mode)
{
    switch (mode) {
    case link::DataFlashMode::Erase:
        return "Erase";
    case link::DataFlashMode::Write:
        return "Write";
    case link::DataFlashMode::WriteVerify:
        break;
    }
    return "Write & Verify";
}

class Command {
public:
    Command(const DataFlashPorts& ports, const DataFlashRequest& request, const DataFlashProgram& program)
        : ports_(ports)
        , request_(request)
        , program_(program)
    {
    }

    DataFlashOutcome run();

private:
    DataFlashOutcome say(core::MessageIcon icon, std::string_view text)
    {
        ports_.prompts.showMessage(icon, text);
        return {false, std::string(text)};
    }
    // The device's algorithm from the image set, or the message why there is none.
    std::variant<TargetImage, std::string> algorithm() const;

    const DataFlashPorts& ports_;
    const DataFlashRequest& request_;
    const DataFlashProgram& program_;
};

std::variant<TargetImage, std::string> Command::algorithm() const
{
    const std::string name = *dataFlashAlgorithmName(request_.device.deviceIndex);
    auto chosen = chooseImageSet(request_.images);
    if (const auto* refused = std::get_if<ImageSetRefusal>(&chosen))
        return refused->message;
    const TargetImage* image = std::get<ImageSet>(chosen).find(name);
    if (image == nullptr)
        return missingImageMessage(name);
    return *image;
}

DataFlashOutcome Command::run()
{
    const link::DataFlashMode mode = request_.mode;
    const core::DeviceConfig& device = request_.device;
    if (const std::string refused = checkDataFlash(mode, program_, device.dataFlashType); !refused.empty())
        return say(core::MessageIcon::Information, refused);
    auto algorithmImage = algorithm();
    if (const auto* missing = std::get_if<std::string>(&algorithmImage))
        return say(core::MessageIcon::Error, *missing);

    ports_.takeover.stopGraphAcquisition();
    const std::optional<int> monitoring = ports_.takeover.suspendMonitoring();
    const FirmwareGate gate {core::kDataFlashRequiredFirmware, link::dataFlashFirmwareMessage(mode)};
    if (const auto refusal = prepareRunLink(ports_.link, request_.link, kDataFlashTargetBaud, gate))
        return say(refusal->icon, refusal->message);

    ports_.state = {mode, mode == link::DataFlashMode::Erase ? std::nullopt : monitoring};
    DataFlashJob job {mode, device.deviceIndex, device.dataFlashType, device.dataFlashEraseAll, program_.image,
        std::move(std::get<TargetImage>(algorithmImage))};
    ports_.dialog.runModal(dataFlashTitle(mode), std::move(job));
    return {true, {}};
}

void reconnectAndReset(const DataFlashCompletionPorts& ports, const core::LinkConfig& config, int monitoring)
{
    link::CPodLink& link = ports.link;
    if (link.connected())
        link.Disconnect();
    ports.pause(kBeforeReconnect);
    const link::ConnectCode connect
        = link.Connect(config.comPort + 1, config.baudCode, config.portType == core::PortType::Usb);
    if (connect != link::ConnectCode::Connected) {
        ports.prompts.showMessage(core::MessageIcon::Error, link::connectMessage(connect));
        return;
    }
    if (!link.ResetTarget()) {
        ports.prompts.showMessage(core::MessageIcon::Error, kTargetResetFailedMessage);
        return;
    }
    ports.pause(kAfterReset);
    ports.takeover.resumeMonitoring(monitoring);
}

} // namespace

DataFlashProgram dataFlashProgramOf(const image::ProgramImage& image)
{
    return {image.totalBytes() > 0 && !image.sections().empty(), image.targetId(), image.dataFlashImage()};
}

std::string dataFlashTitle(link::DataFlashMode mode)
{
    return "DSP2834x 데이터 플래시 " + std::string(modeName(mode));
}

std::string checkDataFlash(link::DataFlashMode mode, const DataFlashProgram& program, int type)
{
    if (mode == link::DataFlashMode::Erase)
        return {};
    const std::string command = "데이터 플래시 " + std::string(modeName(mode)) + "할 프로그램 데이터";
    if (!program.hasData)
        return command + "가 없읍니다.";
    if (program.targetId != core::kTargetIdC28x)
        return std::string(kNotF28xCoffMessage);
    if (program.image.length() > core::dataFlashCapacityOf(type))
        return command + " 크기가 선택한 데이터 플래시 크기보다 큽니다.";
    if (!program.image.complete())
        return command + "가 데이터 플래시 이미지의 최대 크기(4 MiB)를 넘습니다. 잘린 이미지는 쓰지 않았읍니다.";
    return {};
}

bool dataFlashCommandsEnabled(bool programLoaded, int deviceIndex)
{
    return programLoaded && core::isValidDeviceIndex(deviceIndex) && core::hasDataFlash(deviceIndex);
}

DataFlashOutcome DataFlashCommand(
    const DataFlashPorts& ports, const DataFlashRequest& request, const DataFlashProgram& program)
{
    // Like the disabled menu entries: nothing on a row without a data flash.
    if (ports.programmingBusy || ports.threadBusy || !dataFlashCommandsEnabled(true, request.device.deviceIndex))
        return {};
    return Command(ports, request, program).run();
}

std::string_view dataFlashSuccessMessage(link::DataFlashMode mode)
{
    switch (mode) {
    case link::DataFlashMode::Erase:
        return "데이터 플래시 Erase 동작을 성공적으로 마쳤읍니다.";
    case link::DataFlashMode::Write:
        return "데이터 플래시 Write 동작을 성공적으로 마쳤읍니다.\r\n\r\n사용자께서는 타겟보드를 SPI 부트로 놓고 "
               "리셋하시길 바랍니다.";
    case link::DataFlashMode::WriteVerify:
        break;
    }
    return "데이터 플래시 Write & Verify 동작을 성공적으로 마쳤읍니다.\r\n\r\n사용자께서는 타겟보드를 SPI 부트로 "
           "놓고 리셋하시길 바랍니다.";
}

void CompleteDataFlash(
    const DataFlashCompletionPorts& ports, const core::LinkConfig& link, bool resetAfterWrite, DataFlashRunState& state)
{
    if (!state.mode)
        return;
    const link::DataFlashMode mode = *state.mode;
    if (resetAfterWrite && state.restoreMonitoring && mode != link::DataFlashMode::Erase)
        reconnectAndReset(ports, link, *state.restoreMonitoring);
    else
        ports.prompts.showMessage(core::MessageIcon::Information, dataFlashSuccessMessage(mode));
    state = {};
}

} // namespace lumetra::programming
