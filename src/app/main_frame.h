// The main frame without its window: its stored values, the one link to the POD with its ON LINE state, and
// the status bar panes it fills.
#pragma once

#include "app/frame_view.h"
#include "app/link_state.h"

#include "core/configuration.h"
#include "core/settings_store.h"
#include "link/pod_link.h"
#include "link/transport.h"

namespace lumetra::app {

class MainFrame {
public:
    // Reads the frame's values of "Main Configuration" (with their clamps) and "Graph Env".
    MainFrame(core::SettingsStore& store, link::TransportFactory& transports,
        const std::vector<image::CDataObject>& registered, const ProgrammingFlags& programming, UserPrompts& prompts,
        PollTimer& timer, FrameView& view);

    // Window creation: fills the status panes from the stored values (writing 26 back over a `CPU TYPE` that
    // names no device), hands time-out and transmit delay to the link, and with the USB port chosen but no USB
    // driver or POD found switches silently to the serial port.
    void create();

    // After the settings dialog closed with OK: the port, speed, device and data flash panes.
    void refreshSettingsPanes(const core::DeviceConfig& device);
    // Hands `Time Out` and `Debug Time Index` to the link.
    void applyLinkTimings();

    // Closing the main window: the link goes down, then the frame's values are written.
    void shutdown();

    link::CPodLink& link() { return link_; }
    LinkState& linkState() { return linkState_; }
    const LinkState& linkState() const { return linkState_; }
    core::LinkConfig& linkConfig() { return linkConfig_; }
    const core::LinkConfig& linkConfig() const { return linkConfig_; }
    // The window placement and pane sizes; the window stores what it captured when it was destroyed.
    core::WindowLayout& windowLayout() { return windowLayout_; }
    core::GraphEnv& graphEnv() { return graphEnv_; }

private:
    void setDevicePanes(int storedDeviceIndex, int dataFlashType);

    core::SettingsStore& store_;
    FrameView& view_;
    core::LinkConfig linkConfig_;
    core::WindowLayout windowLayout_;
    core::GraphEnv graphEnv_;
    link::CPodLink link_;
    LinkState linkState_;
};

} // namespace lumetra::app
