#include "core/ui/settings_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <vector>

namespace lumetra::core::ui {
namespace {

constexpr int kF2812Row = 26;
constexpr int kF28346Row = 36;
constexpr int kLf2407Row = 4;

class SettingsDialogTest : public ::testing::Test {
protected:
    SettingsDialog& open(const SettingsDialogState& state)
    {
        dialog = std::make_unique<SettingsDialog>(state, usb, firmware);
        dialog->setMessageSink([this](const DialogMessage& message) { messages.push_back(message); });
        return *dialog;
    }

    SettingsDialog& openDefaults() { return open(openSettingsDialog(LinkConfig {}, DeviceConfig {})); }

    // Picks a target row as the user does, through the list's activation.
    static void choose(SettingsDialog& d, int row)
    {
        d.targetList()->setCurrentIndex(row);
        emit d.targetList()->activated(row);
    }

    static std::vector<bool> keyEnabling(const SettingsDialog& d)
    {
        std::vector<bool> enabled;
        for (int n = 0; n < kCsmKeyWordCount; ++n)
            enabled.push_back(d.keyEdit(n)->isEnabled());
        return enabled;
    }

    UsbAccess usb {[] { return true; }, [] { return true; }};
    SettingsDialog::FirmwareCheck firmware;
    std::unique_ptr<SettingsDialog> dialog;
    std::vector<DialogMessage> messages;
};

TEST_F(SettingsDialogTest, OpensWithTheStoredValuesAndTheirLists)
{
    SettingsDialog& d = openDefaults();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("동작 환경 설정"));
    EXPECT_TRUE(d.usbPortButton()->isChecked());
    EXPECT_FALSE(d.comPortList()->isEnabled());
    EXPECT_EQ(d.comPortList()->count(), 16);
    EXPECT_EQ(d.comPortList()->itemText(15), QStringLiteral("COM16"));
    EXPECT_EQ(d.speedList()->currentText(), QStringLiteral("115200"));
    EXPECT_EQ(d.targetList()->count(), 71);
    EXPECT_EQ(d.targetList()->currentIndex(), kF2812Row);
    EXPECT_EQ(d.dataFlashList()->count(), 6);
    EXPECT_EQ(d.timeIntervalEdit()->text(), QStringLiteral("100"));
    EXPECT_EQ(d.timeOutEdit()->text(), QStringLiteral("200"));
    EXPECT_EQ(d.keyEdit(7)->text(), QStringLiteral("FFFF"));
    EXPECT_TRUE(d.intelligentEraseButton()->isChecked());
    EXPECT_EQ(d.state(), openSettingsDialog(LinkConfig {}, DeviceConfig {}));

