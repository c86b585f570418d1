// The settings dialog "동작 환경 설정": shows the state of the settings dialog logic and hands every change and
// the OK button to it; the widgets decide nothing themselves.
#pragma once

#include "core/settings_dialog_logic.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lumetra::core::ui {

// What the firmware button reports: a message box (the link could not be opened) or the two comment lines
// (a missing second line leaves the line as it is).
struct FirmwareCheckAnswer {
    std::optional<DialogMessage> failure;
    std::string firstLine;
    std::optional<std::string> secondLine;
};

class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    using FirmwareCheck = std::function<FirmwareCheckAnswer(const SettingsDialogState&)>;
    using MessageSink = std::function<void(const DialogMessage&)>;

    // `initial` is the state the dialog opens with (openSettingsDialog).
    SettingsDialog(
        const SettingsDialogState& initial, UsbAccess usb, FirmwareCheck firmwareCheck, QWidget* parent = nullptr);

    // Replaces the message boxes (tests).
    void setMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }

    // The state the controls show now.
    SettingsDialogState state() const;
    // The values OK accepted; empty until the dialog closed with OK.
    const std::optional<SettingsDialogValues>& acceptedValues() const { return accepted_; }

    // Controls, for tests and keyboard focus.
    QComboBox* targetList() const { return targetList_; }
    QCheckBox* csmCheck() const { return csmCheck_; }
    QRadioButton* serialPortButton() const { return serialPort_; }
    QRadioButton* usbPortButton() const { return usbPort_; }
    QComboBox* comPortList() const { return comPortList_; }
    QComboBox* speedList() const { return speedList_; }
    QComboBox* dataFlashList() const { return dataFlashList_; }
    QLineEdit* timeIntervalEdit() const { return timeIntervalEdit_; }
    QLineEdit* timeOutEdit() const { return timeOutEdit_; }
    QLineEdit* keyEdit(int n) const { return keyEdits_.at(static_cast<std::size_t>(n)); }
    QLabel* keyLabel(int n) const { return keyLabels_.at(static_cast<std::size_t>(n)); }
    QRadioButton* intelligentEraseButton() const { return intelligentErase_; }
    QRadioButton* eraseAllButton() const { return eraseAll_; }
    QCheckBox* dataFlashEraseCheck() const { return dataFlashErase_; }
    QCheckBox* dataFlashResetCheck() const { return dataFlashReset_; }
    QLabel* firmwareLine(int n) const { return n == 0 ? firmwareLine1_ : firmwareLine2_; }
    QPushButton* firmwareButton() const { return firmwareButton_; }

public slots:
    void accept() override;

private:
    QWidget* buildLinkGroup();
    QWidget* buildMonitorGroup();
    QWidget* buildTargetGroup();
    QWidget* buildCsmGroup();
    QWidget* buildDataFlashGroup();
    void showState(const SettingsDialogState& state);
    void showControls(const SettingsDialogControls& controls);
    void targetChosen(int position);
    void refreshControls();
    void checkFirmware();
    void report(const DialogMessage& message);

    UsbAccess usb_;
    FirmwareCheck firmwareCheck_;
    MessageSink messageSink_;
    bool targetChosenInDialog_ = false;
    std::optional<SettingsDialogValues> accepted_;

    QRadioButton* serialPort_ = nullptr;
    QRadioButton* usbPort_ = nullptr;
    QComboBox* comPortList_ = nullptr;
    QComboBox* speedList_ = nullptr;
    QComboBox* txDelayList_ = nullptr;
    QLineEdit* timeIntervalEdit_ = nullptr;
    QLineEdit* timeOutEdit_ = nullptr;
    QComboBox* targetList_ = nullptr;
    QCheckBox* loadAfterDown_ = nullptr;
    QRadioButton* intelligentErase_ = nullptr;
    QRadioButton* eraseAll_ = nullptr;
    QCheckBox* csmCheck_ = nullptr;
    std::array<QLabel*, kCsmKeyWordCount> keyLabels_ {};
    std::array<QLineEdit*, kCsmKeyWordCount> keyEdits_ {};
    QComboBox* dataFlashList_ = nullptr;
    QCheckBox* dataFlashErase_ = nullptr;
    QCheckBox* dataFlashReset_ = nullptr;
    QPushButton* firmwareButton_ = nullptr;
    QLabel* firmwareLine1_ = nullptr;
    QLabel* firmwareLine2_ = nullptr;
};

} // namespace lumetra::core::ui
