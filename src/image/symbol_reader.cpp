#include "image/symbol_reader.h"

#include "core/cp949_codec.h"
#include "image/array_info.h"
#include "image/coff_types.h"
#include "image/name_scan.h"
#include "image/symbol_filter.h"

#include <limits>
#include <new>
#include <optional>
#include <span>

namespace lumetra::image {

namespace {

SymbolReadStatus failed(SymbolReadStatus status, SymbolList& symbols)
{
    symbols.clear();
    return status;
}

// One 18-byte entry; the table's bounds were checked once for all entries.
using EntryBytes = std::span<const std::uint8_t, kSymbolEntrySize>;

std::uint16_t u16At(EntryBytes entry, std::size_t offset)
{
    return static_cast<std::uint16_t>(entry[offset] | entry[offset + 1] << 8);
}

std::uint32_t u32At(EntryBytes entry, std::size_t offset)
{
    return std::uint32_t {u16At(entry, offset)} | std::uint32_t {u16At(entry, offset + 2)} << 16;
}

bool inCodeSection(const std::vector<bool>& codeSections, std::int16_t sectionNumber)
{
    return sectionNumber >= 1 && static_cast<std::size_t>(sectionNumber) <= codeSections.size()
        && codeSections[static_cast<std::size_t>(sectionNumber - 1)];
}

} // namespace

SymbolReadStatus readSymbolTable(const SharedBytes& fileBytes, const CoffFileHeader& header, int deviceRow,
    SymbolList& symbols, const DebugTypes* types)
{
    symbols.clear();
    const ByteView file = fileBytes.view();
    if (file.size() > std::numeric_limits<std::uint32_t>::max())
        return failed(SymbolReadStatus::OutOfMemory, symbols);
    const std::optional<ByteView> table = symbolTableBytes(header, file);
    const std::optional<CoffStringTable> strings = locateStringTable(header, file);
    if (!table || !strings)
        return failed(SymbolReadStatus::ReadPastEnd, symbols);
    const std::span<const std::uint8_t> entries = table->bytes();
    const std::uint64_t count = header.symbolCount; // the whole table lies inside the file
    const std::span<const AddressRange> excluded = excludedAddressRanges(deviceRow);
    const std::vector<bool> codeSections = codeSectionFlags(header, file); // their symbols are code labels

    const std::span<const std::uint8_t> names = strings->bytes();
    try {
        symbols.useFile(fileBytes);
        symbols.reserve(static_cast<std::size_t>(count));
        std::uint64_t i = 0;
        while (i < count) {
            const EntryBytes entry
                = entries.subspan(static_cast<std::size_t>(i) * kSymbolEntrySize).first<kSymbolEntrySize>();
            const bool nameInStrings = u32At(entry, 0) == 0; // else up to 8 characters inline
            const std::uint32_t nameOffset = u32At(entry, 4);
            const std::uint8_t auxCount = entry[17];
            if ((nameInStrings && nameOffset >= names.size()) || i + 1 + auxCount > count)
                return failed(SymbolReadStatus::ReadPastEnd, symbols);
            const std::uint64_t next = i + 1 + std::uint64_t {auxCount};

            const SymbolEntryFields fields {
                u32At(entry, 8),
                static_cast<std::int16_t>(u16At(entry, 12)),
                u16At(entry, 14),
                entry[16],
            };
            const bool candidate = !inCodeSection(codeSections, fields.sectionNumber)
                && (types != nullptr ? isPlacedEntry(fields, header.sectionCount, excluded)
                                     : isListableEntry(fields, header.sectionCount, excluded));
            if (candidate) {
                const ScannedName coffName = nameInStrings
                    ? scanName(names.data() + nameOffset, names.size() - nameOffset)
                    : scanName(entry.data(), kNameFieldSize);
                const std::string_view name = withoutLeadingUnderscore(coffName.text);
                if (isListableName(name, coffName.hasDollar)) {
                    // Names are code page 949 bytes; the list holds UTF-8. Should the platform lack the converter,
                    // the name keeps its bytes.
                    core::TextConversion utf8;
                    if (coffName.hasNonAscii)
                        utf8 = core::cp949ToUtf8(name);
                    const std::string_view listedName = utf8.ok() && coffName.hasNonAscii ? utf8.text : name;
                    const DebugVariable* variable = types != nullptr ? types->variable(name) : nullptr;
                    if (variable != nullptr) {
                        symbols.appendTypedFromDebugInfo(listedName, fields.value, variable->type,
                            arrayInfoText(variable->dimensions), variable->aggregate);
                    } else if (types == nullptr || (hasListableCoffType(fields.type) && !types->isFunction(name))) {
                        std::optional<std::uint32_t> arrayAux;
                        if (auxCount > 0 && derivationOf(fields.type, 0) == DerivedType::Array)
                            arrayAux = static_cast<std::uint32_t>(entry.data() + kSymbolEntrySize - fileBytes.data());
                        symbols.appendFromFile(listedName, fields.value, fields.type, arrayAux);
                    }
                }
            }
            i = next;
        }
        return SymbolReadStatus::Ok;
    } catch (const std::bad_alloc&) {
        return failed(SymbolReadStatus::OutOfMemory, symbols);
    }
}

} // namespace lumetra::image
