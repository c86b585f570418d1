#include "core/configuration.h"

#include <algorithm>

namespace lumetra::core {

namespace {

bool readFlag(const SettingsStore& store, SettingId id)
{
    return readSetting(store, id) != 0;
}

void writeFlag(SettingsStore& store, SettingId id, bool value)
{
    writeSetting(store, id, value ? 1 : 0);
}

} // namespace

LinkConfig loadLinkConfig(const SettingsStore& store)
{
    LinkConfig config;
    config.comPort = readSetting(store, SettingId::ComPort);
    config.baudCode = readSetting(store, SettingId::BaudRate);
    config.timeIntervalMs = readSetting(store, SettingId::TimeInterval);
    config.timeOutMs = readSetting(store, SettingId::TimeOut);
    config.txDelayIndex = readSetting(store, SettingId::DebugTimeIndex);
    config.portType = readSetting(store, SettingId::PortType) == 1 ? PortType::Usb : PortType::Serial;
    config.loadAfterDown = readFlag(store, SettingId::LoadAfterDown);
    return config;
}

void saveLinkConfig(SettingsStore& store, const LinkConfig& config)
{
    writeSetting(store, SettingId::ComPort, config.comPort);
    writeSetting(store, SettingId::BaudRate, config.baudCode);
    writeSetting(store, SettingId::DebugTimeIndex, config.txDelayIndex);
    writeSetting(store, SettingId::TimeInterval, config.timeIntervalMs);
    writeSetting(store, SettingId::TimeOut, config.timeOutMs);
    writeSetting(store, SettingId::PortType, static_cast<int>(config.portType));
    writeFlag(store, SettingId::LoadAfterDown, config.loadAfterDown);
}

bool linkParametersDiffer(const LinkConfig& before, const LinkConfig& after)
{
    LinkConfig withoutLoadFlag = after;
    withoutLoadFlag.loadAfterDown = before.loadAfterDown;
    return !(before == withoutLoadFlag);
}

DeviceConfig loadDeviceConfig(const SettingsStore& store)
{
    DeviceConfig config;
    config.deviceIndex = readSetting(store, SettingId::CpuType);
    config.dataFlashType = readSetting(store, SettingId::EepromType);
    config.dataFlashEraseAll = readFlag(store, SettingId::EepromEraseOption);
    config.dataFlashResetAfterDownload = readFlag(store, SettingId::EepromResetFlag);
    config.eraseAll = readFlag(store, SettingId::EraseOption);
    config.csmUse = readFlag(store, SettingId::CsmUseOption);
    for (int n = 0; n < kCsmKeyWordCount; ++n)
        config.csmKeys[static_cast<std::size_t>(n)] = static_cast<std::uint16_t>(readSetting(store, pwKeySetting(n)));

    const bool dataFlashRow = hasDataFlash(config.deviceIndex);
    if (familyOf(config.deviceIndex) == Family::Lf240x || dataFlashRow)
        config.eraseAll = false;
    if (dataFlashRow)
        config.csmUse = false;
    return config;
}

void saveDeviceConfig(SettingsStore& store, const DeviceConfig& config)
{
    writeSetting(store, SettingId::CpuType, config.deviceIndex);
    writeSetting(store, SettingId::EepromType, config.dataFlashType);
    writeFlag(store, SettingId::EepromEraseOption, config.dataFlashEraseAll);
    writeFlag(store, SettingId::EepromResetFlag, config.dataFlashResetAfterDownload);
    writeFlag(store, SettingId::EraseOption, config.eraseAll);
    writeFlag(store, SettingId::CsmUseOption, config.csmUse);
    for (int n = 0; n < kCsmKeyWordCount; ++n)
        writeSetting(store, pwKeySetting(n), config.csmKeys[static_cast<std::size_t>(n)]);
}

WindowLayout loadWindowLayout(const SettingsStore& store)
{
    WindowLayout layout;
    layout.left = readSetting(store, SettingId::Left);
    layout.top = readSetting(store, SettingId::Top);
    layout.right = readSetting(store, SettingId::Right);
    layout.bottom = readSetting(store, SettingId::Bottom);
    layout.showCmd = readSetting(store, SettingId::ShowCmd);
    layout.firstSetup = readSetting(store, SettingId::FirstSetup);
    layout.leftPaneWidth = readSetting(store, SettingId::LeftPaneWidth);
    layout.rightPaneHeight = readSetting(store, SettingId::RightPaneHeight);
    layout.messageWindowWidth = readSetting(store, SettingId::MsgWndCx);
    layout.messageWindowHeight = readSetting(store, SettingId::MsgWndCy);
    return layout;
}

void saveWindowLayout(SettingsStore& store, const WindowLayout& layout)
{
    writeSetting(store, SettingId::Left, layout.left);
    writeSetting(store, SettingId::Top, layout.top);
    writeSetting(store, SettingId::Right, layout.right);
    writeSetting(store, SettingId::Bottom, layout.bottom);
    writeSetting(store, SettingId::ShowCmd, layout.showCmd);
    writeSetting(store, SettingId::FirstSetup, layout.firstSetup == 0 ? 1 : layout.firstSetup);
    writeSetting(store, SettingId::LeftPaneWidth, layout.leftPaneWidth);
    writeSetting(store, SettingId::RightPaneHeight, layout.rightPaneHeight);
    writeSetting(store, SettingId::MsgWndCx, layout.messageWindowWidth);
    writeSetting(store, SettingId::MsgWndCy, layout.messageWindowHeight);
}

GraphEnv loadGraphEnv(const SettingsStore& store)
{
    GraphEnv env;
    env.metaFileInitDir = readTextSetting(store, SettingId::MetaFileInitDir);
    env.graphTextDir = readTextSetting(store, SettingId::GraphTextDir);
    return env;
}

void saveGraphEnv(SettingsStore& store, const GraphEnv& env)
{
    writeTextSetting(store, SettingId::MetaFileInitDir, env.metaFileInitDir);
    writeTextSetting(store, SettingId::GraphTextDir, env.graphTextDir);
}

std::vector<int> loadColumnWidths(const SettingsStore& store, ColumnView view)
{
    std::vector<int> widths;
    for (int column = 0; column < columnCountOf(view); ++column)
        widths.push_back(readSetting(store, columnWidthSetting(view, column)));
    return widths;
}

void saveColumnWidths(SettingsStore& store, ColumnView view, const std::vector<int>& widths)
{
    const int count = std::min(columnCountOf(view), static_cast<int>(widths.size()));
    for (int column = 0; column < count; ++column)
        writeSetting(store, columnWidthSetting(view, column), widths[static_cast<std::size_t>(column)]);
}

std::vector<std::string> loadRecentFiles(const SettingsStore& store)
{
    std::vector<std::string> files;
    for (int n = 1; n <= kRecentFileCount; ++n) {
        std::string file = readTextSetting(store, recentFileSetting(n));
        if (!file.empty())
            files.push_back(std::move(file));
    }
    return files;
}

void saveRecentFiles(SettingsStore& store, const std::vector<std::string>& files)
{
    for (int n = 1; n <= kRecentFileCount; ++n) {
        const auto position = static_cast<std::size_t>(n - 1);
        writeTextSetting(store, recentFileSetting(n), position < files.size() ? files[position] : std::string());
    }
}

} // namespace lumetra::core
