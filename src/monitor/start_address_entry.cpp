#include "monitor/start_address_entry.h"

#include "monitor/number_entry.h"

namespace lumetra::monitor {

StartAddressEntry parseStartAddressEntry(std::string_view text)
{
    if (trimEntry(text).empty())
        return {std::nullopt, kEmptyAddressMessage};
    const std::optional<std::uint32_t> value = parseIntegerEntry(text);
    if (!value)
        return {std::nullopt, kBadAddressMessage};
    return {value, {}};
}

std::uint32_t clampEnteredStartAddress(std::uint32_t value, std::uint32_t range, int step, int rowsPerPage)
{
    if (static_cast<std::int32_t>(value) < 0)
        value = 0;
    if (value >= range)
        value = range - 1;
    const std::uint64_t page
        = static_cast<std::uint64_t>(step) * static_cast<std::uint64_t>(rowsPerPage > 0 ? rowsPerPage : 0);
    if (value + page >= range)
        value = page < range ? static_cast<std::uint32_t>(range - page - 1) : 0;
    return keepStartAddressValid(value, range, step);
}

std::uint32_t keepStartAddressValid(std::uint32_t value, std::uint32_t range, int step)
{
    if (value >= range)
        value = range - 1;
    if (step == 2)
        value &= ~std::uint32_t {1};
    return value;
}

} // namespace lumetra::monitor
