#include "image/elf_symbol_reader.h"

#include "core/cp949_codec.h"
#include "image/array_info.h"
#include "image/symbol_filter.h"

#include <algorithm>
#include <new>

namespace lumetra::image {

namespace {

constexpr std::uint16_t kIntegerType = 4;

bool isAsciiOnly(std::string_view name)
{
    return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isDataSymbol(const ElfSymbol& symbol, const ElfFile& elf)
{
    if (symbol.binding != kElfBindingGlobal || symbol.value == 0)
        return false;
    if (symbol.kind != kElfSymbolObject && symbol.kind != kElfSymbolNoType)
        return false;
    // Index 0 is undefined; the reserved indexes (absolute, common) lie past the section headers.
    if (symbol.sectionIndex == 0 || symbol.sectionIndex >= elf.sections.size())
        return false;
    return (elf.sections[symbol.sectionIndex].flags & kElfFlagExecutable) == 0;
}

bool inExcludedFrame(std::uint32_t value, std::span<const AddressRange> excluded)
{
    return std::any_of(excluded.begin(), excluded.end(),
        [value](const AddressRange& range) { return value >= range.first && value <= range.last; });
}

} // namespace

SymbolReadStatus readElfSymbols(const SharedBytes& file, const ElfFile& elf, const std::vector<ElfSymbol>& table,
    int deviceRow, const DebugTypes* types, SymbolList& symbols)
{
    symbols.clear();
    const std::span<const AddressRange> excluded = excludedAddressRanges(deviceRow);
    try {
        symbols.useFile(file);
        for (const ElfSymbol& symbol : table) {
            if (!isDataSymbol(symbol, elf) || inExcludedFrame(symbol.value, excluded))
                continue;
            const bool hasDollar = symbol.name.find('$') != std::string_view::npos;
            if (symbol.name.empty() || !isListableName(symbol.name, hasDollar))
                continue;
            if (types != nullptr && types->isFunction(symbol.name))
                continue;
            // Names are code page 949 bytes; the list holds UTF-8.
            core::TextConversion utf8;
            const bool convert = !isAsciiOnly(symbol.name);
            if (convert)
                utf8 = core::cp949ToUtf8(symbol.name);
            const std::string_view listedName = convert && utf8.ok() ? std::string_view(utf8.text) : symbol.name;
            const DebugVariable* variable = types != nullptr ? types->variable(symbol.name) : nullptr;
            if (variable != nullptr) {
                symbols.appendTypedFromDebugInfo(
                    listedName, symbol.value, variable->type, arrayInfoText(variable->dimensions), variable->aggregate);
            } else {
                symbols.appendFromFile(listedName, symbol.value, kIntegerType, std::nullopt);
            }
        }
        return SymbolReadStatus::Ok;
    } catch (const std::bad_alloc&) {
        symbols.clear();
        return SymbolReadStatus::OutOfMemory;
    }
}

} // namespace lumetra::image
