#include "graph/ui/acquisition_indicator.h"

#include <QPainter>

namespace lumetra::graph::ui {

namespace {

constexpr int kPhases = 8;
constexpr int kStepMs = 120;

} // namespace

AcquisitionIndicator::AcquisitionIndicator(QWidget* parent)
    : QWidget(parent)
{
    timer_.setInterval(kStepMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        phase_ = (phase_ + 1) % kPhases;
        update();
    });
}

void AcquisitionIndicator::setRunning(bool running)
{
    if (running == this->running())
        return;
    if (running)
        timer_.start();
    else
        timer_.stop();
    phase_ = 0;
    update();
}

void AcquisitionIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int diameter = std::max(4, std::min(height(), width()) / 2);
    const int y = (height() - diameter) / 2;
    if (!running()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(QPalette::Disabled, QPalette::WindowText));
        painter.drawEllipse(QRect((width() - diameter) / 2, y, diameter, diameter));
        return;
    }
    // Running: the dot moves from left to right, a fainter trail behind it.
    const int travel = std::max(1, width() - diameter);
    painter.setPen(Qt::NoPen);
    for (int trail = 2; trail >= 0; --trail) {
        const int phase = phase_ - trail;
        if (phase < 0)
            continue;
        QColor colour(0, 160, 0);
        colour.setAlpha(255 - trail * 90);
        painter.setBrush(colour);
        painter.drawEllipse(QRect(travel * phase / (kPhases - 1), y, diameter, diameter));
    }
}

} // namespace lumetra::graph::ui
