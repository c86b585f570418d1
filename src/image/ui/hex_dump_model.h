// The lines of the hexadecimal view of one section's data, produced on demand as the list shows them.
#pragma once

#include <QAbstractListModel>

#include <cstdint>
#include <span>
#include <vector>

namespace lumetra::image::ui {

class HexDumpModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void setData(std::span<const std::uint8_t> bytes, std::uint32_t startAddress, std::uint16_t targetId);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<std::uint8_t> bytes_;
    std::uint32_t startAddress_ = 0;
    std::uint16_t targetId_ = 0;
};

} // namespace lumetra::image::ui
