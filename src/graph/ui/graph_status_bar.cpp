#include "graph/ui/graph_status_bar.h"

#include "graph/ui/acquisition_indicator.h"

#include <QLabel>
#include <QProgressBar>
#include <QStackedWidget>

namespace lumetra::graph::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* paneLabel(std::string_view text)
{
    auto* label = new QLabel(qt(text));
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

} // namespace

GraphStatusBar::GraphStatusBar(GraphKind kind, QWidget* parent)
    : QStatusBar(parent)
{
    for (const GraphStatusPane& pane : graphStatusPanes(kind)) {
        const auto slot = static_cast<std::size_t>(pane.role);
        if (pane.role == GraphStatusPaneRole::Message) {
            labels_[slot] = paneLabel(pane.initialText);
            labels_[slot]->setMinimumWidth(pane.width);
            addWidget(labels_[slot], 1);
        } else if (pane.role != GraphStatusPaneRole::Activity) {
            // At least the pane's width; wider when the frame and the text need it.
            labels_[slot] = paneLabel(pane.initialText);
            labels_[slot]->setMinimumWidth(pane.width);
            addPermanentWidget(labels_[slot]);
        } else if (kind == GraphKind::Time) {
            indicator_ = new AcquisitionIndicator;
            indicator_->setFixedWidth(pane.width);
            addPermanentWidget(indicator_);
        } else {
            // The progress covers the pane's text while samples are read.
            activity_ = new QStackedWidget;
            activity_->setFixedWidth(pane.width);
            labels_[slot] = paneLabel(pane.initialText);
            progress_ = new QProgressBar;
            progress_->setTextVisible(false);
            activity_->addWidget(labels_[slot]);
            activity_->addWidget(progress_);
            addPermanentWidget(activity_);
        }
    }
}

void GraphStatusBar::showMessage(std::string_view text)
{
    label(GraphStatusPaneRole::Message)->setText(qt(text));
}

void GraphStatusBar::showScaleText(std::string_view text)
{
    label(GraphStatusPaneRole::Scale)->setText(qt(text));
}

void GraphStatusBar::showDecimalsText(std::string_view text)
{
    label(GraphStatusPaneRole::Decimals)->setText(qt(text));
}

void GraphStatusBar::showChannelText(std::string_view text)
{
    label(GraphStatusPaneRole::Channel)->setText(qt(text));
}

void GraphStatusBar::showProgress(std::uint32_t samples, std::uint32_t length)
{
    if (!progress_)
        return;
    // QProgressBar counts in int; a length is at most a 32-bit count of samples.
    const int maximum = static_cast<int>(std::min<std::uint32_t>(length, INT32_MAX));
    progress_->setRange(0, std::max(maximum, 1));
    progress_->setValue(static_cast<int>(std::min<std::uint32_t>(samples, static_cast<std::uint32_t>(maximum))));
    activity_->setCurrentWidget(progress_);
}

void GraphStatusBar::clearProgress()
{
    if (!progress_)
        return;
    progress_->reset();
    activity_->setCurrentIndex(0);
}

void GraphStatusBar::showAcquisitionRunning(bool running)
{
    if (indicator_)
        indicator_->setRunning(running);
}

void GraphStatusBar::showLagText(std::string_view text)
{
    if (QLabel* lag = label(GraphStatusPaneRole::Lag))
        lag->setText(qt(text));
}

QString GraphStatusBar::paneText(GraphStatusPaneRole role) const
{
    const QLabel* shown = label(role);
    return shown ? shown->text() : QString();
}

} // namespace lumetra::graph::ui
