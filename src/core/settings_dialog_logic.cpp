#include "core/settings_dialog_logic.h"

#include "core/device_catalogue.h"
#include "core/link_option_lists.h"
#include "core/number_field_range.h"
#include "core/settings_number_fields.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace lumetra::core {

namespace {

constexpr std::int64_t kLongestMs = std::numeric_limits<std::int32_t>::max();
constexpr FieldRange kTimeIntervalRange {0, kLongestMs};
constexpr FieldRange kTimeOutRange {50, kLongestMs};
constexpr std::string_view kTimeIntervalSubject = "모니터링 시간 간격 값";
constexpr std::string_view kTimeOutSubject = "타임 아웃 값";
constexpr int kLf240xKeyCount = 4;

int targetIndexOf(const SettingsDialogState& state)
{
    return std::clamp(state.targetPosition, 0, kDeviceCount - 1);
}

std::string keyText(std::uint16_t key)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(key));
    return text;
}

// The erase, CSM and data flash state a row forces on the dialog.
void applyRowRules(SettingsDialogState& state)
{
    if (hasDataFlash(targetIndexOf(state))) {
        state.eraseAll = false;
        state.csmChecked = false;
    } else {
        state.dataFlashEraseAll = true;
        state.dataFlashResetAfterDownload = false;
    }
}

DialogMessage information(std::string text)
{
    return {std::move(text), MessageIcon::Information};
}

DialogMessage keyMissing(int n)
{
    return information("KEY" + std::to_string(n) + " 값을 입력하십시요.");
}

DialogMessage keyNotHexadecimal(int n)
{
    return information("KEY" + std::to_string(n) + " 값은 0000~FFFF의 16진수로 입력하십시요.");
}

// A number edit's value in its range, or the message that refuses a text that is not a number.
std::variant<DialogMessage, RangedNumber> readNumberEdit(
    const std::string& text, FieldRange range, std::string_view subject)
{
    const std::optional<std::int64_t> number = parseDecimalField(text);
    if (!number)
        return information(notNumberText(subject));
    return keepInRange(*number, range, subject);
}

std::string joinNotices(const std::string& first, const std::string& second)
{
    if (first.empty() || second.empty())
        return first + second;
    return first + "\n" + second;
}

const char* const kPermanentLockMessage = "모든 Key값이 0이면 Device는 Permanent Secure Locked된 상태이므로\r\n"
                                          "본 프로그램의 일부 기능이 제대로 작동되지 않읍니다.";

// Step 4 of OK: the keys entered while the CSM check box is ticked, or the message about the first bad one.
std::variant<DialogMessage, CsmKeys> readKeys(const SettingsDialogState& state, int keyCount)
{
    CsmKeys keys;
    keys.fill(kErasedKeyWord);
    for (int n = 0; n < keyCount; ++n) {
        const std::string& text = state.keyTexts[static_cast<std::size_t>(n)];
        if (trimmedField(text).empty())
            return keyMissing(n);
        const std::optional<std::uint16_t> key = parseKeyField(text);
        if (!key)
            return keyNotHexadecimal(n);
        keys[static_cast<std::size_t>(n)] = *key;
    }
    if (keyCount == kCsmKeyWordCount && std::all_of(keys.begin(), keys.end(), [](std::uint16_t k) { return k == 0; }))
        return information(kPermanentLockMessage);
    return keys;
}

bool succeeds(const std::function<bool()>& call)
{
    return call && call();
}

} // namespace

SettingsDialogState openSettingsDialog(const LinkConfig& link, const DeviceConfig& device)
{
    SettingsDialogState state;
    state.port = link.portType;
    state.comPortPosition = clampComPort(link.comPort);
    state.speedText = std::string(baudRateText(link.baudCode));
    state.txDelayPosition = clampTxDelayIndex(link.txDelayIndex);
    state.timeIntervalText = std::to_string(link.timeIntervalMs);
    state.timeOutText = std::to_string(link.timeOutMs);
    state.loadAfterDown = link.loadAfterDown;
    state.targetPosition = resolveStoredDeviceIndex(device.deviceIndex);
    state.dataFlashPosition = clampDataFlashType(device.dataFlashType);
    state.eraseAll = device.eraseAll;
    state.csmChecked = device.csmUse;
    for (int n = 0; n < kCsmKeyWordCount; ++n)
        state.keyTexts[static_cast<std::size_t>(n)] = keyText(device.csmKeys[static_cast<std::size_t>(n)]);
    state.dataFlashEraseAll = device.dataFlashEraseAll;
    state.dataFlashResetAfterDownload = device.dataFlashResetAfterDownload;
    applyRowRules(state);
    return state;
}

void chooseTarget(SettingsDialogState& state, int position)
{
    state.targetPosition = position;
    state.targetChosenInDialog = true;
    applyRowRules(state);
}

