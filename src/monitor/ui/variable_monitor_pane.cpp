#include "monitor/ui/variable_monitor_pane.h"

#include "monitor/ui/live_table_model.h"
#include "monitor/ui/view_type_menu.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>

#include <algorithm>

namespace lumetra::monitor::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string cellOf(const VariableMonitor& monitor, int row, int column)
{
    const auto index = static_cast<std::size_t>(row);
    const VariableRow& shown = monitor.rows()[index];
    switch (column) {
    case 0:
        return monitor.nameText(index);
    case 1:
        return shown.value;
    case 2:
        return shown.viewTypeText;
    case 3:
        return shown.dataTypeText;
    default:
        return shown.ascii;
    }
}

} // namespace

VariableMonitorPane::VariableMonitorPane(core::SettingsStore& store, VariableMonitor& monitor, link::CPodLink& link,
    std::function<std::uint16_t()> targetId, MessageSink messages, QWidget* parent)
    : ReportView(store, core::ColumnView::VariableMonitor, parent)
    , monitor_(monitor)
    , link_(link)
    , targetId_(std::move(targetId))
    , messages_(std::move(messages))
    , model_(new LiveTableModel(
          {"Symbol Name", "Value", "View Type", "Data Type", "Ascii"},
          [m = &monitor] { return static_cast<int>(std::min(m->rows().size(), m->records().size())); },
          [m = &monitor](int row, int column) { return cellOf(*m, row, column); },
          [m = &monitor](int row, int column) {
              const auto index = static_cast<std::size_t>(row);
              if (column == 0)
                  return m->rows()[index].unbound;
              return (column == 1 || column == 4) && m->valueStale(index);
          },
          this))
{
    setModel(model_);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &VariableMonitorPane::updateVisibleRows);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (monitor_.doubleClickRow(static_cast<std::size_t>(index.row())))
            runDataChangeDialog(index.row());
        else
            afterCommand();
    });
}

void VariableMonitorPane::refresh()
{
    model_->refresh();
    for (int column = 0; column < model_->columnCount(); ++column)
        fitColumnTo(column, monitor_.columnTexts(column));
    updateVisibleRows();
}

void VariableMonitorPane::updateVisibleRows()
{
    const int first = std::max(0, rowAt(0));
    const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
    monitor_.setVisibleRows(
        static_cast<std::size_t>(first), static_cast<std::size_t>(viewport()->height() / rowHeight));
}

void VariableMonitorPane::resizeEvent(QResizeEvent* event)
{
    ReportView::resizeEvent(event);
    updateVisibleRows();
}

std::vector<std::size_t> VariableMonitorPane::selectedRowIndexes() const
{
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void VariableMonitorPane::afterCommand()
{
    refresh();
    emit changed();
}

void VariableMonitorPane::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        monitor_.removeRows(selectedRowIndexes());
        clearSelection();
        afterCommand();
        return;
    }
    ReportView::keyPressEvent(event);
}

QMenu* VariableMonitorPane::buildContextMenu()
{
    const std::vector<std::size_t> selected = selectedRowIndexes();
    const VariableMenuState state = monitor_.menuState(!selected.empty());
    auto* menu = new QMenu(this);
    const auto add = [menu](std::string_view text, bool enabled) {
        QAction* action = menu->addAction(qt(text));
        action->setEnabled(enabled);
        return action;
    };
    connect(add(state.monitoringText, state.monitoringEnabled), &QAction::triggered, this,
        &VariableMonitorPane::toggleMonitoringRequested);
    menu->addSeparator();
    connect(add("심볼 파일 열기...", state.openSymbolFileEnabled), &QAction::triggered, this,
        &VariableMonitorPane::openSymbolFileRequested);
    connect(add("심볼 파일 저장...", state.saveSymbolFileEnabled), &QAction::triggered, this,
        &VariableMonitorPane::saveSymbolFileRequested);
    menu->addSeparator();
    connect(add("전체 항목 삭제", state.removeAllEnabled), &QAction::triggered, this, [this] {
        monitor_.removeAll();
        afterCommand();
    });
    connect(add("선택 항목 삭제", state.removeSelectedEnabled), &QAction::triggered, this, [this, selected] {
        monitor_.removeRows(selected);
        clearSelection();
        afterCommand();
    });
    menu->addSeparator();
    connect(add("데이타 변경...", state.dataChangeEnabled), &QAction::triggered, this,
        [this, selected] { runDataChangeDialog(static_cast<int>(selected.front())); });
    addViewTypeMenu(*menu, MonitorPane::Variable, state.viewTypesEnabled, monitor_.selectedViewType(selected),
        [this, selected](ViewType view) {
            monitor_.setViewType(selected, view);
            afterCommand();
        });
    return menu;
}

void VariableMonitorPane::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = buildContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void VariableMonitorPane::runDataChangeDialog(int row)
{
    if (row < 0)
        return;
    const std::optional<VariableDataChangeDialog> shown
        = monitor_.dataChangeDialog(static_cast<std::size_t>(row), targetId_());
    if (!shown)
        return;
    runDataChangeEntry(
        QStringLiteral("심볼 데이타 변환"),
        {{QStringLiteral("Symbol Name :"), shown->name}, {QStringLiteral("Address :"), shown->addressText},
            {QStringLiteral("Data Type :"), shown->dataTypeText}},
        shown->valueText,
        [this, row](
            const std::string& entry) { return monitor_.changeData(link_, static_cast<std::size_t>(row), entry); },
        messages_, this);
    afterCommand();
}

} // namespace lumetra::monitor::ui
