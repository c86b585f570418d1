// View types: how a monitored value is shown (hexadecimal, signed, unsigned, float or binary).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra::monitor {

// Stored as one byte per monitor row and per memory monitor pane.
enum class ViewType : std::uint8_t {
    Hex16 = 0,
    Hex32 = 1,
    Signed16 = 2,
    Signed32 = 3,
    Unsigned16 = 4,
    Unsigned32 = 5,
    Float32 = 6,
    Binary16 = 7,
};

inline constexpr int kViewTypeCount = 8;

// The two panes that offer the view types in their "데이타 보기 변환" menus.
enum class MonitorPane { Memory, Variable };

// nullopt for a stored byte outside 0..7.
std::optional<ViewType> viewTypeFromCode(unsigned code);

constexpr std::uint8_t viewTypeCode(ViewType view)
{
    return static_cast<std::uint8_t>(view);
}

// "hex decimal (16bit)" ... "binary (16bit)": the "View Type" column and the data entry dialogs.
std::string_view viewTypeName(ViewType view);

// The menu entry texts ("Hex Decimal (16bit)" ...); the memory monitor spells the fifth one
// "UnSigned Integer (16bit)".
std::string_view viewTypeMenuText(ViewType view, MonitorPane pane);

// Words per memory monitor cell: 2 for the 32-bit view types, 1 for the others.
int memoryWordCount(ViewType view);

} // namespace lumetra::monitor
