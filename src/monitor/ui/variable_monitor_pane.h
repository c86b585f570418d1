// The variable monitor pane (top right): one row per registered variable with its live value, the context menu
// of the variable monitor model and the Delete key for the selected rows.
#pragma once

#include "monitor/ui/value_entry_dialog.h"
#include "monitor/variable_monitor.h"

#include "core/ui/report_view.h"
#include "link/pod_link.h"

#include <cstdint>
#include <functional>
#include <vector>

class QMenu;

namespace lumetra::monitor::ui {

class LiveTableModel;

class VariableMonitorPane : public core::ui::ReportView {
    Q_OBJECT

public:
    // `targetId` gives the loaded program's target id for the data change dialog's address format.
    VariableMonitorPane(core::SettingsStore& store, VariableMonitor& monitor, link::CPodLink& link,
        std::function<std::uint16_t()> targetId, MessageSink messages, QWidget* parent = nullptr);

    // Shows the model's rows as they are now and tells the model which rows are visible.
    void refresh();

    LiveTableModel* tableModel() const { return model_; }
    // The selected rows in row order.
    std::vector<std::size_t> selectedRowIndexes() const;
    // The context menu as it opens now (tests look at its entries).
    QMenu* buildContextMenu();
    // "심볼 데이타 변환" for the first selected row (or `row`), run modally.
    void runDataChangeDialog(int row);

signals:
    void toggleMonitoringRequested();
    void openSymbolFileRequested();
    void saveSymbolFileRequested();
    // A command changed the list or the monitoring state.
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateVisibleRows();
    void afterCommand();

    VariableMonitor& monitor_;
    link::CPodLink& link_;
    std::function<std::uint16_t()> targetId_;
    MessageSink messages_;
    LiveTableModel* model_;
};

} // namespace lumetra::monitor::ui
