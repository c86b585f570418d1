#include "core/settings_schema.h"

#include "core/device_catalogue.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace lumetra::core {

namespace {

using enum SettingId;
using K = ValueKind;
using R = RangeRule;

constexpr std::string_view kMain = section::kMainConfiguration;
constexpr std::string_view kGraph = section::kGraphEnv;
constexpr std::string_view kColor = section::kGraphColor;
constexpr std::string_view kMenu = section::kUserMenu;
constexpr std::string_view kView = section::kViewInformation;
constexpr std::string_view kRecent = section::kRecentFileList;

constexpr SettingSpec integer(SettingId id, std::string_view sectionName, std::string_view name, std::int32_t value,
    R rule = R::None, K kind = K::Int)
{
    return {id, sectionName, name, kind, value, {}, rule};
}

constexpr SettingSpec text(
    SettingId id, std::string_view sectionName, std::string_view name, std::string_view value = {})
{
    return {id, sectionName, name, K::Text, 0, value, R::None};
}

constexpr std::array<SettingSpec, kSettingCount> kSchema {{
    text(CoffFilePath, kMain, "Coff File Path"),
    text(CoffFileDirectory, kMain, "Coff File Directory"),
    text(SymbolFilePath, kMain, "Symbol File Path"),
    text(SymbolFileDirectory, kMain, "Symbol File Directory"),
    integer(CpuType, kMain, "CPU TYPE", kDefaultDeviceIndex, R::DeviceIndex, K::Byte),
    integer(EepromType, kMain, "EEPROM TYPE", kDefaultDataFlashType, R::DataFlashType, K::Byte),
    integer(EepromEraseOption, kMain, "EEPROM Erase Option", 1),
    integer(EepromResetFlag, kMain, "EEPROM Reset Flag", 0),
    integer(EraseOption, kMain, "ERASE OPTION", 0),
    integer(CsmUseOption, kMain, "CSM USE OPTION", 0),
    integer(PwKey0, kMain, "PW KEY0", 0xFFFF, R::None, K::Word),
    integer(PwKey1, kMain, "PW KEY1", 0xFFFF, R::None, K::Word),
    integer(PwKey2, kMain, "PW KEY2", 0xFFFF, R::None, K::Word),
    integer(PwKey3, kMain, "PW KEY3", 0xFFFF, R::None, K::Word),
    integer(PwKey4, kMain, "PW KEY4", 0xFFFF, R::None, K::Word),
    integer(PwKey5, kMain, "PW KEY5", 0xFFFF, R::None, K::Word),
    integer(PwKey6, kMain, "PW KEY6", 0xFFFF, R::None, K::Word),
    integer(PwKey7, kMain, "PW KEY7", 0xFFFF, R::None, K::Word),
    integer(MicroTimeLength, kMain, "MicroTime Length", 0),
    integer(StartDataAddress, kMain, "Start Data Address", 0),
    integer(StartViewType, kMain, "Start View Type", 0, R::None, K::Byte),

    integer(Left, kMain, "Left", 100),
    integer(Top, kMain, "Top", 50),
    integer(Right, kMain, "Right", 900),
    integer(Bottom, kMain, "Bottom", 650),
    integer(ShowCmd, kMain, "ShowCmd", 1),
    integer(FirstSetup, kMain, "FirstSetup", 0),
    integer(LeftPaneWidth, kMain, "LeftPaneWidth", 400),
    integer(RightPaneHeight, kMain, "RightPaneHeight", 200),
    integer(MsgWndCx, kMain, "MsgWndCX", 0),
    integer(MsgWndCy, kMain, "MsgWndCY", 0),
    integer(ComPort, kMain, "COM Port", 0, R::ComPort),
    integer(BaudRate, kMain, "Baud Rate", 4, R::BaudCode),
    integer(TimeInterval, kMain, "Time Interval", 100),
    integer(TimeOut, kMain, "Time Out", 200),
    integer(DebugTimeIndex, kMain, "Debug Time Index", 3, R::TxDelayIndex, K::Byte),
    integer(PortType, kMain, "Port Type", 1),
    integer(LoadAfterDown, kMain, "Load After Down", 0),

    integer(GraphInterval, kGraph, "Graph Interval", 10),
    text(MaxGraphValue, kGraph, "Max Graph Value", "10"),
    text(MinGraphValue, kGraph, "Min Graph Value", "-10"),
    text(MaxTimeGraphValue, kGraph, "Max TimeGraph Value", "10"),
    text(MinTimeGraphValue, kGraph, "Min TimeGraph Value", "-10"),
    text(MetaFileInitDir, kGraph, "MetaFile Init Dir"),
    integer(GraphScaleMode, kGraph, "Graph Scale Mode", 0, R::None, K::Byte),
    integer(TimeGraphScaleMode, kGraph, "TimeGraph Scale Mode", 0, R::None, K::Byte),
    integer(GraphSelectionMode, kGraph, "Graph Selection Mode", 0),
    integer(TimeGraphSelectionMode, kGraph, "TimeGraph Selection Mode", 0),
    text(GraphTextDir, kGraph, "Graph Text Dir"),

    integer(MgCh1Color, kColor, "MG Ch1 Color", 0xB5FFE7),
    integer(MgCh2Color, kColor, "MG Ch2 Color", 0xDEFF94),
    integer(MgCh3Color, kColor, "MG Ch3 Color", 0xFF69FF),
    integer(MgCh4Color, kColor, "MG Ch4 Color", 0xD6D7D6),
    integer(TgCh1Color, kColor, "TG Ch1 Color", 0xB5FFE7),
    integer(TgCh2Color, kColor, "TG Ch2 Color", 0xDEFF94),
    integer(TgCh3Color, kColor, "TG Ch3 Color", 0xFF69FF),
    integer(TgCh4Color, kColor, "TG Ch4 Color", 0xD6D7D6),

    text(UserMenuInitDir, kMenu, "UserMenuInitDir"),
    text(MenuCommand0, kMenu, "MenuCommand0"),
    text(MenuWorkDir0, kMenu, "MenuWorkDir0"),
    text(MenuName0, kMenu, "MenuName0"),
    text(MenuCommand1, kMenu, "MenuCommand1"),
    text(MenuWorkDir1, kMenu, "MenuWorkDir1"),
    text(MenuName1, kMenu, "MenuName1"),
    text(MenuCommand2, kMenu, "MenuCommand2"),
    text(MenuWorkDir2, kMenu, "MenuWorkDir2"),
    text(MenuName2, kMenu, "MenuName2"),
    text(MenuCommand3, kMenu, "MenuCommand3"),
    text(MenuWorkDir3, kMenu, "MenuWorkDir3"),
    text(MenuName3, kMenu, "MenuName3"),
    text(MenuCommand4, kMenu, "MenuCommand4"),
    text(MenuWorkDir4, kMenu, "MenuWorkDir4"),
    text(MenuName4, kMenu, "MenuName4"),

    integer(LeftColumn0Width, kView, "Left Column0 Width", 100),
    integer(LeftColumn1Width, kView, "Left Column1 Width", 70),
    integer(LeftColumn2Width, kView, "Left Column2 Width", 120),
    integer(LeftColumn3Width, kView, "Left Column3 Width", 110),
    integer(TrColumn0Width, kView, "TR Column0 Width", 100),
    integer(TrColumn1Width, kView, "TR Column1 Width", 70),
    integer(TrColumn2Width, kView, "TR Column2 Width", 100),
    integer(TrColumn3Width, kView, "TR Column3 Width", 70),
    integer(TrColumn4Width, kView, "TR Column4 Width", 60),
    integer(BrColumn0Width, kView, "BR Column0 Width", 100),
    integer(BrColumn1Width, kView, "BR Column1 Width", 70),
    integer(BrColumn2Width, kView, "BR Column2 Width", 70),
    integer(SectionColumn0Width, kView, "Section Column0 Width", 120),
    integer(SectionColumn1Width, kView, "Section Column1 Width", 120),
    integer(SectionColumn2Width, kView, "Section Column2 Width", 120),
    integer(SectionColumn3Width, kView, "Section Column3 Width", 120),

    text(File1, kRecent, "File1"),
    text(File2, kRecent, "File2"),
    text(File3, kRecent, "File3"),
    text(File4, kRecent, "File4"),
    text(File5, kRecent, "File5"),
    text(File6, kRecent, "File6"),
    text(File7, kRecent, "File7"),
    text(File8, kRecent, "File8"),
    text(File9, kRecent, "File9"),
    text(File10, kRecent, "File10"),
}};

constexpr bool rowsFollowTheIds()
{
    for (int i = 0; i < kSettingCount; ++i) {
        if (static_cast<int>(kSchema[static_cast<std::size_t>(i)].id) != i)
            return false;
    }
    return true;
}
static_assert(rowsFollowTheIds(), "every schema row stands at the position of its id");

SettingId offset(SettingId first, int n)
{
    return static_cast<SettingId>(static_cast<int>(first) + n);
}

} // namespace

