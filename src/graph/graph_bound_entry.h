// A scale bound as typed: a text with '.' is a decimal fraction, any other an integer by the number-entry rule
// (so "-10" is −10 and "0x10" is 16).
#pragma once

#include <string_view>

namespace lumetra::graph {

double boundEntryValue(std::string_view text);

} // namespace lumetra::graph