    d.serialPortButton()->setChecked(true);
    EXPECT_TRUE(d.comPortList()->isEnabled());
}

TEST_F(SettingsDialogTest, GroupTitlesAndTheKeyNoteAreTheCoresTexts)
{
    SettingsDialog& d = openDefaults();
    QStringList titles;
    for (const QGroupBox* group : d.findChildren<QGroupBox*>())
        titles << group->title();
    EXPECT_TRUE(titles.contains(QStringLiteral("CSM && Erase Options for F28xx/LF240xA Device"))) << titles.join('|').toStdString();
    EXPECT_TRUE(titles.contains(QStringLiteral("TMS320C2834x 외부 Data Flash 설정"))) << titles.join('|').toStdString();
    const auto* csmGroup = d.csmCheck()->parentWidget();
    QStringList notes;
    for (const QLabel* label : csmGroup->findChildren<QLabel*>())
        notes << label->text();
    EXPECT_TRUE(notes.contains(QStringLiteral("Flash Algorithm Code에 사용됩니다. - Hex Value"))) << notes.join('|').toStdString();
}

TEST_F(SettingsDialogTest, ChoosingATargetRowAppliesItsRulesAtOnce)
{
    DeviceConfig device;
    device.csmUse = true;
    device.eraseAll = true;
    SettingsDialog& d = open(openSettingsDialog(LinkConfig {}, device));
    // F281x with CSM: all eight keys, erase options and CSM open; the data flash controls closed.
    EXPECT_EQ(keyEnabling(d), std::vector<bool>(8, true));
    EXPECT_TRUE(d.eraseAllButton()->isEnabled());
    EXPECT_TRUE(d.eraseAllButton()->isChecked());
    EXPECT_FALSE(d.dataFlashList()->isEnabled());

    choose(d, kF28346Row);
    EXPECT_FALSE(d.csmCheck()->isChecked());
    EXPECT_FALSE(d.csmCheck()->isEnabled());
    EXPECT_FALSE(d.eraseAllButton()->isEnabled());
    EXPECT_TRUE(d.intelligentEraseButton()->isChecked());
    EXPECT_EQ(keyEnabling(d), std::vector<bool>(8, false));
    EXPECT_TRUE(d.dataFlashList()->isEnabled());
    EXPECT_TRUE(d.dataFlashEraseCheck()->isEnabled());
    EXPECT_TRUE(d.dataFlashResetCheck()->isEnabled());
    EXPECT_TRUE(d.state().targetChosenInDialog);

    choose(d, kLf2407Row);
    EXPECT_FALSE(d.eraseAllButton()->isEnabled());
    EXPECT_TRUE(d.csmCheck()->isEnabled());
    EXPECT_FALSE(d.dataFlashList()->isEnabled());
    EXPECT_TRUE(d.dataFlashEraseCheck()->isChecked());
    EXPECT_FALSE(d.dataFlashResetCheck()->isChecked());
    d.csmCheck()->setChecked(true);
    EXPECT_EQ(keyEnabling(d), std::vector<bool>({true, true, true, true, false, false, false, false}));
    for (int n = 0; n < kCsmKeyWordCount; ++n)
        EXPECT_EQ(d.keyLabel(n)->text().toStdString(), csmKeyLabel(kLf2407Row, n, true)) << n;
    d.csmCheck()->setChecked(false);
    EXPECT_EQ(keyEnabling(d), std::vector<bool>(8, false));
}

TEST_F(SettingsDialogTest, AFailedCheckKeepsTheDialogOpenWithItsMessage)
{
    SettingsDialog& d = openDefaults();
    d.timeIntervalEdit()->clear();
    d.accept();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "모니터링 시간 간격 값을 입력하십시요.");
    EXPECT_EQ(messages[0].icon, MessageIcon::Information);
    EXPECT_FALSE(d.acceptedValues().has_value());
    EXPECT_NE(d.result(), QDialog::Accepted);
}

TEST_F(SettingsDialogTest, OkHandsTheLogicsValuesBack)
{
    SettingsDialog& d = openDefaults();
    d.serialPortButton()->setChecked(true);
    d.comPortList()->setCurrentIndex(2);
    d.speedList()->setCurrentText(QStringLiteral("9600"));
    d.timeOutEdit()->setText(QStringLiteral("10"));
    d.accept();
    // The time-out's floor applies, and the dialog says so as it closes.
    EXPECT_EQ(messages,
        (std::vector<DialogMessage> {
            {"타임 아웃 값이 허용 범위를 벗어나 50(으)로 적용되었읍니다.", MessageIcon::Information}}));
    ASSERT_TRUE(d.acceptedValues().has_value());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.acceptedValues()->portType, PortType::Serial);
    EXPECT_EQ(d.acceptedValues()->comPort, 2);
    EXPECT_EQ(d.acceptedValues()->baudCode, 0);
    EXPECT_EQ(d.acceptedValues()->timeOutMs, 50);
}

TEST_F(SettingsDialogTest, UsbWithoutItsDriverKeepsTheDialogOpen)
{
    usb.loadDriver = [] { return false; };
    SettingsDialog& d = openDefaults();
    d.accept();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(d.acceptedValues().has_value());
}

TEST_F(SettingsDialogTest, FirmwareButtonShowsTheAnswerOrTheFailure)
{
    SettingsDialogState asked;
    FirmwareCheckAnswer answer {std::nullopt, "[ POD Firmware Version : 2.10 ]", std::nullopt};
    firmware = [&](const SettingsDialogState& state) {
        asked = state;
        return answer;
    };
    SettingsDialog& d = openDefaults();
    d.firmwareLine(1)->setText(QStringLiteral("before"));
    d.speedList()->setCurrentText(QStringLiteral("38400"));
    d.firmwareButton()->click();
    EXPECT_EQ(asked.speedText, "38400");
    EXPECT_EQ(d.firmwareLine(0)->text(), QStringLiteral("[ POD Firmware Version : 2.10 ]"));
    EXPECT_EQ(d.firmwareLine(1)->text(), QStringLiteral("before"));

    answer = {DialogMessage {"통신 포트를 여는데 실패했읍니다.", MessageIcon::Error}, {}, {}};
    d.firmwareButton()->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "통신 포트를 여는데 실패했읍니다.");
    EXPECT_EQ(d.firmwareLine(0)->text(), QStringLiteral("[ POD Firmware Version : 2.10 ]"));
}

} // namespace
} // namespace lumetra::core::ui
