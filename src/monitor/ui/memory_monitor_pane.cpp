#include "monitor/ui/memory_monitor_pane.h"

#include "monitor/ui/live_table_model.h"
#include "monitor/ui/view_type_menu.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>

#include <algorithm>
#include <array>
#include <utility>

namespace lumetra::monitor::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The scroll bar's actions and the model's, both ways.
constexpr std::array<std::pair<QAbstractSlider::SliderAction, ScrollAction>, 7> kSliderActions {{
    {QAbstractSlider::SliderSingleStepSub, ScrollAction::LineUp},
    {QAbstractSlider::SliderSingleStepAdd, ScrollAction::LineDown},
    {QAbstractSlider::SliderPageStepSub, ScrollAction::PageUp},
    {QAbstractSlider::SliderPageStepAdd, ScrollAction::PageDown},
    {QAbstractSlider::SliderMove, ScrollAction::ThumbTrack},
    {QAbstractSlider::SliderToMinimum, ScrollAction::Top},
    {QAbstractSlider::SliderToMaximum, ScrollAction::Bottom},
}};

std::optional<ScrollAction> scrollActionOf(int sliderAction)
{
    for (const auto& [slider, scroll] : kSliderActions) {
        if (slider == sliderAction)
            return scroll;
    }
    return std::nullopt;
}

QAbstractSlider::SliderAction sliderActionOf(ScrollAction action)
{
    for (const auto& [slider, scroll] : kSliderActions) {
        if (scroll == action)
            return slider;
    }
    return QAbstractSlider::SliderNoAction;
}

std::optional<ListKey> listKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Up:
        return ListKey::Up;
    case Qt::Key_Down:
        return ListKey::Down;
    case Qt::Key_PageUp:
        return ListKey::PageUp;
    case Qt::Key_PageDown:
        return ListKey::PageDown;
    default:
        return std::nullopt;
    }
}

} // namespace

MemoryMonitorPane::MemoryMonitorPane(
    core::SettingsStore& store, MemoryMonitor& monitor, link::CPodLink& link, MessageSink messages, QWidget* parent)
    : QWidget(parent)
    , monitor_(monitor)
    , link_(link)
    , messages_(std::move(messages))
    , table_(new core::ui::ReportView(store, core::ColumnView::MemoryMonitor, this))
    , scrollBar_(new QScrollBar(Qt::Vertical, this))
    , model_(new LiveTableModel(
          {"Address", "Value", "Ascii"}, [m = &monitor] { return static_cast<int>(m->rows().size()); },
          [m = &monitor](int row, int column) {
              const MemoryRow& shown = m->rows()[static_cast<std::size_t>(row)];
              return column == 0 ? shown.addressText : column == 1 ? shown.value : shown.ascii;
          },
          [m = &monitor](int row, int column) { return column > 0 && m->valueStale(static_cast<std::size_t>(row)); },
          this))
{
    table_->setModel(model_);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setContextMenuPolicy(Qt::NoContextMenu);
    // The wheel and the paging keys over the rows move the pane's own scroll bar.
    table_->installEventFilter(this);
    table_->viewport()->installEventFilter(this);
    scrollBar_->setFixedWidth(kMemoryScrollBarWidth);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(table_);
    layout->addWidget(scrollBar_);

    connect(scrollBar_, &QAbstractSlider::actionTriggered, this, &MemoryMonitorPane::scrollBy);
    connect(table_, &QAbstractItemView::doubleClicked, this,
        [this](const QModelIndex& index) { runDataChangeDialog(index.row()); });
    refresh();
}

void MemoryMonitorPane::refresh()
{
    model_->refresh();
    for (int column = 0; column < model_->columnCount(); ++column)
        table_->fitColumnTo(column, monitor_.columnTexts(column));
    const ScrollBarState bar = monitor_.scrollBar();
    const QSignalBlocker blocker(scrollBar_);
    scrollBar_->setRange(static_cast<int>(bar.minimum), static_cast<int>(bar.maximum));
    scrollBar_->setPageStep(std::max(1, static_cast<int>(bar.page)));
    scrollBar_->setSliderPosition(static_cast<int>(bar.position));
}

