// The memory monitor pane (bottom right): the rows of the memory monitor model in a report list that does not
// scroll itself, and an 18-pixel scroll bar beside it that moves the start address over the whole address range.
#pragma once

#include "monitor/memory_monitor.h"
#include "monitor/ui/value_entry_dialog.h"

#include "core/ui/report_view.h"
#include "link/pod_link.h"

#include <QWidget>

class QMenu;
class QScrollBar;

namespace lumetra::monitor::ui {

class LiveTableModel;

inline constexpr int kMemoryScrollBarWidth = 18;

class MemoryMonitorPane : public QWidget {
    Q_OBJECT

public:
    MemoryMonitorPane(core::SettingsStore& store, MemoryMonitor& monitor, link::CPodLink& link, MessageSink messages,
        QWidget* parent = nullptr);

    // Shows the model's rows and scroll bar as they are now.
    void refresh();

    core::ui::ReportView* table() const { return table_; }
    QScrollBar* scrollBar() const { return scrollBar_; }
    LiveTableModel* tableModel() const { return model_; }
    // The context menu as it opens now (tests look at its entries).
    QMenu* buildContextMenu();

    // The dialogs; each runs modally and applies its OK.
    void runStartAddressDialog();
    void runDataChangeDialog(int row);

signals:
    // "주소 모니터링": the main frame toggles address monitoring.
    void toggleMonitoringRequested();
    // A command changed the monitoring state.
    void changed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scrollBy(int sliderAction);
    void updateRowsPerPage();
    int selectedRow() const;
    void afterCommand();

    MemoryMonitor& monitor_;
    link::CPodLink& link_;
    MessageSink messages_;
    core::ui::ReportView* table_;
    QScrollBar* scrollBar_;
    LiveTableModel* model_;
};

} // namespace lumetra::monitor::ui