SettingsDialogControls settingsDialogControls(const SettingsDialogState& state)
{
    const int index = targetIndexOf(state);
    const bool dataFlashRow = hasDataFlash(index);

    SettingsDialogControls controls;
    controls.comPortListEnabled = state.port == PortType::Serial;
    controls.eraseOptionsEnabled = familyOf(index) == Family::F28x && !dataFlashRow;
    controls.csmCheckEnabled = !dataFlashRow;
    const int enabledKeys = state.csmChecked ? csmKeyCountOf(index) : 0;
    for (int n = 0; n < kCsmKeyWordCount; ++n) {
        controls.keyEnabled[static_cast<std::size_t>(n)] = n < enabledKeys;
        controls.keyLabels[static_cast<std::size_t>(n)] = csmKeyLabel(index, n, state.targetChosenInDialog);
    }
    controls.dataFlashControlsEnabled = dataFlashRow;
    return controls;
}

SettingsDialogOutcome acceptSettingsDialog(const SettingsDialogState& state, const UsbAccess& usb)
{
    // 1, 2: the two number edits; a number outside an edit's range is taken at its nearest end, and said so.
    if (trimmedField(state.timeIntervalText).empty())
        return information("모니터링 시간 간격 값을 입력하십시요.");
    auto interval = readNumberEdit(state.timeIntervalText, kTimeIntervalRange, kTimeIntervalSubject);
    if (auto* message = std::get_if<DialogMessage>(&interval))
        return std::move(*message);
    if (trimmedField(state.timeOutText).empty())
        return information("타임 아웃 값을 입력하십시요.");
    auto timeOut = readNumberEdit(state.timeOutText, kTimeOutRange, kTimeOutSubject);
    if (auto* message = std::get_if<DialogMessage>(&timeOut))
        return std::move(*message);

    SettingsDialogValues values;
    const RangedNumber& intervalMs = std::get<RangedNumber>(interval);
    const RangedNumber& timeOutMs = std::get<RangedNumber>(timeOut);
    values.timeIntervalMs = static_cast<std::int32_t>(intervalMs.value);
    values.timeOutMs = static_cast<std::int32_t>(timeOutMs.value);
    values.notice = joinNotices(intervalMs.notice, timeOutMs.notice);

    // 3: list positions and the options the row allows.
    values.txDelayIndex = clampTxDelayIndex(state.txDelayPosition);
    values.deviceIndex = targetIndexOf(state);
    const bool dataFlashRow = hasDataFlash(values.deviceIndex);
    const bool lf240x = familyOf(values.deviceIndex) == Family::Lf240x;
    values.loadAfterDown = state.loadAfterDown;
    values.eraseAll = state.eraseAll && !lf240x && !dataFlashRow;
    values.csmUse = state.csmChecked && !dataFlashRow;

    // 4: the keys.
    values.csmKeys.fill(kErasedKeyWord);
    if (values.csmUse) {
        auto keys = readKeys(state, lf240x ? kLf240xKeyCount : kCsmKeyWordCount);
        if (auto* message = std::get_if<DialogMessage>(&keys))
            return std::move(*message);
        values.csmKeys = std::get<CsmKeys>(keys);
    }

    // 5: the port; USB needs the driver library and a POD.
    values.portType = state.port;
    if (state.port == PortType::Serial) {
        values.comPort = clampComPort(state.comPortPosition);
    } else {
        if (!succeeds(usb.loadDriver))
            return DialogMessage {std::string(kUsbDriverLoadFailedText), MessageIcon::Error};
        if (!succeeds(usb.findUsbPod))
            return DialogMessage {std::string(kUsbPodNotFoundText), MessageIcon::Error};
    }

    // 6: the speed.
    values.baudCode = baudCodeOfSpeedText(state.speedText);

    // 9: the data flash values belong to rows 36 to 41 only.
    if (dataFlashRow) {
        values.dataFlash = DataFlashChoice {
            clampDataFlashType(state.dataFlashPosition), state.dataFlashEraseAll, state.dataFlashResetAfterDownload};
    }
    return values;
}

void applySettingsDialogValues(const SettingsDialogValues& values, LinkConfig& link, DeviceConfig& device)
{
    link.portType = values.portType;
    if (values.comPort)
        link.comPort = *values.comPort;
    link.baudCode = values.baudCode;
    link.timeIntervalMs = values.timeIntervalMs;
    link.timeOutMs = values.timeOutMs;
    link.txDelayIndex = values.txDelayIndex;
    link.loadAfterDown = values.loadAfterDown;

    device.deviceIndex = values.deviceIndex;
    device.eraseAll = values.eraseAll;
    device.csmUse = values.csmUse;
    device.csmKeys = values.csmKeys;
    if (values.dataFlash) {
        device.dataFlashType = values.dataFlash->type;
        device.dataFlashEraseAll = values.dataFlash->eraseAll;
        device.dataFlashResetAfterDownload = values.dataFlash->resetAfterDownload;
    }
}

} // namespace lumetra::core
