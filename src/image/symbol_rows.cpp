#include "image/symbol_rows.h"

#include "core/device_catalogue.h"
#include "image/coff_types.h"

#include <algorithm>

namespace lumetra::image {

namespace {

char foldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool nameLessIgnoringCase(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(foldCase(x)) < static_cast<unsigned char>(foldCase(y));
    });
}

std::vector<SymbolRow> buildSymbolRows(const SymbolList& symbols, std::uint16_t targetId)
{
    const core::Family family = targetId == core::kTargetIdLf240x ? core::Family::Lf240x : core::Family::F28x;
    std::vector<SymbolRow> rows;
    rows.reserve(symbols.count());
    for (std::size_t i = 0; i < symbols.count(); ++i) {
        rows.push_back(SymbolRow {std::string(symbols.nameAt(i)), core::formatAddress(family, symbols.addressAt(i)),
            dataTypeText(symbols.typeAt(i)), symbols.arrayInfoAt(i), i});
    }
    std::stable_sort(rows.begin(), rows.end(),
        [](const SymbolRow& a, const SymbolRow& b) { return nameLessIgnoringCase(a.name, b.name); });
    return rows;
}

} // namespace lumetra::image
