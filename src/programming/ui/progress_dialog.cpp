#include "programming/ui/progress_dialog.h"

#include "programming/ui/erase_window.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
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

ProgressDialog::ProgressDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , model_([] { return std::optional<std::int64_t>(QDateTime::currentMSecsSinceEpoch()); })
    , caption_(new QLabel(this))
    , percent_(new QLabel(this))
    , bar_(new QProgressBar(this))
    , button_(new QPushButton(this))
    , closing_(new QTimer(this))
    , erase_(new EraseWindow(owner))
{
    setObjectName(QStringLiteral("progressDialog"));
    setWindowTitle(QStringLiteral("SCI Boot"));
    setModal(true);
    caption_->setObjectName(QStringLiteral("stepCaption"));
    percent_->setObjectName(QStringLiteral("percentText"));
    button_->setObjectName(QStringLiteral("progressButton"));
    bar_->setRange(0, 100);
    bar_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addWidget(percent_);
    layout->addWidget(bar_);
    layout->addWidget(button_, 0, Qt::AlignHCenter);
    setMinimumWidth(360);
    closing_->setSingleShot(true);
    connect(closing_, &QTimer::timeout, this, &ProgressDialog::pressButton);
    connect(button_, &QPushButton::clicked, this, &ProgressDialog::pressButton);
}

void ProgressDialog::render()
{
    caption_->setText(qt(model_.caption()));
    percent_->setText(qt(model_.percentText()));
    bar_->setValue(model_.percent());
    button_->setText(qt(model_.buttonText()));
}

void ProgressDialog::centreOnOwner(QWidget* window)
{
    window->adjustSize();
    if (QWidget* owner = parentWidget())
        window->move(owner->geometry().center() - window->rect().center());
}

void ProgressDialog::pressButton()
{
    if (!model_.pressButton())
        return;
    closing_->stop();
    close();
    if (QWidget* owner = parentWidget())
        owner->activateWindow();
}

void ProgressDialog::showProgress()
{
    closing_->stop();
    model_.show();
    render();
    centreOnOwner(this);
    show();
    raise();
    activateWindow();
    button_->setEnabled(true);
}

void ProgressDialog::setStep(std::string_view caption)
{
    model_.setStep(caption);
    caption_->setText(qt(model_.caption()));
    caption_->repaint();
}

void ProgressDialog::setRange(std::uint64_t total)
{
    model_.setRange(total);
}

void ProgressDialog::setPosition(std::uint64_t position)
{
    model_.setPosition(position);
    // Only a changed text or bar repaints; the events are let through after every word.
    const QString text = qt(model_.percentText());
    if (percent_->text() != text)
        percent_->setText(text);
    if (bar_->value() != model_.percent())
        bar_->setValue(model_.percent());
    QCoreApplication::processEvents();
}

bool ProgressDialog::cancelRequested()
{
    return model_.cancelRequested();
}

void ProgressDialog::setButtonEnabled(bool enabled)
{
    button_->setEnabled(enabled);
}

void ProgressDialog::beginErase()
{
    hide();
    centreOnOwner(erase_);
    erase_->show();
    QCoreApplication::processEvents();
}

void ProgressDialog::endErase()
{
    erase_->hide();
    model_.show();
    render();
    show();
    button_->setEnabled(true);
}

void ProgressDialog::showResult(RunResult result)
{
    model_.showResult(result);
    render();
    button_->setEnabled(true);
    if (const auto delay = model_.closeDelay())
        closing_->start(*delay);
}

} // namespace lumetra::programming::ui
