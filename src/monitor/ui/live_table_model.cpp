#include "monitor/ui/live_table_model.h"

#include <QGuiApplication>
#include <QPalette>

#include <utility>

namespace lumetra::monitor::ui {

LiveTableModel::LiveTableModel(
    std::vector<const char*> headers, RowCount rowCount, CellText cellText, CellStale cellStale, QObject* parent)
    : QAbstractTableModel(parent)
    , headers_(std::move(headers))
    , rowCount_(std::move(rowCount))
    , cellText_(std::move(cellText))
    , cellStale_(std::move(cellStale))
    , shownRows_(rowCount_())
{
}

void LiveTableModel::refresh()
{
    const int rows = rowCount_();
    if (rows != shownRows_) {
        beginResetModel();
        shownRows_ = rows;
        endResetModel();
        return;
    }
    if (rows > 0)
        emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1), {Qt::DisplayRole, Qt::ForegroundRole});
}

int LiveTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shownRows_;
}

int LiveTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant LiveTableModel::data(const QModelIndex& index, int role) const
{
    // The rows can be fewer than shown between a change and its refresh.
    if (!index.isValid() || index.row() >= rowCount_() || index.column() >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(cellText_(index.row(), index.column()));
    if (role == Qt::ForegroundRole && cellStale_(index.row(), index.column()))
        return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
    return {};
}

QVariant LiveTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    return QString::fromUtf8(headers_[static_cast<std::size_t>(section)]);
}

} // namespace lumetra::monitor::ui
