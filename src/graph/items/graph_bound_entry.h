// A scale bound as typed: a text with '.' is a decimal fraction, any other an integer by the number-entry rule
// taken as a signed 32-bit number (so "-10" is −10, "0x10" 16 and "0xFFFFFFFF" −1); nullopt when the text is not
// wholly such a number.
#pragma once

#include <optional>
#include <string_view>

namespace lumetra::graph {

std::optional<double> boundEntryValue(std::string_view text);

} // namespace lumetra::graph
