// The bytes of a symbol file: an object archive of CDataObject records with texts in code page 949.
#pragma once

#include "image/data_object.h"
#include "image/object_archive_format.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lumetra::image {

inline constexpr std::uint16_t kSymbolFileKind = 0x1001;
inline constexpr std::string_view kDataObjectClassName = "CDataObject";
inline constexpr std::uint16_t kDataObjectSchema = 1;

// Format words, count, then per record the class tag, name, array info, u32 address, u16 type, u8 view type.
// Nothing when a text has no code page 949 form (or the platform has no converter).
std::optional<std::vector<std::uint8_t>> encodeSymbolFile(std::span<const CDataObject> records);

enum class SymbolFileDecodeStatus {
    Ok,
    UnsupportedFormat, // the first two words are not 0x1000, 0x1001
    Damaged, // a wrong class or schema, a bad tag, a cut-off record or a view type above 7
    TextNotConvertible, // the platform cannot convert code page 949 text
};

struct SymbolFileDecoding {
    SymbolFileDecodeStatus status = SymbolFileDecodeStatus::Ok;
    std::vector<CDataObject> records; // all n records in file order; empty unless Ok
    ArchiveError archiveError = ArchiveError::None; // what was wrong, when the archive itself was
    std::size_t errorOffset = 0; // byte offset of the field that failed
};

// Bytes after the n-th record are ignored.
SymbolFileDecoding decodeSymbolFile(std::span<const std::uint8_t> bytes);

} // namespace lumetra::image
