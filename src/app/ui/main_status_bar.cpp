#include "app/ui/main_status_bar.h"

#include "app/status_texts.h"
#include "core/device_catalogue.h"

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

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The texts the panes show until the main frame fills them: COM1, 115200 baud, off line, no image, device row 26
// with the default data flash type.
QString creationText(StatusPane pane)
{
    switch (pane) {
    case StatusPane::Port:
        return qt(portPaneText(core::LinkConfig {.portType = core::PortType::Serial}));
    case StatusPane::Speed:
        return qt(speedPaneText(core::LinkConfig {}.baudCode));
    case StatusPane::Link:
        return qt(linkPaneText(false));
    case StatusPane::Size:
        return qt(sizePaneText(0));
    case StatusPane::Device:
        return qt(core::statusNameOf(core::kDefaultDeviceIndex));
    case StatusPane::DataFlash:
        return qt(core::dataFlashNameOf(core::kDefaultDataFlashType));
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
