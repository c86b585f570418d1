#include "image/ui/hex_dump_model.h"

#include "image/hex_dump_text.h"

namespace lumetra::image::ui {

void HexDumpModel::setData(std::span<const std::uint8_t> bytes, std::uint32_t startAddress, std::uint16_t targetId)
{
    beginResetModel();
    bytes_.assign(bytes.begin(), bytes.end());
    startAddress_ = startAddress;
    targetId_ = targetId;
    endResetModel();
}

void HexDumpModel::clear()
{
    beginResetModel();
    bytes_.clear();
    endResetModel();
}

int HexDumpModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(hexDumpLineCount(bytes_.size()));
}

QVariant HexDumpModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return QString::fromStdString(hexDumpLine(bytes_, static_cast<std::size_t>(index.row()), startAddress_, targetId_));
}

} // namespace lumetra::image::ui
