#include "core/configuration.h"
#include "core/link_option_lists.h"
#include "core/memory_settings_store.h"
#include "core/settings_schema.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace lumetra::core {
namespace {

using Stored = MemorySettingsStore::StoredValue;

std::int32_t storedNumber(const MemorySettingsStore& store, SettingId id)
{
    const SettingSpec& spec = specOf(id);
    const auto value = store.stored(spec.section, spec.name);
    EXPECT_TRUE(value.has_value()) << spec.name;
    return value ? std::get<std::int32_t>(*value) : -999;
}

void storeRaw(MemorySettingsStore& store, SettingId id, std::int32_t value)
{
    const SettingSpec& spec = specOf(id);
    store.writeInt(spec.section, spec.name, value);
}

TEST(SettingsSchema, NamesAreUniqueWithinTheirSectionAndIndexedFamiliesFollowTheirNames)
{
    std::set<std::pair<std::string_view, std::string_view>> seen;
    for (const SettingSpec& spec : settingsSchema())
        EXPECT_TRUE(seen.insert({spec.section, spec.name}).second) << spec.name;
    EXPECT_EQ(settingsSchema().size(), static_cast<std::size_t>(kSettingCount));

    EXPECT_EQ(specOf(pwKeySetting(7)).name, "PW KEY7");
    EXPECT_EQ(specOf(graphColorSetting(0)).name, "MG Ch1 Color");
    EXPECT_EQ(specOf(graphColorSetting(4)).name, "TG Ch1 Color");
    EXPECT_EQ(specOf(menuCommandSetting(4)).name, "MenuCommand4");
    EXPECT_EQ(specOf(menuWorkDirSetting(2)).name, "MenuWorkDir2");
    EXPECT_EQ(specOf(menuNameSetting(0)).name, "MenuName0");
    EXPECT_EQ(specOf(menuNameSetting(0)).section, "User Menu");
    EXPECT_EQ(specOf(recentFileSetting(1)).name, "File1");
    EXPECT_EQ(specOf(recentFileSetting(10)).name, "File10");
    EXPECT_EQ(specOf(recentFileSetting(10)).section, "Recent File List");
    EXPECT_EQ(specOf(columnWidthSetting(ColumnView::VariableMonitor, 4)).name, "TR Column4 Width");
    EXPECT_EQ(specOf(columnWidthSetting(ColumnView::SectionPage, 3)).name, "Section Column3 Width");
    EXPECT_EQ(specOf(SettingId::MsgWndCx).name, "MsgWndCX");
    EXPECT_EQ(specOf(SettingId::GraphTextDir).section, "Graph Env");
}

TEST(SettingsSchema, EmptyStoreGivesTheFreshInstallation)
{
    const MemorySettingsStore store;
    const LinkConfig link = loadLinkConfig(store);
    EXPECT_EQ(link.portType, PortType::Usb);
    EXPECT_EQ(comPortName(link.comPort), "COM1");
    EXPECT_EQ(baudRateText(link.baudCode), "115200");
    EXPECT_EQ(link.timeIntervalMs, 100);
    EXPECT_EQ(link.timeOutMs, 200);
    EXPECT_EQ(kTxDelayTexts[static_cast<std::size_t>(link.txDelayIndex)], "1    msec");
    EXPECT_FALSE(link.loadAfterDown);

    const DeviceConfig device = loadDeviceConfig(store);
    EXPECT_EQ(device.deviceIndex, 26);
    EXPECT_EQ(device.dataFlashType, 1);
    EXPECT_TRUE(device.dataFlashEraseAll);
    EXPECT_FALSE(device.dataFlashResetAfterDownload);
    EXPECT_FALSE(device.eraseAll);
    EXPECT_FALSE(device.csmUse);
    for (const std::uint16_t key : device.csmKeys)
        EXPECT_EQ(key, 0xFFFF);

    const WindowLayout layout = loadWindowLayout(store);
    EXPECT_EQ(layout, (WindowLayout {100, 50, 900, 650, 1, 0, 400, 200, 0, 0}));

    EXPECT_EQ(loadGraphEnv(store), GraphEnv {});

    EXPECT_EQ(loadColumnWidths(store, ColumnView::SymbolList), (std::vector<int> {100, 70, 120, 110}));
    EXPECT_EQ(loadColumnWidths(store, ColumnView::VariableMonitor), (std::vector<int> {100, 70, 100, 70, 60}));
    EXPECT_EQ(loadColumnWidths(store, ColumnView::MemoryMonitor), (std::vector<int> {100, 70, 70}));
    EXPECT_EQ(loadColumnWidths(store, ColumnView::SectionPage), (std::vector<int> {120, 120, 120, 120}));
    EXPECT_TRUE(loadRecentFiles(store).empty());
    EXPECT_EQ(readSetting(store, SettingId::MicroTimeLength), 0);
    EXPECT_EQ(readTextSetting(store, SettingId::CoffFilePath), "");

    EXPECT_EQ(store.size(), 0U) << "reading never writes";
}

TEST(SettingsSchema, LinkValuesAreClampedOnReading)
{
    const std::pair<int, int> comPorts[] = {{-1, 0}, {0, 0}, {15, 15}, {16, 15}, {1000, 15}};
    for (const auto& [stored, used] : comPorts) {
        MemorySettingsStore store;
        storeRaw(store, SettingId::ComPort, stored);
        EXPECT_EQ(readSetting(store, SettingId::ComPort), used) << stored;
    }
    const std::pair<int, int> baudCodes[] = {{-7, 0}, {0, 0}, {4, 4}, {5, 4}, {6, 6}, {8, 8}, {9, 8}};
    for (const auto& [stored, used] : baudCodes) {
        MemorySettingsStore store;
        storeRaw(store, SettingId::BaudRate, stored);
        EXPECT_EQ(readSetting(store, SettingId::BaudRate), used) << stored;
    }
    // A byte: only the low 8 bits count, then above 6 becomes 6.
    const std::pair<int, int> txDelays[] = {{0, 0}, {6, 6}, {7, 6}, {255, 6}, {-1, 6}, {0x102, 2}};
    for (const auto& [stored, used] : txDelays) {
        MemorySettingsStore store;
        storeRaw(store, SettingId::DebugTimeIndex, stored);
        EXPECT_EQ(readSetting(store, SettingId::DebugTimeIndex), used) << stored;
    }
}

TEST(SettingsSchema, DeviceValuesAreClampedOnReading)
{
    const std::pair<int, int> devices[] = {{0, 0}, {70, 70}, {71, 26}, {200, 26}, {-1, 26}, {0x100 + 5, 5}};
    for (const auto& [stored, used] : devices) {
        MemorySettingsStore store;
        storeRaw(store, SettingId::CpuType, stored);
        EXPECT_EQ(loadDeviceConfig(store).deviceIndex, used) << stored;
        EXPECT_EQ(readRawSetting(store, SettingId::CpuType), stored) << "the raw value stays for the status pane";
    }
    const std::pair<int, int> dataFlashTypes[] = {{0, 0}, {5, 5}, {6, 5}, {200, 5}};
    for (const auto& [stored, used] : dataFlashTypes) {
        MemorySettingsStore store;
        storeRaw(store, SettingId::EepromType, stored);
        EXPECT_EQ(loadDeviceConfig(store).dataFlashType, used) << stored;
    }
    MemorySettingsStore store;
    storeRaw(store, pwKeySetting(0), 0x12345);
    storeRaw(store, pwKeySetting(1), -1);
    EXPECT_EQ(loadDeviceConfig(store).csmKeys[0], 0x2345);
    EXPECT_EQ(loadDeviceConfig(store).csmKeys[1], 0xFFFF);
}

TEST(SettingsSchema, EraseAndCsmOptionsAreKeptOffWhereTheRowHasNone)
{
    auto load = [](int device) {
        MemorySettingsStore store;
        storeRaw(store, SettingId::CpuType, device);
        storeRaw(store, SettingId::EraseOption, 1);
        storeRaw(store, SettingId::CsmUseOption, 1);
        return loadDeviceConfig(store);
    };
    EXPECT_FALSE(load(5).eraseAll);
    EXPECT_TRUE(load(5).csmUse);
    EXPECT_TRUE(load(6).eraseAll);
    EXPECT_TRUE(load(6).csmUse);
    for (int device = 36; device <= 41; ++device) {
        EXPECT_FALSE(load(device).eraseAll) << device;
        EXPECT_FALSE(load(device).csmUse) << device;
    }
    EXPECT_TRUE(load(42).eraseAll);
}

TEST(SettingsSchema, ClampedValuesAreWhatIsWrittenBack)
{
    MemorySettingsStore store;
    storeRaw(store, SettingId::BaudRate, 5);
    storeRaw(store, SettingId::ComPort, 40);
    storeRaw(store, SettingId::DebugTimeIndex, 9);
    saveLinkConfig(store, loadLinkConfig(store));
    EXPECT_EQ(storedNumber(store, SettingId::BaudRate), 4);
    EXPECT_EQ(storedNumber(store, SettingId::ComPort), 15);
    EXPECT_EQ(storedNumber(store, SettingId::DebugTimeIndex), 6);

    writeSetting(store, SettingId::BaudRate, 5);
    EXPECT_EQ(storedNumber(store, SettingId::BaudRate), 4);
    writeSetting(store, SettingId::CpuType, 99);
    EXPECT_EQ(storedNumber(store, SettingId::CpuType), 26);
}

TEST(SettingsSchema, ConfigurationGroupsRoundTrip)
{
    MemorySettingsStore store;
    const LinkConfig link {7, 8, 250, 75, 0, PortType::Serial, true};
    DeviceConfig device;
    device.deviceIndex = 38;
    device.dataFlashType = 5;
    device.dataFlashEraseAll = false;
    device.dataFlashResetAfterDownload = true;
    device.csmKeys = {1, 2, 3, 4, 5, 6, 7, 0xFFFE};
    GraphEnv env;
    env.metaFileInitDir = "C:\\그래프";
    env.graphTextDir = "D:\\text";

    saveLinkConfig(store, link);
    saveDeviceConfig(store, device);
    saveGraphEnv(store, env);
    saveColumnWidths(store, ColumnView::MemoryMonitor, {11, 22, 33});

    EXPECT_EQ(loadLinkConfig(store), link);
    EXPECT_EQ(loadDeviceConfig(store), device);
    EXPECT_EQ(loadGraphEnv(store), env);
    EXPECT_EQ(loadColumnWidths(store, ColumnView::MemoryMonitor), (std::vector<int> {11, 22, 33}));
    EXPECT_EQ(storedNumber(store, SettingId::PortType), 0);
}

TEST(SettingsSchema, FirstSetupIsWrittenAsOneOnceTheProgramCloses)
{
    MemorySettingsStore store;
    WindowLayout layout;
    layout.left = -20;
    layout.showCmd = 3;
    saveWindowLayout(store, layout);
    EXPECT_EQ(storedNumber(store, SettingId::FirstSetup), 1);
    EXPECT_EQ(storedNumber(store, SettingId::Left), -20);
    EXPECT_EQ(storedNumber(store, SettingId::ShowCmd), 3);

    layout.firstSetup = 2;
    saveWindowLayout(store, layout);
    EXPECT_EQ(storedNumber(store, SettingId::FirstSetup), 2);
}

TEST(SettingsSchema, OnlyLinkParametersCountAsALinkChange)
{
    const LinkConfig before;
    LinkConfig after = before;
    after.loadAfterDown = true;
    EXPECT_FALSE(linkParametersDiffer(before, after));
    after.timeOutMs = 300;
    EXPECT_TRUE(linkParametersDiffer(before, after));
    after = before;
    after.portType = PortType::Serial;
    EXPECT_TRUE(linkParametersDiffer(before, after));
}

TEST(SettingsSchema, RecentFilesSkipEmptyEntriesAndSavingClearsTheRest)
{
    MemorySettingsStore store;
    writeTextSetting(store, recentFileSetting(1), "a.out");
    writeTextSetting(store, recentFileSetting(3), "c.out");
    writeTextSetting(store, recentFileSetting(10), "j.out");
    EXPECT_EQ(loadRecentFiles(store), (std::vector<std::string> {"a.out", "c.out", "j.out"}));

    saveRecentFiles(store, {"x.out", "y.out"});
    EXPECT_EQ(loadRecentFiles(store), (std::vector<std::string> {"x.out", "y.out"}));
    EXPECT_EQ(readTextSetting(store, recentFileSetting(2)), "y.out");
}

TEST(LinkOptionLists, BaudTableSpeedListAndPortNames)
{
    const char* const rates[] = {"9600", "19200", "38400", "57600", "115200", "115200", "1200", "2400", "4800"};
    for (int code = 0; code < kBaudCodeCount; ++code)
        EXPECT_EQ(baudRateText(code), rates[code]) << code;
    EXPECT_EQ(baudRateText(-1), "9600");
    EXPECT_EQ(baudRateText(12), "4800");

    const std::pair<const char*, int> speeds[] = {{"9600", 0}, {"19200", 1}, {"38400", 2}, {"57600", 3}, {"115200", 4},
        {"1200", 6}, {"2400", 7}, {"4800", 8}, {"230400", 4}, {"", 4}};
    for (const auto& [text, code] : speeds)
        EXPECT_EQ(baudCodeOfSpeedText(text), code) << text;
    for (const std::string_view text : kSpeedListTexts)
        EXPECT_EQ(baudRateText(baudCodeOfSpeedText(text)), text);

    EXPECT_EQ(kTxDelayTexts[0], "No  Delay");
    EXPECT_EQ(kTxDelayTexts[3], "1    msec");
    EXPECT_EQ(kTxDelayTexts[6], "10  msec");

    EXPECT_EQ(comPortName(0), "COM1");
    EXPECT_EQ(comPortName(15), "COM16");
}

} // namespace
} // namespace lumetra::core