std::span<const SettingSpec> settingsSchema()
{
    return kSchema;
}

const SettingSpec& specOf(SettingId id)
{
    assert(id != SettingId::Count);
    return kSchema[static_cast<std::size_t>(id)];
}

int clampComPort(int stored)
{
    return std::clamp(stored, 0, 15);
}

int clampBaudCode(int stored)
{
    if (stored == 5)
        return 4;
    return std::clamp(stored, 0, 8);
}

int clampTxDelayIndex(int stored)
{
    return std::clamp(stored, 0, 6);
}

int clampDataFlashType(int stored)
{
    return std::clamp(stored, 0, kDataFlashTypeCount - 1);
}

std::int32_t normaliseSetting(const SettingSpec& spec, std::int32_t stored)
{
    std::int32_t value = stored;
    if (spec.kind == ValueKind::Byte)
        value = static_cast<std::uint8_t>(stored);
    else if (spec.kind == ValueKind::Word)
        value = static_cast<std::uint16_t>(stored);

    switch (spec.rule) {
    case RangeRule::None:
        return value;
    case RangeRule::ComPort:
        return clampComPort(value);
    case RangeRule::BaudCode:
        return clampBaudCode(value);
    case RangeRule::TxDelayIndex:
        return clampTxDelayIndex(value);
    case RangeRule::DeviceIndex:
        return resolveStoredDeviceIndex(value);
    case RangeRule::DataFlashType:
        return clampDataFlashType(value);
    }
    return value;
}

