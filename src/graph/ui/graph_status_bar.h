// The status bar of a graph window: the general message pane, the scale, decimals and channel panes, and the
// activity pane, which holds the sample progress of a memory graph or the indicator of a time graph; a time
// graph adds the pane of its late and skipped ticks.
#pragma once

#include "graph/items/graph_items.h"
#include "graph/session/graph_status_view.h"

#include <QStatusBar>

#include <array>

class QLabel;
class QProgressBar;
class QStackedWidget;

namespace lumetra::graph::ui {

class AcquisitionIndicator;

class GraphStatusBar final : public QStatusBar, public GraphStatusView {
public:
    explicit GraphStatusBar(GraphKind kind, QWidget* parent = nullptr);

    void showMessage(std::string_view text) override;
    void showScaleText(std::string_view text) override;
    void showDecimalsText(std::string_view text) override;
    void showChannelText(std::string_view text) override;
    void showProgress(std::uint32_t samples, std::uint32_t length) override;
    void clearProgress() override;
    void showAcquisitionRunning(bool running) override;
    void showLagText(std::string_view text) override;

    // What the panes show, for tests.
    QString paneText(GraphStatusPaneRole role) const;
    // Memory graph only.
    QProgressBar* progressBar() const { return progress_; }
    // Time graph only.
    AcquisitionIndicator* indicator() const { return indicator_; }

private:
    QLabel* label(GraphStatusPaneRole role) const { return labels_[static_cast<std::size_t>(role)]; }

    // By role; the activity label is the memory graph's text under the progress; the lag label a time graph's.
    std::array<QLabel*, 6> labels_ {};
    QStackedWidget* activity_ = nullptr; // memory graph: the label, or the progress over it
    QProgressBar* progress_ = nullptr;
    AcquisitionIndicator* indicator_ = nullptr;
};

} // namespace lumetra::graph::ui
