// Every stored setting with its section, name, type, default and the range rule applied when it is read.
#pragma once

#include "core/settings_store.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lumetra::core {

namespace section {
inline constexpr std::string_view kMainConfiguration = "Main Configuration";
inline constexpr std::string_view kGraphEnv = "Graph Env";
inline constexpr std::string_view kGraphColor = "Graph Color";
inline constexpr std::string_view kUserMenu = "User Menu";
inline constexpr std::string_view kViewInformation = "View Information";
inline constexpr std::string_view kRecentFileList = "Recent File List";
} // namespace section

enum class SettingId {
    // Main Configuration: application values.
    CoffFilePath,
    CoffFileDirectory,
    SymbolFilePath,
    SymbolFileDirectory,
    CpuType,
    EepromType,
    EepromEraseOption,
    EepromResetFlag,
    EraseOption,
    CsmUseOption,
    PwKey0,
    PwKey1,
    PwKey2,
    PwKey3,
    PwKey4,
    PwKey5,
    PwKey6,
    PwKey7,
    MicroTimeLength,
    StartDataAddress,
    StartViewType,
    // Main Configuration: main frame values.
    Left,
    Top,
    Right,
    Bottom,
    ShowCmd,
    FirstSetup,
    LeftPaneWidth,
    RightPaneHeight,
    MsgWndCx,
    MsgWndCy,
    ComPort,
    BaudRate,
    TimeInterval,
    TimeOut,
    DebugTimeIndex,
    PortType,
    LoadAfterDown,
    // Graph Env.
    GraphInterval,
    MaxGraphValue,
    MinGraphValue,
    MaxTimeGraphValue,
    MinTimeGraphValue,
    MetaFileInitDir,
    GraphScaleMode,
    TimeGraphScaleMode,
    GraphSelectionMode,
    TimeGraphSelectionMode,
    GraphTextDir,
    // Graph Color: memory graph channels 1..4, then time graph channels 1..4.
    MgCh1Color,
    MgCh2Color,
    MgCh3Color,
    MgCh4Color,
    TgCh1Color,
    TgCh2Color,
    TgCh3Color,
    TgCh4Color,
    // User Menu: the browse folder, then command, working folder and name of tools 0..4.
    UserMenuInitDir,
    MenuCommand0,
    MenuWorkDir0,
    MenuName0,
    MenuCommand1,
    MenuWorkDir1,
    MenuName1,
    MenuCommand2,
    MenuWorkDir2,
    MenuName2,
    MenuCommand3,
    MenuWorkDir3,
    MenuName3,
    MenuCommand4,
    MenuWorkDir4,
    MenuName4,
    // View Information: column widths of the symbol list, variable monitor, memory monitor and section page.
    LeftColumn0Width,
    LeftColumn1Width,
    LeftColumn2Width,
    LeftColumn3Width,
    TrColumn0Width,
    TrColumn1Width,
    TrColumn2Width,
    TrColumn3Width,
    TrColumn4Width,
    BrColumn0Width,
    BrColumn1Width,
    BrColumn2Width,
    SectionColumn0Width,
    SectionColumn1Width,
    SectionColumn2Width,
    SectionColumn3Width,
    // Recent File List: File1..File10.
    File1,
    File2,
    File3,
    File4,
    File5,
    File6,
    File7,
    File8,
    File9,
    File10,
    Count
};

inline constexpr int kSettingCount = static_cast<int>(SettingId::Count);

// How the in-memory copy keeps a stored 32-bit integer: whole, as its low byte, or as its low 16 bits.
enum class ValueKind { Int, Byte, Word, Text };

// The range rule applied to the in-memory copy.
enum class RangeRule {
    None,
    ComPort, // below 0 becomes 0, above 15 becomes 15
    BaudCode, // below 0 becomes 0, 5 becomes 4, above 8 becomes 8
    TxDelayIndex, // above 6 becomes 6
    DeviceIndex, // no catalogue row becomes 26
    DataFlashType, // above 5 becomes 5
};

struct SettingSpec {
    SettingId id;
    std::string_view section;
    std::string_view name;
    ValueKind kind;
    std::int32_t defaultNumber; // integer kinds
    std::string_view defaultText; // Text
    RangeRule rule;
};

std::span<const SettingSpec> settingsSchema();
const SettingSpec& specOf(SettingId id);

int clampComPort(int stored);
int clampBaudCode(int stored);
int clampTxDelayIndex(int stored);
int clampDataFlashType(int stored);

// The value as the program keeps it: narrowed to the kind's width, then held to the range rule.
std::int32_t normaliseSetting(const SettingSpec& spec, std::int32_t stored);

// Integer settings: read with default and rule applied; written normalised, so a clamped value is what is
// written back. The raw read gives the stored number (or the default) untouched.
std::int32_t readSetting(const SettingsStore& store, SettingId id);
std::int32_t readRawSetting(const SettingsStore& store, SettingId id);
void writeSetting(SettingsStore& store, SettingId id, std::int32_t value);

// Text settings.
std::string readTextSetting(const SettingsStore& store, SettingId id);
void writeTextSetting(SettingsStore& store, SettingId id, std::string_view value);

// Members of the numbered families.
inline constexpr int kCsmKeyWordCount = 8;
inline constexpr int kGraphColorCount = 8;
inline constexpr int kUserToolCount = 5;
inline constexpr int kRecentFileCount = 10;
SettingId pwKeySetting(int n); // PW KEY0..7
SettingId graphColorSetting(int n); // MG Ch1..4, then TG Ch1..4
SettingId menuCommandSetting(int tool); // MenuCommand0..4
SettingId menuWorkDirSetting(int tool); // MenuWorkDir0..4
SettingId menuNameSetting(int tool); // MenuName0..4
SettingId recentFileSetting(int n); // File1..File10 for n = 1..10

enum class ColumnView { SymbolList, VariableMonitor, MemoryMonitor, SectionPage };
int columnCountOf(ColumnView view);
SettingId columnWidthSetting(ColumnView view, int column);

} // namespace lumetra::core
