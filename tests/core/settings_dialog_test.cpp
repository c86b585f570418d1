#include "core/settings_dialog_logic.h"

#include <gtest/gtest.h>

namespace lumetra::core {
namespace {

const UsbAccess kUsbPresent {[] { return true; }, [] { return true; }};

SettingsDialogState openedWith(int device, bool csm = false)
{
    LinkConfig link;
    DeviceConfig config;
    config.deviceIndex = device;
    config.csmUse = csm;
    return openSettingsDialog(link, config);
}

DialogMessage messageOf(const SettingsDialogOutcome& outcome)
{
    EXPECT_TRUE(std::holds_alternative<DialogMessage>(outcome));
    return std::holds_alternative<DialogMessage>(outcome) ? std::get<DialogMessage>(outcome) : DialogMessage {};
}

SettingsDialogValues valuesOf(const SettingsDialogOutcome& outcome)
{
    if (const auto* message = std::get_if<DialogMessage>(&outcome))
        ADD_FAILURE() << "dialog stays open: " << message->text;
    return std::holds_alternative<SettingsDialogValues>(outcome) ? std::get<SettingsDialogValues>(outcome)
                                                                 : SettingsDialogValues {};
}

void setKeys(SettingsDialogState& state, const std::string& text)
{
    state.keyTexts.fill(text);
}

TEST(SettingsDialogOpening, ControlsFollowTheStoredValues)
{
    LinkConfig link {3, 5, 250, 80, 9, PortType::Serial, true};
    DeviceConfig device;
    device.deviceIndex = 12;
    device.dataFlashType = 4;
    device.eraseAll = true;
    device.csmUse = true;
    device.csmKeys = {0x1, 0xAB, 0xFFFF, 0x1234, 0, 0, 0, 0xBEEF};
    const SettingsDialogState state = openSettingsDialog(link, device);

    EXPECT_EQ(state.port, PortType::Serial);
    EXPECT_EQ(state.comPortPosition, 3);
    EXPECT_EQ(state.speedText, "115200") << "code 5 shows as 115200";
    EXPECT_EQ(state.txDelayPosition, 6);
    EXPECT_EQ(state.timeIntervalText, "250");
    EXPECT_EQ(state.timeOutText, "80");
    EXPECT_EQ(state.targetPosition, 12);
    EXPECT_EQ(state.dataFlashPosition, 4);
    EXPECT_TRUE(state.loadAfterDown);
    EXPECT_TRUE(state.eraseAll);
    EXPECT_TRUE(state.csmChecked);
    EXPECT_EQ(
        state.keyTexts, (std::array<std::string, 8> {"0001", "00AB", "FFFF", "1234", "0000", "0000", "0000", "BEEF"}));
    EXPECT_TRUE(state.dataFlashEraseAll) << "ticked for rows without data flash";
    EXPECT_FALSE(state.dataFlashResetAfterDownload);

    const SettingsDialogControls controls = settingsDialogControls(state);
    EXPECT_TRUE(controls.comPortListEnabled);
    EXPECT_TRUE(controls.eraseOptionsEnabled);
    EXPECT_TRUE(controls.csmCheckEnabled);
    EXPECT_EQ(controls.keyEnabled, (std::array<bool, 8> {true, true, true, true, true, true, true, true}));
    EXPECT_EQ(controls.keyLabels[0], "KEY0 (0x3F7FF8)");
    EXPECT_EQ(controls.keyLabels[7], "KEY7 (0x3F7FFF)");
    EXPECT_FALSE(controls.dataFlashControlsEnabled);

    link.baudCode = 6;
    link.portType = PortType::Usb;
    const SettingsDialogState usb = openSettingsDialog(link, device);
    EXPECT_EQ(usb.speedText, "1200");
    EXPECT_FALSE(settingsDialogControls(usb).comPortListEnabled);
}

TEST(SettingsDialogOpening, Lf240xRowsDisableEraseOptionsAndOfferFourKeys)
{
    const SettingsDialogState state = openedWith(3, true);
    const SettingsDialogControls controls = settingsDialogControls(state);
    EXPECT_FALSE(controls.eraseOptionsEnabled);
    EXPECT_TRUE(controls.csmCheckEnabled);
    EXPECT_EQ(controls.keyEnabled, (std::array<bool, 8> {true, true, true, true, false, false, false, false}));
    EXPECT_EQ(controls.keyLabels[0], "KEY0 (0x0040)");
    EXPECT_EQ(controls.keyLabels[3], "KEY3 (0x0043)");
    EXPECT_EQ(controls.keyLabels[4], "KEY4 (0x0000)");
    EXPECT_FALSE(controls.dataFlashControlsEnabled);

    const SettingsDialogControls off = settingsDialogControls(openedWith(3, false));
    EXPECT_EQ(off.keyEnabled, (std::array<bool, 8> {}));
}

TEST(SettingsDialogOpening, DataFlashRowsForceIntelligentEraseAndNoCsm)
{
    DeviceConfig device;
    device.deviceIndex = 38;
    device.eraseAll = true;
    device.csmUse = true;
    device.dataFlashType = 5;
    device.dataFlashEraseAll = false;
    device.dataFlashResetAfterDownload = true;
    const SettingsDialogState state = openSettingsDialog(LinkConfig {}, device);
    EXPECT_FALSE(state.eraseAll);
    EXPECT_FALSE(state.csmChecked);
    EXPECT_FALSE(state.dataFlashEraseAll) << "the stored data flash options show for these rows";
    EXPECT_TRUE(state.dataFlashResetAfterDownload);
    EXPECT_EQ(state.dataFlashPosition, 5);

    const SettingsDialogControls controls = settingsDialogControls(state);
    EXPECT_FALSE(controls.eraseOptionsEnabled);
    EXPECT_FALSE(controls.csmCheckEnabled);
    EXPECT_EQ(controls.keyEnabled, (std::array<bool, 8> {}));
    EXPECT_TRUE(controls.dataFlashControlsEnabled);
    EXPECT_EQ(controls.keyLabels[0], "KEY0 (0x3F7FF8)") << "labelled as rows 6 to 29 when opened on the row";
}

TEST(SettingsDialogRowChange, RulesApplyAtOnce)
{
    SettingsDialogState state = openedWith(26, true);
    state.eraseAll = true;
    setKeys(state, "1234");

    chooseTarget(state, 40);
    EXPECT_FALSE(state.eraseAll);
    EXPECT_FALSE(state.csmChecked);
    EXPECT_EQ(state.keyTexts[0], "1234") << "the key texts stay";
    SettingsDialogControls controls = settingsDialogControls(state);
    EXPECT_TRUE(controls.dataFlashControlsEnabled);
    EXPECT_FALSE(controls.csmCheckEnabled);
    EXPECT_EQ(controls.keyLabels[0], "KEY0 (0x33FFF8)") << "labelled as rows 30 to 35 once chosen in the list";

    state.dataFlashEraseAll = false;
    state.dataFlashResetAfterDownload = true;
    chooseTarget(state, 30);
    EXPECT_TRUE(state.dataFlashEraseAll);
    EXPECT_FALSE(state.dataFlashResetAfterDownload);
    controls = settingsDialogControls(state);
    EXPECT_FALSE(controls.dataFlashControlsEnabled);
    EXPECT_TRUE(controls.csmCheckEnabled);
    EXPECT_TRUE(controls.eraseOptionsEnabled);
    EXPECT_EQ(controls.keyEnabled, (std::array<bool, 8> {})) << "the CSM box stays cleared";

    state.csmChecked = true;
    EXPECT_EQ(settingsDialogControls(state).keyEnabled,
        (std::array<bool, 8> {true, true, true, true, true, true, true, true}));
    chooseTarget(state, 5);
    EXPECT_TRUE(state.csmChecked);
    controls = settingsDialogControls(state);
    EXPECT_FALSE(controls.eraseOptionsEnabled);
    EXPECT_EQ(controls.keyEnabled, (std::array<bool, 8> {true, true, true, true, false, false, false, false}));
    chooseTarget(state, 66);
    EXPECT_EQ(settingsDialogControls(state).keyLabels[7], "Z1/2 CSMKEY3-1");
}

TEST(SettingsDialogOk, EmptyNumberEditsKeepTheDialogOpen)
{
    SettingsDialogState state = openedWith(26);
    state.timeIntervalText = "";
    state.timeOutText = "";
    EXPECT_EQ(messageOf(acceptSettingsDialog(state, kUsbPresent)),
        (DialogMessage {"모니터링 시간 간격 값을 입력하십시요.", MessageIcon::Information}));
    state.timeIntervalText = "  ";
    EXPECT_EQ(messageOf(acceptSettingsDialog(state, kUsbPresent)).text, "모니터링 시간 간격 값을 입력하십시요.");
    state.timeIntervalText = "0";
    EXPECT_EQ(messageOf(acceptSettingsDialog(state, kUsbPresent)),
        (DialogMessage {"타임 아웃 값을 입력하십시요.", MessageIcon::Information}));
}

TEST(SettingsDialogOk, NumberEditsAreParsedAndTheTimeOutHasAFloor)
{
    SettingsDialogState state = openedWith(26);
    const std::tuple<const char*, const char*, int, int> cases[] = {
        {"0", "10", 0, 50},
        {"1", "49", 1, 50},
        {"+20", "50", 20, 50},
        {" 300 ", "51", 300, 51},
        {"-5", "-5", 0, 50},
        {"99999999999", "1000", 2147483647, 1000},
    };
    for (const auto& [interval, timeOut, expectedInterval, expectedTimeOut] : cases) {
        state.timeIntervalText = interval;
        state.timeOutText = timeOut;
        const SettingsDialogValues values = valuesOf(acceptSettingsDialog(state, kUsbPresent));
        EXPECT_EQ(values.timeIntervalMs, expectedInterval) << interval;
        EXPECT_EQ(values.timeOutMs, expectedTimeOut) << timeOut;
    }
}

TEST(SettingsDialogOk, ANumberEditThatIsNotANumberKeepsTheDialogOpenNamingIt)
{
    SettingsDialogState state = openedWith(26);
    for (const char* text : {"x", "20ms", "1 0", "1.5", "0x10", "-", "- 5"}) {
        SCOPED_TRACE(text);
        state.timeIntervalText = text;
        state.timeOutText = "";
        EXPECT_EQ(messageOf(acceptSettingsDialog(state, kUsbPresent)),
            (DialogMessage {"모니터링 시간 간격 값이 숫자가 아닙니다.", MessageIcon::Information}));
        state.timeIntervalText = "100";
        state.timeOutText = text;
        EXPECT_EQ(messageOf(acceptSettingsDialog(state, kUsbPresent)),
            (DialogMessage {"타임 아웃 값이 숫자가 아닙니다.", MessageIcon::Information}));
    }
}

TEST(SettingsDialogOk, ANumberOutsideItsRangeIsTakenAtTheNearestEndAndSaidSo)
{
    SettingsDialogState state = openedWith(26);
    state.timeIntervalText = "100";
    state.timeOutText = "200";
    EXPECT_EQ(valuesOf(acceptSettingsDialog(state, kUsbPresent)).notice, "");

    state.timeOutText = "10";
    EXPECT_EQ(valuesOf(acceptSettingsDialog(state, kUsbPresent)).notice,
        "타임 아웃 값이 허용 범위를 벗어나 50(으)로 적용되었읍니다.");

    state.timeIntervalText = "-5";
    state.timeOutText = "99999999999";
    EXPECT_EQ(valuesOf(acceptSettingsDialog(state, kUsbPresent)).notice,
        "모니터링 시간 간격 값이 허용 범위를 벗어나 0(으)로 적용되었읍니다.\n"
        "타임 아웃 값이 허용 범위를 벗어나 2147483647(으)로 적용되었읍니다.");
}

TEST(SettingsDialogOk, ListPositionsAreClamped)
{
    SettingsDialogState state = openedWith(26);
    state.txDelayPosition = 9;
    state.targetPosition = 80;
    const SettingsDialogValues values = valuesOf(acceptSettingsDialog(state, kUsbPresent));
    EXPECT_EQ(values.txDelayIndex, 6);
    EXPECT_EQ(values.deviceIndex, 70);

    state.targetPosition = 38;
    state.dataFlashPosition = 9;
    const SettingsDialogValues dataFlash = valuesOf(acceptSettingsDialog(state, kUsbPresent));
    ASSERT_TRUE(dataFlash.dataFlash.has_value());
    EXPECT_EQ(dataFlash.dataFlash->type, 5);
}

TEST(SettingsDialogOk, EmptyKeysAreNamedInOrder)
{
    SettingsDialogState f28x = openedWith(26, true);
    setKeys(f28x, "1");
    f28x.keyTexts[6] = "";
    f28x.keyTexts[2] = " ";
    EXPECT_EQ(messageOf(acceptSettingsDialog(f28x, kUsbPresent)),
        (DialogMessage {"KEY2 값을 입력하십시요.", MessageIcon::Information}));
    f28x.keyTexts[2] = "1";
    EXPECT_EQ(messageOf(acceptSettingsDialog(f28x, kUsbPresent)).text, "KEY6 값을 입력하십시요.");

    SettingsDialogState lf240x = openedWith(0, true);
    lf240x.keyTexts = {"1", "2", "3", "", "", "", "", ""};
    EXPECT_EQ(messageOf(acceptSettingsDialog(lf240x, kUsbPresent)).text, "KEY3 값을 입력하십시요.");

    f28x.csmChecked = false;
    f28x.keyTexts.fill("");
    EXPECT_TRUE(std::holds_alternative<SettingsDialogValues>(acceptSettingsDialog(f28x, kUsbPresent)));
}

TEST(SettingsDialogOk, AllZeroKeysWarnOfThePermanentLockOnlyWithEightKeys)
{
    SettingsDialogState f28x = openedWith(26, true);
    setKeys(f28x, "0");
    EXPECT_EQ(messageOf(acceptSettingsDialog(f28x, kUsbPresent)),
        (DialogMessage {"모든 Key값이 0이면 Device는 Permanent Secure Locked된 상태이므로\r\n"
                        "본 프로그램의 일부 기능이 제대로 작동되지 않읍니다.",
            MessageIcon::Information}));
    setKeys(f28x, "zz");
    EXPECT_EQ(messageOf(acceptSettingsDialog(f28x, kUsbPresent)).text, "KEY0 값은 0000~FFFF의 16진수로 입력하십시요.")
        << "a key that does not parse is refused, not taken as 0";

    SettingsDialogState lf240x = openedWith(2, true);
    lf240x.keyTexts = {"0", "0", "0", "0", "", "", "", ""};
    const SettingsDialogValues values = valuesOf(acceptSettingsDialog(lf240x, kUsbPresent));
    EXPECT_EQ(values.csmKeys, (CsmKeys {0, 0, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}));
}

TEST(SettingsDialogTexts, GroupTitlesAndKeyNote)
{
    EXPECT_EQ(kCsmGroupTitle, "CSM && Erase Options for F28xx/LF240xA Device");
    EXPECT_EQ(kCsmKeyNote, "Flash Algorithm Code에 사용됩니다. - Hex Value");
    EXPECT_EQ(kDataFlashGroupTitle, "TMS320C2834x 외부 Data Flash 설정");
}

TEST(SettingsDialogOk, KeyFieldsAreHexadecimalWords)
{
    SettingsDialogState state = openedWith(26, true);
    state.keyTexts = {"1a2B", "0x12", "0Xff", " 7 ", "0", "FFFF", "0001", "0x0"};
    const SettingsDialogValues values = valuesOf(acceptSettingsDialog(state, kUsbPresent));
    EXPECT_EQ(values.csmKeys, (CsmKeys {0x1A2B, 0x12, 0xFF, 0x7, 0, 0xFFFF, 0x1, 0}));
    EXPECT_TRUE(values.csmUse);

    for (const char* text : {"GHIJ", "12G4", "0x", "0xG", "1 2", "-1", "10000", "12345"}) {
        SCOPED_TRACE(text);
        state.keyTexts[5] = text;
        EXPECT_EQ(messageOf(acceptSettingsDialog(state, kUsbPresent)),
            (DialogMessage {"KEY5 값은 0000~FFFF의 16진수로 입력하십시요.", MessageIcon::Information}))
            << "a key that is not a 16-bit hexadecimal word is refused, not read as another key";
    }
    state.keyTexts[5] = "0000FFFF";
    EXPECT_TRUE(std::holds_alternative<SettingsDialogValues>(acceptSettingsDialog(state, kUsbPresent)));
}

TEST(SettingsDialogOk, CsmStateByFamily)
{
    SettingsDialogState lf240x = openedWith(5, true);
    lf240x.eraseAll = true;
    lf240x.keyTexts = {"1111", "2222", "3333", "4444", "5555", "6666", "7777", "8888"};
    SettingsDialogValues values = valuesOf(acceptSettingsDialog(lf240x, kUsbPresent));
    EXPECT_FALSE(values.eraseAll);
    EXPECT_TRUE(values.csmUse);
    EXPECT_EQ(values.csmKeys, (CsmKeys {0x1111, 0x2222, 0x3333, 0x4444, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}));

    lf240x.csmChecked = false;
    values = valuesOf(acceptSettingsDialog(lf240x, kUsbPresent));
    EXPECT_FALSE(values.csmUse);
    EXPECT_EQ(values.csmKeys, (CsmKeys {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}));

    SettingsDialogState f28x = lf240x;
    chooseTarget(f28x, 6);
    f28x.csmChecked = true;
    f28x.eraseAll = true;
    values = valuesOf(acceptSettingsDialog(f28x, kUsbPresent));
    EXPECT_TRUE(values.eraseAll);
    EXPECT_EQ(values.csmKeys, (CsmKeys {0x1111, 0x2222, 0x3333, 0x4444, 0x5555, 0x6666, 0x7777, 0x8888}));
    f28x.csmChecked = false;
    values = valuesOf(acceptSettingsDialog(f28x, kUsbPresent));
    EXPECT_TRUE(values.eraseAll);
    EXPECT_EQ(values.csmKeys[0], 0xFFFF);

    // A data flash row stores neither, even if the controls somehow held them.
    SettingsDialogState f2834x = f28x;
    f2834x.targetPosition = 36;
    f2834x.csmChecked = true;
    f2834x.eraseAll = true;
    setKeys(f2834x, "");
    values = valuesOf(acceptSettingsDialog(f2834x, kUsbPresent));
    EXPECT_FALSE(values.eraseAll);
    EXPECT_FALSE(values.csmUse);
    EXPECT_EQ(values.csmKeys[0], 0xFFFF);
}

TEST(SettingsDialogOk, UsbChecksKeepTheDialogOpen)
{
    SettingsDialogState state = openedWith(26);
    state.port = PortType::Usb;
    int podSearches = 0;
    const UsbAccess noDriver {[] { return false; }, [&] { return ++podSearches > 0; }};
    EXPECT_EQ(messageOf(acceptSettingsDialog(state, noDriver)),
        (DialogMessage {"FTD2XX.dll 파일를 로드할 수 없읍니다.", MessageIcon::Error}));
    EXPECT_EQ(podSearches, 0);

    const UsbAccess noPod {[] { return true; }, [] { return false; }};
    EXPECT_EQ(messageOf(acceptSettingsDialog(state, noPod)),
        (DialogMessage {"USB POD의 연결 상태에 문제가 발생하였읍니다.", MessageIcon::Error}));
    EXPECT_EQ(messageOf(acceptSettingsDialog(state, UsbAccess {})).text, "FTD2XX.dll 파일를 로드할 수 없읍니다.");

    // The serial port needs neither.
    state.port = PortType::Serial;
    state.comPortPosition = 15;
    const SettingsDialogValues values = valuesOf(acceptSettingsDialog(state, noDriver));
    EXPECT_EQ(values.portType, PortType::Serial);
    EXPECT_EQ(values.comPort, 15);
}

TEST(SettingsDialogOk, KeyMessagesComeBeforeTheUsbChecks)
{
    SettingsDialogState state = openedWith(26, true);
    state.port = PortType::Usb;
    setKeys(state, "");
    bool driverAsked = false;
    const UsbAccess usb {[&] { return driverAsked = true; }, [] { return true; }};
    EXPECT_EQ(messageOf(acceptSettingsDialog(state, usb)).text, "KEY0 값을 입력하십시요.");
    EXPECT_FALSE(driverAsked);
}

TEST(SettingsDialogOk, StoredValuesAndWhatTheyLeaveAlone)
{
    LinkConfig link {9, 4, 100, 200, 3, PortType::Serial, false};
    DeviceConfig device;
    device.deviceIndex = 38;
    device.dataFlashType = 2;
    SettingsDialogState state = openSettingsDialog(link, device);
    state.port = PortType::Usb;
    state.comPortPosition = 2;
    state.speedText = "4800";
    state.loadAfterDown = true;
    state.dataFlashPosition = 5;
    state.dataFlashEraseAll = false;
    state.dataFlashResetAfterDownload = true;
    chooseTarget(state, 26); // row 26 has no data flash: the data flash choice is not stored
    state.dataFlashPosition = 5;

    SettingsDialogValues values = valuesOf(acceptSettingsDialog(state, kUsbPresent));
    EXPECT_EQ(values.portType, PortType::Usb);
    EXPECT_FALSE(values.comPort.has_value());
    EXPECT_EQ(values.baudCode, 8);
    EXPECT_TRUE(values.loadAfterDown);
    EXPECT_EQ(values.deviceIndex, 26);
    EXPECT_FALSE(values.dataFlash.has_value());

    applySettingsDialogValues(values, link, device);
    EXPECT_EQ(link, (LinkConfig {9, 8, 100, 200, 3, PortType::Usb, true}));
    EXPECT_EQ(device.deviceIndex, 26);
    EXPECT_EQ(device.dataFlashType, 2);
    EXPECT_TRUE(device.dataFlashEraseAll);

    chooseTarget(state, 39);
    state.dataFlashPosition = 3;
    state.dataFlashEraseAll = false;
    state.dataFlashResetAfterDownload = true;
    values = valuesOf(acceptSettingsDialog(state, kUsbPresent));
    EXPECT_EQ(values.dataFlash, (DataFlashChoice {3, false, true}));
    applySettingsDialogValues(values, link, device);
    EXPECT_EQ(device.deviceIndex, 39);
    EXPECT_EQ(device.dataFlashType, 3);
    EXPECT_FALSE(device.dataFlashEraseAll);
    EXPECT_TRUE(device.dataFlashResetAfterDownload);
}

} // namespace
} // namespace lumetra::core