std::int32_t readRawSetting(const SettingsStore& store, SettingId id)
{
    const SettingSpec& spec = specOf(id);
    assert(spec.kind != ValueKind::Text);
    return store.readInt(spec.section, spec.name, spec.defaultNumber);
}

std::int32_t readSetting(const SettingsStore& store, SettingId id)
{
    return normaliseSetting(specOf(id), readRawSetting(store, id));
}

void writeSetting(SettingsStore& store, SettingId id, std::int32_t value)
{
    const SettingSpec& spec = specOf(id);
    assert(spec.kind != ValueKind::Text);
    store.writeInt(spec.section, spec.name, normaliseSetting(spec, value));
}

std::string readTextSetting(const SettingsStore& store, SettingId id)
{
    const SettingSpec& spec = specOf(id);
    assert(spec.kind == ValueKind::Text);
    return store.readText(spec.section, spec.name, spec.defaultText);
}

void writeTextSetting(SettingsStore& store, SettingId id, std::string_view value)
{
    const SettingSpec& spec = specOf(id);
    assert(spec.kind == ValueKind::Text);
    store.writeText(spec.section, spec.name, value);
}

SettingId pwKeySetting(int n)
{
    assert(n >= 0 && n < kCsmKeyWordCount);
    return offset(PwKey0, n);
}

SettingId graphColorSetting(int n)
{
    assert(n >= 0 && n < kGraphColorCount);
    return offset(MgCh1Color, n);
}

SettingId menuCommandSetting(int tool)
{
    assert(tool >= 0 && tool < kUserToolCount);
    return offset(MenuCommand0, 3 * tool);
}

SettingId menuWorkDirSetting(int tool)
{
    assert(tool >= 0 && tool < kUserToolCount);
    return offset(MenuWorkDir0, 3 * tool);
}

SettingId menuNameSetting(int tool)
{
    assert(tool >= 0 && tool < kUserToolCount);
    return offset(MenuName0, 3 * tool);
}

SettingId recentFileSetting(int n)
{
    assert(n >= 1 && n <= kRecentFileCount);
    return offset(File1, n - 1);
}

int columnCountOf(ColumnView view)
{
    switch (view) {
    case ColumnView::SymbolList:
        return 4;
    case ColumnView::VariableMonitor:
        return 5;
    case ColumnView::MemoryMonitor:
        return 3;
    case ColumnView::SectionPage:
        return 4;
    }
    return 0;
}

SettingId columnWidthSetting(ColumnView view, int column)
{
    assert(column >= 0 && column < columnCountOf(view));
    switch (view) {
    case ColumnView::SymbolList:
        return offset(LeftColumn0Width, column);
    case ColumnView::VariableMonitor:
        return offset(TrColumn0Width, column);
    case ColumnView::MemoryMonitor:
        return offset(BrColumn0Width, column);
    case ColumnView::SectionPage:
        return offset(SectionColumn0Width, column);
    }
    return offset(SectionColumn0Width, column);
}

} // namespace lumetra::core
