#include "core/ui/settings_dialog.h"

#include "core/device_catalogue.h"
#include "core/link_option_lists.h"
#include "core/ui/message_box.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace lumetra::core::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

constexpr int kKeyEditLength = 4;

} // namespace

SettingsDialog::SettingsDialog(
    const SettingsDialogState& initial, UsbAccess usb, FirmwareCheck firmwareCheck, QWidget* parent)
    : QDialog(parent)
    , usb_(std::move(usb))
    , firmwareCheck_(std::move(firmwareCheck))
    , messageSink_([this](const DialogMessage& message) { showMessageBox(this, message); })
{
    setWindowTitle(QStringLiteral("동작 환경 설정"));

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildLinkGroup());
    left->addWidget(buildMonitorGroup());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(buildTargetGroup());
    right->addWidget(buildCsmGroup());
    right->addWidget(buildDataFlashGroup());
    right->addStretch();
    columns->addLayout(left);
    columns->addLayout(right);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("확인"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("취소"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SettingsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    showState(initial);
    showControls(settingsDialogControls(initial));

    connect(targetList_, &QComboBox::activated, this, &SettingsDialog::targetChosen);
    connect(csmCheck_, &QCheckBox::toggled, this, &SettingsDialog::refreshControls);
    connect(serialPort_, &QRadioButton::toggled, this, &SettingsDialog::refreshControls);
    connect(firmwareButton_, &QPushButton::clicked, this, &SettingsDialog::checkFirmware);
}

QWidget* SettingsDialog::buildLinkGroup()
{
    auto* group = new QGroupBox(QStringLiteral("통신 설정"));
    serialPort_ = new QRadioButton(QStringLiteral("Serial Port"));
    usbPort_ = new QRadioButton(QStringLiteral("USB Port"));
    auto* portKind = new QButtonGroup(group);
    portKind->addButton(serialPort_);
    portKind->addButton(usbPort_);

    comPortList_ = new QComboBox;
    for (int position = 0; position < kComPortCount; ++position)
        comPortList_->addItem(qt(comPortName(position)));
    speedList_ = new QComboBox;
    for (std::string_view text : kSpeedListTexts)
        speedList_->addItem(qt(text));
    txDelayList_ = new QComboBox;
    for (std::string_view text : kTxDelayTexts)
        txDelayList_->addItem(qt(text));

    firmwareButton_ = new QPushButton(QStringLiteral("현재 POD의 펌웨어 확인"));
    firmwareLine1_ = new QLabel;
    firmwareLine2_ = new QLabel;
    firmwareLine1_->setWordWrap(true);
    firmwareLine2_->setWordWrap(true);

    auto* radios = new QHBoxLayout;
    radios->addWidget(serialPort_);
    radios->addWidget(usbPort_);
    auto* form = new QFormLayout(group);
    form->addRow(radios);
    form->addRow(QStringLiteral("Port"), comPortList_);
    form->addRow(QStringLiteral("Speed"), speedList_);
    form->addRow(QStringLiteral("Tx Delay"), txDelayList_);
    form->addRow(firmwareButton_);
    form->addRow(firmwareLine1_);
    form->addRow(firmwareLine2_);
    return group;
}

QWidget* SettingsDialog::buildMonitorGroup()
{
    auto* group = new QGroupBox(QStringLiteral("모니터링 설정"));
    timeIntervalEdit_ = new QLineEdit;
    timeOutEdit_ = new QLineEdit;
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("모니터링 시간 간격 (msec)"), timeIntervalEdit_);
    form->addRow(QStringLiteral("타임 아웃 (msec)"), timeOutEdit_);
    return group;
}

