#include "graph/items/item_types.h"

#include "monitor/data_types.h"

namespace lumetra::graph {

int itemTypeIndexOfText(std::string_view text)
{
    for (std::size_t i = 0; i < kItemTypeChoices.size(); ++i) {
        if (kItemTypeChoices[i].text == text)
            return static_cast<int>(i);
    }
    return kFallbackTypeIndex;
}

int itemTypeIndexOfCode(std::uint32_t code)
{
    return itemTypeIndexOfText(monitor::shortTypeNameOf(code).name);
}

int comboTypeIndex(int index)
{
    const bool inCombo = index >= 0 && index < static_cast<int>(kItemTypeChoices.size());
    return inCombo ? index : kFallbackTypeIndex;
}

const ItemTypeChoice& itemTypeChoiceAt(int index)
{
    return kItemTypeChoices[static_cast<std::size_t>(comboTypeIndex(index))];
}

} // namespace lumetra::graph
