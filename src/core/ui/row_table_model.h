// A read-only table model over a vector of row records: fixed header texts and one text per cell, converted
// only for the cells a view shows.
#pragma once

#include <QAbstractTableModel>

#include <string>
#include <utility>
#include <vector>

namespace lumetra::core::ui {

template <typename Row> class RowTableModel : public QAbstractTableModel {
public:
    using CellText = const std::string& (*)(const Row& row, int column);

    RowTableModel(std::vector<const char*> headers, CellText cellText, QObject* parent = nullptr)
        : QAbstractTableModel(parent)
        , headers_(std::move(headers))
        , cellText_(cellText)
    {
    }

    void setRows(std::vector<Row> rows)
    {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }

    const std::vector<Row>& rows() const { return rows_; }
    const Row& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }

    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(headers_.size());
    }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
            return {};
        return QString::fromStdString(cellText_(rows_[static_cast<std::size_t>(index.row())], index.column()));
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount())
            return {};
        return QString::fromUtf8(headers_[static_cast<std::size_t>(section)]);
    }

private:
    std::vector<const char*> headers_;
    CellText cellText_;
    std::vector<Row> rows_;
};

} // namespace lumetra::core::ui
