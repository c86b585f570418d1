#include "programming/ui/data_flash_dialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace lumetra::programming::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

DataFlashDialog::DataFlashDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , log_(new QPlainTextEdit(this))
    , percent_(new QLabel(this))
    , bar_(new QProgressBar(this))
    , button_(new QPushButton(this))
    , closing_(new QTimer(this))
{
    setObjectName(QStringLiteral("dataFlashDialog"));
    setModal(true);
    log_->setObjectName(QStringLiteral("dataFlashLog"));
    log_->setReadOnly(true);
    log_->setMinimumSize(420, 160);
    percent_->setObjectName(QStringLiteral("dataFlashPercent"));
    button_->setObjectName(QStringLiteral("dataFlashButton"));
    bar_->setRange(0, 100);
    bar_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(log_);
    layout->addWidget(percent_);
    layout->addWidget(bar_);
    layout->addWidget(button_, 0, Qt::AlignHCenter);
    closing_->setSingleShot(true);
    connect(closing_, &QTimer::timeout, this, &DataFlashDialog::pressButton);
    connect(button_, &QPushButton::clicked, this, &DataFlashDialog::pressButton);
}

void DataFlashDialog::setRunHandlers(std::function<void(DataFlashJob)> start, std::function<void()> cancel)
{
    start_ = std::move(start);
    cancel_ = std::move(cancel);
}

void DataFlashDialog::runModal(std::string_view title, DataFlashJob job)
{
    closing_->stop();
    model_ = DataFlashDialogModel();
    log_->clear();
    setWindowTitle(qt(title));
    render();
    pending_ = std::move(job);
    exec();
}

void DataFlashDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    adjustSize();
    if (QWidget* owner = parentWidget())
        move(owner->geometry().center() - rect().center());
    if (pending_ && start_) {
        DataFlashJob job = std::move(*pending_);
        pending_.reset();
        start_(std::move(job));
    }
}

void DataFlashDialog::render()
{
    percent_->setText(qt(model_.percentText()));
    bar_->setValue(model_.percent());
    button_->setText(qt(model_.buttonText()));
    button_->setEnabled(model_.buttonEnabled());
}

void DataFlashDialog::pressButton()
{
    if (!model_.buttonEnabled())
        return;
    if (model_.pressButton() == DataFlashButtonAction::Cancel) {
        if (cancel_)
            cancel_();
        return;
    }
    closing_->stop();
    accept();
    if (QWidget* owner = parentWidget())
        owner->activateWindow();
}

void DataFlashDialog::reject()
{
    pressButton();
}

void DataFlashDialog::onUiThread(std::function<void()> change)
{
    uiThread_.post(std::move(change));
}

void DataFlashDialog::setRange(std::uint64_t total)
{
    onUiThread([this, total] {
        model_.setRange(total);
        render();
    });
}

void DataFlashDialog::setPosition(std::uint64_t position)
{
    onUiThread([this, position] {
        model_.setPosition(position);
        render();
    });
}

void DataFlashDialog::log(std::string_view line)
{
    onUiThread([this, text = std::string(line)] {
        model_.log(text);
        log_->appendPlainText(qt(text));
    });
}

void DataFlashDialog::setButtonEnabled(bool enabled)
{
    onUiThread([this, enabled] {
        model_.setButtonEnabled(enabled);
        render();
    });
}

void DataFlashDialog::finish(DataFlashResult result)
{
    onUiThread([this, result] {
        const std::size_t before = model_.lines().size();
        model_.finish(result);
        for (std::size_t i = before; i < model_.lines().size(); ++i)
            log_->appendPlainText(qt(model_.lines()[i]));
        render();
        if (const auto delay = model_.closeDelay())
            closing_->start(*delay);
    });
}

} // namespace lumetra::programming::ui
