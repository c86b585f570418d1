// Typed groups of the stored settings, read with their range rules applied and written back normalised.
#pragma once

#include "core/device_catalogue.h"
#include "core/settings_schema.h"
#include "core/settings_store.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lumetra::core {

enum class PortType { Serial = 0, Usb = 1 };

// The link and monitoring values of the main frame.
struct LinkConfig {
    int comPort = 0; // 0-based: 0 is "COM1"
    int baudCode = 4;
    std::int32_t timeIntervalMs = 100;
    std::int32_t timeOutMs = 200;
    int txDelayIndex = 3;
    PortType portType = PortType::Usb;
    bool loadAfterDown = false;

    bool operator==(const LinkConfig&) const = default;
};

LinkConfig loadLinkConfig(const SettingsStore& store);
void saveLinkConfig(SettingsStore& store, const LinkConfig& config);

// True when a value that the open link depends on differs (everything but `Load After Down`).
bool linkParametersDiffer(const LinkConfig& before, const LinkConfig& after);

inline constexpr std::uint16_t kErasedKeyWord = 0xFFFF;
using CsmKeys = std::array<std::uint16_t, kCsmKeyWordCount>;

// The device and programming values of the application object.
struct DeviceConfig {
    int deviceIndex = kDefaultDeviceIndex;
    int dataFlashType = kDefaultDataFlashType;
    bool dataFlashEraseAll = true; // "EEPROM Erase Option"
    bool dataFlashResetAfterDownload = false; // "EEPROM Reset Flag"
    bool eraseAll = false; // "ERASE OPTION": "Erase All" instead of "Intelligent Erase"
    bool csmUse = false;
    CsmKeys csmKeys {kErasedKeyWord, kErasedKeyWord, kErasedKeyWord, kErasedKeyWord, kErasedKeyWord, kErasedKeyWord,
        kErasedKeyWord, kErasedKeyWord};

    bool operator==(const DeviceConfig&) const = default;
};

// The erase option is kept off for the LF240x family and the data flash rows, the CSM option for the latter.
DeviceConfig loadDeviceConfig(const SettingsStore& store);
void saveDeviceConfig(SettingsStore& store, const DeviceConfig& config);

// The main window's placement and pane sizes.
struct WindowLayout {
    int left = 100;
    int top = 50;
    int right = 900;
    int bottom = 650;
    int showCmd = 1;
    int firstSetup = 0;
    int leftPaneWidth = 400;
    int rightPaneHeight = 200;
    int messageWindowWidth = 0; // below 1: the default size
    int messageWindowHeight = 0; // below 1: the default size

    bool operator==(const WindowLayout&) const = default;
};

WindowLayout loadWindowLayout(const SettingsStore& store);
// `FirstSetup` 0 is written as 1: the program has been closed once.
void saveWindowLayout(SettingsStore& store, const WindowLayout& layout);

// Section "Graph Env": the folders of the graph exports. The graph windows' own values of the section and
// "Graph Color" are graph::GraphSettings.
struct GraphEnv {
    std::string metaFileInitDir;
    std::string graphTextDir;

    bool operator==(const GraphEnv&) const = default;
};

GraphEnv loadGraphEnv(const SettingsStore& store);
void saveGraphEnv(SettingsStore& store, const GraphEnv& env);

// Section "View Information": the column widths of one list view.
std::vector<int> loadColumnWidths(const SettingsStore& store, ColumnView view);
void saveColumnWidths(SettingsStore& store, ColumnView view, const std::vector<int>& widths);

// Section "Recent File List": the non-empty entries File1..File10 in order; saving writes the list from File1
// and empties the entries after it.
std::vector<std::string> loadRecentFiles(const SettingsStore& store);
void saveRecentFiles(SettingsStore& store, const std::vector<std::string>& files);

} // namespace lumetra::core
