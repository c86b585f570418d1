#include "image/symbol_reader.h"

#include "core/cp949_codec.h"
#include "image/array_info.h"
#include "image/coff_types.h"
#include "image/symbol_filter.h"

#include <algorithm>
#include <new>
#include <optional>

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
    const bool ascii
        = std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        core::TextConversion utf8 = core::cp949ToUtf8(name);
        if (utf8.ok())
            return std::move(utf8.text);
    }
    return std::string(name);
}

std::string arrayInfoFromAux(ByteView aux)
{
    return arrayInfoText({*aux.u16(8), *aux.u16(10), *aux.u16(12), *aux.u16(14)});
}

} // namespace

SymbolReadResult readSymbolTable(ByteView file, const CoffFileHeader& header, int deviceRow)
{
    const std::optional<ByteView> table = symbolTableBytes(header, file);
    const std::optional<CoffStringTable> strings = locateStringTable(header, file);
    if (!table || !strings)
        return failed(SymbolReadStatus::ReadPastEnd);

    try {
        std::vector<CDataObject> records;
        std::uint64_t i = 0;
        while (i < header.symbolCount) {
            const ByteView entry = *table->sub(i * kSymbolEntrySize, kSymbolEntrySize);
            const std::optional<std::string> coffName = decodeName(entry, *strings);
            const std::uint8_t auxCount = *entry.u8(17);
            if (!coffName || i + 1 + auxCount > header.symbolCount)
                return failed(SymbolReadStatus::ReadPastEnd);

            const SymbolEntryFields fields {
                withoutLeadingUnderscore(*coffName),
                *entry.u32(8),
                static_cast<std::int16_t>(*entry.u16(12)),
                *entry.u16(14),
                *entry.u8(16),
            };
            if (isListedSymbol(fields, header.sectionCount, deviceRow)) {
                CDataObject record;
                record.name = listedNameText(fields.listedName);
                record.address = fields.value;
                record.type = fields.type;
                if (auxCount > 0 && derivationOf(fields.type, 0) == DerivedType::Array)
                    record.arrayInfo = arrayInfoFromAux(*table->sub((i + 1) * kSymbolEntrySize, kSymbolEntrySize));
                records.push_back(std::move(record));
            }
            i += 1 + std::uint64_t {auxCount};
        }
        return SymbolReadResult {SymbolReadStatus::Ok, SymbolList(std::move(records))};
    } catch (const std::bad_alloc&) {
        return failed(SymbolReadStatus::OutOfMemory);
    }
}

} // namespace lumetra::image
