// The status bar of the main window: pane 0 for the menu prompts ("준비") and the six panes of port, speed,
// link, image size, device and data flash with their fixed widths.
#pragma once

#include "app/frame_view.h"

#include <QStatusBar>

#include <array>

class QLabel;

namespace lumetra::app::ui {

class MainStatusBar : public QStatusBar {
    Q_OBJECT

public:
    static constexpr std::array<StatusPane, 6> kPanes {StatusPane::Port, StatusPane::Speed, StatusPane::Link,
        StatusPane::Size, StatusPane::Device, StatusPane::DataFlash};

    explicit MainStatusBar(QWidget* parent = nullptr);

    void setPaneText(StatusPane pane, const QString& text);
    QString paneText(StatusPane pane) const;
    QLabel* paneLabel(StatusPane pane) const;
    QString readyText() const;
    // Width in pixels of a pane as created.
    static int paneWidth(StatusPane pane);

private:
    QLabel* ready_;
    std::array<QLabel*, kPanes.size()> panes_ {};
};

} // namespace lumetra::app::ui
