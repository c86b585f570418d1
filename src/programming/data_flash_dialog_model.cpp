#include "programming/data_flash_dialog_model.h"

#include <algorithm>

namespace lumetra::programming {

void DataFlashDialogModel::setRange(std::uint64_t total)
{
    total_ = total == 0 ? 1 : total;
    position_ = 0;
}

void DataFlashDialogModel::setPosition(std::uint64_t position)
{
    position_ = std::min(position, total_);
}

void DataFlashDialogModel::finish(DataFlashResult result)
{
    finished_ = true;
    buttonEnabled_ = true;
    const std::string_view line = dataFlashResultLine(result);
    if (line.empty())
        return;
    log(line);
    closeDelay_ = kDataFlashClosingDelay;
}

DataFlashButtonAction DataFlashDialogModel::pressButton()
{
    if (!finished_)
        return DataFlashButtonAction::Cancel;
    closeDelay_.reset();
    return DataFlashButtonAction::Close;
}

} // namespace lumetra::programming