void MemoryMonitorPane::scrollBy(int sliderAction)
{
    const std::optional<ScrollAction> action = scrollActionOf(sliderAction);
    if (action)
        monitor_.scroll(*action, static_cast<std::uint32_t>(std::max(0, scrollBar_->sliderPosition())));
    // The model decides the position; the slider takes it before it applies its own.
    scrollBar_->setSliderPosition(static_cast<int>(monitor_.scrollBar().position));
    afterCommand();
}

bool MemoryMonitorPane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched == table_->viewport()) {
        QCoreApplication::sendEvent(scrollBar_, event);
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched == table_) {
        if (const std::optional<ListKey> key = listKeyOf(static_cast<QKeyEvent*>(event)->key())) {
            const QModelIndex current = table_->currentIndex();
            const std::optional<std::size_t> row
                = current.isValid() ? std::optional<std::size_t>(current.row()) : std::nullopt;
            if (const std::optional<ScrollAction> action = keyScrollAction(*key, row, monitor_.rows().size())) {
                scrollBar_->triggerAction(sliderActionOf(*action));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MemoryMonitorPane::updateRowsPerPage()
{
    const int rowHeight = std::max(1, table_->verticalHeader()->defaultSectionSize());
    monitor_.setRowsPerPage(table_->viewport()->height() / rowHeight);
}

void MemoryMonitorPane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateRowsPerPage();
    refresh();
}

int MemoryMonitorPane::selectedRow() const
{
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void MemoryMonitorPane::afterCommand()
{
    refresh();
    emit changed();
}

QMenu* MemoryMonitorPane::buildContextMenu()
{
    const MemoryMenuState state = monitor_.menuState(selectedRow() >= 0);
    auto* menu = new QMenu(this);
    QAction* monitoring = menu->addAction(qt(state.monitoringText));
    monitoring->setEnabled(state.monitoringEnabled);
    connect(monitoring, &QAction::triggered, this, &MemoryMonitorPane::toggleMonitoringRequested);
    QAction* start = menu->addAction(QStringLiteral("시작 주소 변경..."));
    start->setEnabled(state.startAddressEnabled);
    connect(start, &QAction::triggered, this, &MemoryMonitorPane::runStartAddressDialog);
    QAction* change = menu->addAction(QStringLiteral("데이타 변경..."));
    change->setEnabled(state.dataChangeEnabled);
    connect(change, &QAction::triggered, this, [this] { runDataChangeDialog(selectedRow()); });
    menu->addSeparator();
    addViewTypeMenu(*menu, MonitorPane::Memory, state.viewTypesEnabled, monitor_.viewType(), [this](ViewType view) {
        monitor_.setViewType(view);
        afterCommand();
    });
    return menu;
}

void MemoryMonitorPane::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = buildContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void MemoryMonitorPane::runStartAddressDialog()
{
    ValueEntryDialog dialog(
        QStringLiteral("모니터링 시작 주소 설정"), {}, QStringLiteral("Start Address :"), monitor_.startAddressText(),
        [this](const std::string& entry) -> std::optional<std::string> {
            const std::optional<std::string_view> refused = monitor_.enterStartAddress(entry);
            return refused ? std::optional<std::string>(*refused) : std::nullopt;
        },
        messages_, this);
    dialog.exec();
    afterCommand();
}

void MemoryMonitorPane::runDataChangeDialog(int row)
{
    if (row < 0)
        return;
    const std::optional<MemoryDataChangeDialog> shown = monitor_.dataChangeDialog(static_cast<std::size_t>(row));
    if (!shown)
        return;
    runDataChangeEntry(
        QStringLiteral("선택 주소 데이타 변경"),
        {{QStringLiteral("Address :"), shown->addressText},
            {QStringLiteral("View Type :"), std::string(shown->viewTypeName)}},
        shown->valueText,
        [this, row](
            const std::string& entry) { return monitor_.changeData(link_, static_cast<std::size_t>(row), entry); },
        messages_, this);
    afterCommand();
}

} // namespace lumetra::monitor::ui
