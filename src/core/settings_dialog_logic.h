// The settings dialog ("동작 환경 설정") as plain state: how it opens from the configuration, which controls a
// target row enables, and what pressing OK stores or which message keeps the dialog open.
#pragma once

#include "core/configuration.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <variant>

namespace lumetra::core {

// What the dialog's controls show and hold.
struct SettingsDialogState {
    PortType port = PortType::Usb; // "Serial Port" / "USB Port"
    int comPortPosition = 0; // port list, COM1..COM16
    std::string speedText = "115200"; // selected text of the speed list
    int txDelayPosition = 3; // "Tx Delay" list
    std::string timeIntervalText; // monitoring interval edit
    std::string timeOutText; // time-out edit
    int targetPosition = kDefaultDeviceIndex; // target list, the device index
    bool targetChosenInDialog = false; // a row was chosen in the list since the dialog opened
    int dataFlashPosition = kDefaultDataFlashType;
    bool loadAfterDown = false; // "COFF 파일 로드 후 타겟 다운로드 실행"
    bool eraseAll = false; // "Erase All" chosen instead of "Intelligent Erase"
    bool csmChecked = false; // "Unlock CSM(Code Security Module) 사용 여부"
    std::array<std::string, kCsmKeyWordCount> keyTexts;
    bool dataFlashEraseAll = true; // "전체 메모리 영역 지우기 설정"
    bool dataFlashResetAfterDownload = false; // "다운로드 후 타겟 리셋 및 모니터링"

    bool operator==(const SettingsDialogState&) const = default;
};

SettingsDialogState openSettingsDialog(const LinkConfig& link, const DeviceConfig& device);

// Choosing a row of the target list: the row's erase, CSM and data flash rules apply at once.
void chooseTarget(SettingsDialogState& state, int position);

// Labels and enabling of the controls that depend on the state.
struct SettingsDialogControls {
    bool comPortListEnabled = false;
    bool eraseOptionsEnabled = false;
    bool csmCheckEnabled = false;
    std::array<bool, kCsmKeyWordCount> keyEnabled {};
    std::array<std::string, kCsmKeyWordCount> keyLabels;
    bool dataFlashControlsEnabled = false; // the data flash list and its two check boxes
};

SettingsDialogControls settingsDialogControls(const SettingsDialogState& state);

enum class MessageIcon { Information, Error };

// Group titles and the note under the key fields ("&&" is one "&" on screen).
inline constexpr std::string_view kCsmGroupTitle = "CSM && Erase Options for F28xx/LF240xA Device";
inline constexpr std::string_view kCsmKeyNote = "Flash Algorithm Code에 사용됩니다. - Hex Value";
inline constexpr std::string_view kDataFlashGroupTitle = "TMS320C2834x 외부 Data Flash 설정";

// USB failures, shown by the settings dialog, its firmware check and the command line (error icon).
inline constexpr std::string_view kUsbDriverLoadFailedText = "FTD2XX.dll 파일를 로드할 수 없읍니다.";
inline constexpr std::string_view kUsbPodNotFoundText = "USB POD의 연결 상태에 문제가 발생하였읍니다.";

struct DialogMessage {
    std::string text;
    MessageIcon icon = MessageIcon::Information;

    bool operator==(const DialogMessage&) const = default;
};

struct DataFlashChoice {
    int type = kDefaultDataFlashType;
    bool eraseAll = true;
    bool resetAfterDownload = false;

    bool operator==(const DataFlashChoice&) const = default;
};

// The values that OK stores. `comPort` only with the serial port chosen, `dataFlash` only for rows 36 to 41;
// the values absent here keep what they held.
struct SettingsDialogValues {
    PortType portType = PortType::Usb;
    std::optional<int> comPort;
    int baudCode = 4;
    std::int32_t timeIntervalMs = 100;
    std::int32_t timeOutMs = 200;
    int txDelayIndex = 3;
    bool loadAfterDown = false;
    int deviceIndex = kDefaultDeviceIndex;
    bool eraseAll = false;
    bool csmUse = false;
    CsmKeys csmKeys {};
    std::optional<DataFlashChoice> dataFlash;
    // The values a number edit's range applied instead of the numbers typed, shown (information icon) as the
    // dialog closes; empty when none was.
    std::string notice;

    bool operator==(const SettingsDialogValues&) const = default;
};

// The USB driver and POD look-ups of the link, asked only when "USB Port" is chosen. Each answers true when the
// library is loaded / a POD has been found, by an earlier call or by this one; a missing function counts as
// a failure.
struct UsbAccess {
    std::function<bool()> loadDriver;
    std::function<bool()> findUsbPod;
};

// OK: either the message that keeps the dialog open, or the values to store.
using SettingsDialogOutcome = std::variant<DialogMessage, SettingsDialogValues>;
SettingsDialogOutcome acceptSettingsDialog(const SettingsDialogState& state, const UsbAccess& usb);

void applySettingsDialogValues(const SettingsDialogValues& values, LinkConfig& link, DeviceConfig& device);

} // namespace lumetra::core
