// The hexadecimal digit check of the graph item dialogs' address and length texts. Their values are read by
// monitor::parseIntegerEntry ("0x20", "20H" and "32" give 32; "1A" gives 1).
#pragma once

#include <string_view>

namespace lumetra::graph {

// True when the trimmed text, without its hexadecimal marker (a leading "0x" or a trailing "H", either case),
// is one or more hexadecimal digits. "1A" passes (and reads as decimal 1); "0x" and "H" alone do not.
bool hasOnlyHexDigits(std::string_view text);

} // namespace lumetra::graph
