#include "image/symbol_reader.h"

#include "core/cp949_codec.h"
#include "image/array_info.h"
#include "image/coff_types.h"
#include "image/symbol_filter.h"

#include <new>
#include <optional>
#include <span>

namespace lumetra::image {

namespace {

SymbolReadResult failed(SymbolReadStatus status)
{
    return SymbolReadResult {status, {}};
}

// Names are code page 949 bytes; the list holds UTF-8. Should the platform lack the converter, a non-ASCII name
// keeps its bytes.
std::string listedNameText(std::string_view name)
{
    unsigned char highBits = 0; // no early exit, so the loop is vectorised
    for (const char c : name)
        highBits |= static_cast<unsigned char>(c);
    if (highBits >= 0x80) {
        core::TextConversion utf8 = core::cp949ToUtf8(name);
        if (utf8.ok())
            return std::move(utf8.text);
    }
    return std::string(name);
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

std::string arrayInfoFromAux(EntryBytes aux)
{
    return arrayInfoText({u16At(aux, 8), u16At(aux, 10), u16At(aux, 12), u16At(aux, 14)});
}

} // namespace

SymbolReadResult readSymbolTable(ByteView file, const CoffFileHeader& header, int deviceRow)
{
    const std::optional<ByteView> table = symbolTableBytes(header, file);
    const std::optional<CoffStringTable> strings = locateStringTable(header, file);
    if (!table || !strings)
        return failed(SymbolReadStatus::ReadPastEnd);
    const std::span<const std::uint8_t> entries = table->bytes();
    const std::uint64_t count = header.symbolCount; // the whole table lies inside the file
    const std::span<const AddressRange> excluded = excludedAddressRanges(deviceRow);

    try {
        std::vector<CDataObject> records;
        records.reserve(static_cast<std::size_t>(count));
        std::uint64_t i = 0;
        while (i < count) {
            const EntryBytes entry
                = entries.subspan(static_cast<std::size_t>(i) * kSymbolEntrySize).first<kSymbolEntrySize>();
            const std::optional<std::string_view> coffName
                = decodeNameView(ByteView(entry.first<kNameFieldSize>()), *strings);
            const std::uint8_t auxCount = entry[17];
            if (!coffName || i + 1 + auxCount > count)
                return failed(SymbolReadStatus::ReadPastEnd);

            const SymbolEntryFields fields {
                withoutLeadingUnderscore(*coffName),
                u32At(entry, 8),
                static_cast<std::int16_t>(u16At(entry, 12)),
                u16At(entry, 14),
                entry[16],
            };
            if (isListedSymbol(fields, header.sectionCount, excluded)) {
                CDataObject& record = records.emplace_back();
                record.name = listedNameText(fields.listedName);
                record.address = fields.value;
                record.type = fields.type;
                if (auxCount > 0 && derivationOf(fields.type, 0) == DerivedType::Array)
                    record.arrayInfo = arrayInfoFromAux(
                        entries.subspan(static_cast<std::size_t>(i + 1) * kSymbolEntrySize).first<kSymbolEntrySize>());
            }
            i += 1 + std::uint64_t {auxCount};
        }
        return SymbolReadResult {SymbolReadStatus::Ok, SymbolList(std::move(records))};
    } catch (const std::bad_alloc&) {
        return failed(SymbolReadStatus::OutOfMemory);
    }
}

} // namespace lumetra::image