QWidget* SettingsDialog::buildTargetGroup()
{
    auto* group = new QGroupBox(QStringLiteral("타겟 설정"));
    targetList_ = new QComboBox;
    targetList_->setMaxVisibleItems(20);
    for (int index = 0; index < kDeviceCount; ++index)
        targetList_->addItem(qt(listNameOf(index)));
    loadAfterDown_ = new QCheckBox(QStringLiteral("COFF 파일 로드 후 타겟 다운로드 실행"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(targetList_);
    layout->addWidget(loadAfterDown_);
    return group;
}

QWidget* SettingsDialog::buildCsmGroup()
{
    auto* group = new QGroupBox(qt(kCsmGroupTitle));
    intelligentErase_ = new QRadioButton(QStringLiteral("Intelligent Erase"));
    eraseAll_ = new QRadioButton(QStringLiteral("Erase All"));
    auto* eraseKind = new QButtonGroup(group);
    eraseKind->addButton(intelligentErase_);
    eraseKind->addButton(eraseAll_);
    csmCheck_ = new QCheckBox(QStringLiteral("Unlock CSM(Code Security Module) 사용 여부"));

    auto* layout = new QGridLayout(group);
    layout->addWidget(intelligentErase_, 0, 0, 1, 2);
    layout->addWidget(eraseAll_, 0, 2, 1, 2);
    layout->addWidget(csmCheck_, 1, 0, 1, 4);
    for (int n = 0; n < kCsmKeyWordCount; ++n) {
        auto* label = new QLabel;
        auto* edit = new QLineEdit;
        edit->setMaxLength(kKeyEditLength);
        const int row = 2 + n % 4;
        const int column = n < 4 ? 0 : 2;
        layout->addWidget(label, row, column);
        layout->addWidget(edit, row, column + 1);
        keyLabels_[static_cast<std::size_t>(n)] = label;
        keyEdits_[static_cast<std::size_t>(n)] = edit;
    }
    layout->addWidget(new QLabel(qt(kCsmKeyNote)), 6, 0, 1, 4);
    return group;
}

QWidget* SettingsDialog::buildDataFlashGroup()
{
    auto* group = new QGroupBox(qt(kDataFlashGroupTitle));
    dataFlashList_ = new QComboBox;
    for (int type = 0; type < kDataFlashTypeCount; ++type)
        dataFlashList_->addItem(qt(dataFlashNameOf(type)));
    dataFlashErase_ = new QCheckBox(QStringLiteral("전체 메모리 영역 지우기 설정"));
    dataFlashReset_ = new QCheckBox(QStringLiteral("다운로드 후 타겟 리셋 및 모니터링"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(dataFlashList_);
    layout->addWidget(dataFlashErase_);
    layout->addWidget(dataFlashReset_);
    return group;
}

SettingsDialogState SettingsDialog::state() const
{
    SettingsDialogState state;
    state.port = usbPort_->isChecked() ? PortType::Usb : PortType::Serial;
    state.comPortPosition = comPortList_->currentIndex();
    state.speedText = utf8(speedList_->currentText());
    state.txDelayPosition = txDelayList_->currentIndex();
    state.timeIntervalText = utf8(timeIntervalEdit_->text());
    state.timeOutText = utf8(timeOutEdit_->text());
    state.targetPosition = targetList_->currentIndex();
    state.targetChosenInDialog = targetChosenInDialog_;
    state.dataFlashPosition = dataFlashList_->currentIndex();
    state.loadAfterDown = loadAfterDown_->isChecked();
    state.eraseAll = eraseAll_->isChecked();
    state.csmChecked = csmCheck_->isChecked();
    for (int n = 0; n < kCsmKeyWordCount; ++n)
        state.keyTexts[static_cast<std::size_t>(n)] = utf8(keyEdits_[static_cast<std::size_t>(n)]->text());
    state.dataFlashEraseAll = dataFlashErase_->isChecked();
    state.dataFlashResetAfterDownload = dataFlashReset_->isChecked();
    return state;
}

void SettingsDialog::showState(const SettingsDialogState& state)
{
    // Filling the controls must not run the change handlers.
    const QSignalBlocker blockCsm(csmCheck_);
    const QSignalBlocker blockSerial(serialPort_);
    serialPort_->setChecked(state.port == PortType::Serial);
    usbPort_->setChecked(state.port == PortType::Usb);
    comPortList_->setCurrentIndex(state.comPortPosition);
    const int speed = speedList_->findText(qt(state.speedText));
    speedList_->setCurrentIndex(speed >= 0 ? speed : speedList_->findText(QStringLiteral("115200")));
    txDelayList_->setCurrentIndex(state.txDelayPosition);
    timeIntervalEdit_->setText(qt(state.timeIntervalText));
    timeOutEdit_->setText(qt(state.timeOutText));
    targetList_->setCurrentIndex(state.targetPosition);
    targetChosenInDialog_ = state.targetChosenInDialog;
    dataFlashList_->setCurrentIndex(state.dataFlashPosition);
    loadAfterDown_->setChecked(state.loadAfterDown);
    intelligentErase_->setChecked(!state.eraseAll);
    eraseAll_->setChecked(state.eraseAll);
    csmCheck_->setChecked(state.csmChecked);
    for (int n = 0; n < kCsmKeyWordCount; ++n)
        keyEdits_[static_cast<std::size_t>(n)]->setText(qt(state.keyTexts[static_cast<std::size_t>(n)]));
    dataFlashErase_->setChecked(state.dataFlashEraseAll);
    dataFlashReset_->setChecked(state.dataFlashResetAfterDownload);
}

void SettingsDialog::showControls(const SettingsDialogControls& controls)
{
    comPortList_->setEnabled(controls.comPortListEnabled);
    intelligentErase_->setEnabled(controls.eraseOptionsEnabled);
    eraseAll_->setEnabled(controls.eraseOptionsEnabled);
    csmCheck_->setEnabled(controls.csmCheckEnabled);
    for (int n = 0; n < kCsmKeyWordCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        keyEdits_[i]->setEnabled(controls.keyEnabled[i]);
        keyLabels_[i]->setText(qt(controls.keyLabels[i]));
        keyLabels_[i]->setEnabled(controls.keyEnabled[i]);
    }
    dataFlashList_->setEnabled(controls.dataFlashControlsEnabled);
    dataFlashErase_->setEnabled(controls.dataFlashControlsEnabled);
    dataFlashReset_->setEnabled(controls.dataFlashControlsEnabled);
}

void SettingsDialog::targetChosen(int position)
{
    SettingsDialogState current = state();
    chooseTarget(current, position);
    showState(current);
    showControls(settingsDialogControls(current));
}

void SettingsDialog::refreshControls()
{
    showControls(settingsDialogControls(state()));
}

void SettingsDialog::checkFirmware()
{
    if (!firmwareCheck_)
        return;
    const FirmwareCheckAnswer answer = firmwareCheck_(state());
    if (answer.failure) {
        report(*answer.failure);
        return;
    }
    firmwareLine1_->setText(qt(answer.firstLine));
    if (answer.secondLine)
        firmwareLine2_->setText(qt(*answer.secondLine));
}

void SettingsDialog::accept()
{
    const SettingsDialogOutcome outcome = acceptSettingsDialog(state(), usb_);
    if (const auto* message = std::get_if<DialogMessage>(&outcome)) {
        report(*message);
        return;
    }
    accepted_ = std::get<SettingsDialogValues>(outcome);
    if (!accepted_->notice.empty())
        report(DialogMessage {accepted_->notice, MessageIcon::Information});
    QDialog::accept();
}

void SettingsDialog::report(const DialogMessage& message)
{
    messageSink_(message);
}

} // namespace lumetra::core::ui
