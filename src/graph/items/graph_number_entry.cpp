#include "graph/items/graph_number_entry.h"

#include "monitor/number_entry.h"

#include <algorithm>

namespace lumetra::graph {

namespace {

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The digits the marker of a hexadecimal text leaves; the whole text when it has none.
std::string_view withoutHexMarker(std::string_view text)
{
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return text.substr(2);
    if (!text.empty() && (text.back() == 'h' || text.back() == 'H'))
        return text.substr(0, text.size() - 1);
    return text;
}

} // namespace

bool hasOnlyHexDigits(std::string_view text)
{
    const std::string_view digits = withoutHexMarker(monitor::trimEntry(text));
    return !digits.empty() && std::all_of(digits.begin(), digits.end(), isHexDigit);
}

std::optional<std::uint32_t> hexDigitsEntryValue(std::string_view text)
{
    if (!hasOnlyHexDigits(text))
        return std::nullopt;
    return monitor::parseIntegerEntry(text);
}

} // namespace lumetra::graph
