// The element types a graph item can have: the entries of the "데이터 타입" combo box in their order.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace lumetra::graph {

struct ItemTypeChoice {
    std::string_view text;
    std::uint32_t code; // the data type code stored in the item
    int wordsPerElement;
};

inline constexpr std::array<ItemTypeChoice, 7> kItemTypeChoices {{
    {"short", 3, 1},
    {"unsigned short", 13, 1},
    {"integer", 4, 1},
    {"unsigned integer", 14, 1},
    {"long", 5, 2},
    {"unsigned long", 15, 2},
    {"float", 6, 2},
}};

// Where the combo box lands when it cannot select a text: "unsigned short".
inline constexpr int kFallbackTypeIndex = 1;
inline constexpr int kFloatTypeIndex = 6;

// The combo entry showing `text`, or the fall-back entry.
int itemTypeIndexOfText(std::string_view text);

// The combo entry of a stored code, through its short type name ("float" for 6, 7 and 11).
int itemTypeIndexOfCode(std::uint32_t code);

// An index of the combo as given; one outside the combo gives the fall-back entry.
int comboTypeIndex(int index);

// The choice at a combo index; an index outside the combo gives the fall-back entry.
const ItemTypeChoice& itemTypeChoiceAt(int index);

} // namespace lumetra::graph
