#include "image/ui/symbol_list_view.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>

namespace lumetra::image::ui {

namespace {

// Proportional fonts make the longest text by characters nearly always the widest: a few are measured.
constexpr std::size_t kMeasuredTextsPerColumn = 16;

const std::string& symbolCell(const SymbolRow& row, int column)
{
    switch (column) {
    case 0:
        return row.label;
    case 1:
        return row.address;
    case 2:
        return row.dataType;
    default:
        return row.etc;
    }
}

} // namespace

SymbolListView::SymbolListView(core::SettingsStore& store, QWidget* parent)
    : ReportView(store, core::ColumnView::SymbolList, parent)
    , model_(new SymbolTableModel({"Symbol Name", "Address", "Data Type", "Etc"}, symbolCell, this))
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setModel(model_);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && !model_->row(index.row()).name.empty())
            emit addSymbolsRequested({model_->row(index.row()).name});
    });
}

void SymbolListView::showSymbols(const SymbolList& symbols, std::uint16_t targetId)
{
    symbols_ = symbols;
    targetId_ = targetId;
    expanded_.clear();
    refill();
}

void SymbolListView::refill()
{
    std::vector<SymbolRow> rows = buildSymbolRows(symbols_, targetId_, expanded_);
    for (int column = 0; column < model_->columnCount(); ++column)
        fitColumnTo(column, longestColumnTexts(rows, column, kMeasuredTextsPerColumn));
    model_->setRows(std::move(rows));
}

void SymbolListView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && index.column() == 0) {
        const SymbolRow& row = model_->row(index.row());
        const QString expander = QString::fromStdString(row.label.substr(0, expanderLength(row)));
        // The label starts after the cell's text margin.
        const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
        const int x = event->position().toPoint().x() - visualRect(index).left() - margin;
        if (!expander.isEmpty() && x < QFontMetrics(font()).horizontalAdvance(expander)) {
            toggleMembers(index.row());
            event->accept();
            return;
        }
    }
    ReportView::mousePressEvent(event);
}

void SymbolListView::toggleMembers(int row)
{
    if (row < 0 || row >= model_->rowCount() || !model_->row(row).expandable)
        return;
    const std::string name = model_->row(row).name;
    if (!expanded_.erase(name))
        expanded_.insert(name);
    refill();
    selectRow(row);
}

void SymbolListView::keyPressEvent(QKeyEvent* event)
{
    const int row = currentIndex().row();
    const bool plus = event->key() == Qt::Key_Plus || event->key() == Qt::Key_Right;
    const bool minus = event->key() == Qt::Key_Minus || event->key() == Qt::Key_Left;
    if (row >= 0 && (plus || minus) && model_->row(row).expandable && model_->row(row).expanded == minus) {
        toggleMembers(row);
        return;
    }
    ReportView::keyPressEvent(event);
}

std::vector<std::string> SymbolListView::selectedNames() const
{
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(rows.size()));
    for (const QModelIndex& index : rows) {
        if (!model_->row(index.row()).name.empty()) // a note row
            names.push_back(model_->row(index.row()).name);
    }
    return names;
}

QMenu* SymbolListView::buildContextMenu()
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* open = menu->addAction(QStringLiteral("COFF 파일 열기..."));
    open->setEnabled(model_->rowCount() == 0);
    connect(open, &QAction::triggered, this, &SymbolListView::openCoffRequested);
    QAction* add = menu->addAction(QStringLiteral("심볼 목록 추가"));
    add->setEnabled(selectionModel()->hasSelection());
    connect(add, &QAction::triggered, this, [this] { emit addSymbolsRequested(selectedNames()); });
    const int row = currentIndex().row();
    const bool expandable = row >= 0 && row < model_->rowCount() && model_->row(row).expandable;
    const bool expanded = expandable && model_->row(row).expanded;
    QAction* members = menu->addAction(expanded ? QStringLiteral("멤버 숨기기") : QStringLiteral("멤버 보기"));
    members->setEnabled(expandable);
    connect(members, &QAction::triggered, this, [this, row] { toggleMembers(row); });
    return menu;
}

void SymbolListView::contextMenuEvent(QContextMenuEvent* event)
{
    buildContextMenu()->popup(event->globalPos());
}

} // namespace lumetra::image::ui
