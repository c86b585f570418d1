// A read-only table model over rows that change in place on every poll: a refresh repaints the cells and keeps
// the selection, and resets the model only when the row count changed. Cells whose value is stale are greyed.
#pragma once

#include <QAbstractTableModel>

#include <functional>
#include <string>
#include <vector>

namespace lumetra::monitor::ui {

class LiveTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using RowCount = std::function<int()>;
    using CellText = std::function<std::string(int row, int column)>;
    using CellStale = std::function<bool(int row, int column)>;

    LiveTableModel(std::vector<const char*> headers, RowCount rowCount, CellText cellText, CellStale cellStale,
        QObject* parent = nullptr);

    // The rows may have changed: repaint them, or reset the model when their number changed.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<const char*> headers_;
    RowCount rowCount_;
    CellText cellText_;
    CellStale cellStale_;
    int shownRows_ = 0;
};

} // namespace lumetra::monitor::ui
