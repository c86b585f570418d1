#include "app/main_frame.h"

#include "app/status_texts.h"

#include "core/device_catalogue.h"
#include "core/settings_schema.h"

#include <chrono>

namespace lumetra::app {

MainFrame::MainFrame(core::SettingsStore& store, link::TransportFactory& transports,
    const std::vector<image::CDataObject>& registered, const ProgrammingFlags& programming, UserPrompts& prompts,
    PollTimer& timer, FrameView& view)
    : store_(store)
    , view_(view)
    , linkConfig_(core::loadLinkConfig(store))
    , windowLayout_(core::loadWindowLayout(store))
    , graphEnv_(core::loadGraphEnv(store))
    , link_(transports)
    , linkState_(link_, linkConfig_, registered, programming, prompts, timer, view)
{
}

void MainFrame::create()
{
    view_.setStatusPane(StatusPane::Port, portPaneText(linkConfig_));
    view_.setStatusPane(StatusPane::Speed, speedPaneText(linkConfig_.baudCode));
    view_.setStatusPane(StatusPane::Link, linkPaneText(false));
    view_.setStatusPane(StatusPane::Size, sizePaneText(0));

    const std::int32_t storedDevice = core::readRawSetting(store_, core::SettingId::CpuType);
    if (!core::isValidDeviceIndex(static_cast<std::uint8_t>(storedDevice)))
        core::writeSetting(store_, core::SettingId::CpuType, core::kDefaultDeviceIndex);
    setDevicePanes(storedDevice, core::readSetting(store_, core::SettingId::EepromType));

    applyLinkTimings();

    if (linkConfig_.portType == core::PortType::Usb && !(link_.LoadDriver() && link_.FindUsbPod())) {
        linkConfig_.portType = core::PortType::Serial;
        view_.setStatusPane(StatusPane::Port, portPaneText(linkConfig_));
    }
}

void MainFrame::refreshSettingsPanes(const core::DeviceConfig& device)
{
    view_.setStatusPane(StatusPane::Port, portPaneText(linkConfig_));
    view_.setStatusPane(StatusPane::Speed, speedPaneText(linkConfig_.baudCode));
    setDevicePanes(device.deviceIndex, device.dataFlashType);
}

void MainFrame::applyLinkTimings()
{
    link_.setReplyTimeout(std::chrono::milliseconds(linkConfig_.timeOutMs));
    link_.setTxDelayIndex(static_cast<std::uint8_t>(linkConfig_.txDelayIndex));
}

void MainFrame::shutdown()
{
    linkState_.CloseForShutdown();
    core::saveWindowLayout(store_, windowLayout_);
    core::saveLinkConfig(store_, linkConfig_);
    core::saveGraphEnv(store_, graphEnv_);
}

void MainFrame::setDevicePanes(int storedDeviceIndex, int dataFlashType)
{
    view_.setStatusPane(StatusPane::Device, core::statusPaneTextOf(storedDeviceIndex));
    view_.setStatusPane(StatusPane::DataFlash,
        core::dataFlashPaneTextOf(core::resolveStoredDeviceIndex(storedDeviceIndex), dataFlashType));
}

} // namespace lumetra::app
