// Reads arbitrary bytes as a symbol file. A refused file must yield no records; an accepted one must save and
// read back to the same records.
#include "image/symbol_file_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

using namespace lumetra::image;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const SymbolFileDecoding decoded = decodeSymbolFile(std::span<const std::uint8_t>(data, size));
    if (decoded.status != SymbolFileDecodeStatus::Ok) {
        if (!decoded.records.empty())
            std::abort();
        return 0;
    }
    for (const CDataObject& record : decoded.records) {
        if (record.viewType > kLastViewTypeCode)
            std::abort();
    }
    const auto encoded = encodeSymbolFile(decoded.records);
    if (!encoded)
        std::abort();
    const SymbolFileDecoding reread = decodeSymbolFile(*encoded);
    if (reread.status != SymbolFileDecodeStatus::Ok || reread.records != decoded.records)
        std::abort();
    return 0;
}
