#include "app/ui/main_status_bar.h"

#include <QLabel>

namespace lumetra::app::ui {

namespace {

std::size_t slotOf(StatusPane pane)
{
    for (std::size_t slot = 0; slot < MainStatusBar::kPanes.size(); ++slot) {
        if (MainStatusBar::kPanes[slot] == pane)
            return slot;
    }
    return 0;
}

// The texts the panes are created with, shown until the main frame fills them.
QString creationText(StatusPane pane)
{
    switch (pane) {
    case StatusPane::Port:
        return QStringLiteral("COM1");
    case StatusPane::Speed:
        return QStringLiteral("BPS : 115200");
    case StatusPane::Link:
        return QStringLiteral("OFF LINE");
    case StatusPane::Size:
        return QStringLiteral("Size : 0x000000");
    case StatusPane::Device:
        return QStringLiteral("F2812-150MHz(30MHz*5)");
    case StatusPane::DataFlash:
        return QStringLiteral("AT25DF321A");
    }
    return {};
}

} // namespace

MainStatusBar::MainStatusBar(QWidget* parent)
    : QStatusBar(parent)
    , ready_(new QLabel(QStringLiteral("준비")))
{
    addWidget(ready_, 1);
    for (std::size_t slot = 0; slot < kPanes.size(); ++slot) {
        auto* label = new QLabel(creationText(kPanes[slot]));
        label->setMinimumWidth(paneWidth(kPanes[slot]));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        addPermanentWidget(label);
        panes_[slot] = label;
    }
}

int MainStatusBar::paneWidth(StatusPane pane)
{
    switch (pane) {
    case StatusPane::Port:
        return 48;
    case StatusPane::Speed:
        return 80;
    case StatusPane::Link:
        return 64;
    case StatusPane::Size:
        return 96;
    case StatusPane::Device:
        return 192;
    case StatusPane::DataFlash:
        return 80;
    }
    return 0;
}

void MainStatusBar::setPaneText(StatusPane pane, const QString& text)
{
    panes_[slotOf(pane)]->setText(text);
}

QString MainStatusBar::paneText(StatusPane pane) const
{
    return panes_[slotOf(pane)]->text();
}

QLabel* MainStatusBar::paneLabel(StatusPane pane) const
{
    return panes_[slotOf(pane)];
}

QString MainStatusBar::readyText() const
{
    return ready_->text();
}

} // namespace lumetra::app::ui
