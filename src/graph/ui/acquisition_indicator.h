// The small indicator of a time graph's status bar: a dot that runs along the pane while the window
// acquires, and stands still in grey while it is stopped.
#pragma once

#include <QTimer>
#include <QWidget>

namespace lumetra::graph::ui {

class AcquisitionIndicator final : public QWidget {
public:
    explicit AcquisitionIndicator(QWidget* parent = nullptr);

    void setRunning(bool running);
    bool running() const { return timer_.isActive(); }

    QSize sizeHint() const override { return {30, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer timer_;
    int phase_ = 0;
};

} // namespace lumetra::graph::ui
