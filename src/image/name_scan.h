// Finds the end of a NUL-terminated symbol name eight bytes at a time, stopping early at a '$' (such a name is
// never listed) and noting a byte outside ASCII (such a name is converted).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace lumetra::image {

struct ScannedName {
    std::string_view text; // up to the first NUL or all of the bytes; only up to the '$' when hasDollar
    bool hasDollar = false;
    bool hasNonAscii = false;
};

namespace name_scan_detail {

static_assert(std::endian::native == std::endian::little, "the scan takes the first byte as the lowest");

inline constexpr std::uint64_t kOnes = 0x0101010101010101u;
inline constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// The high bit of each zero byte; exact up to and including the lowest zero byte, which is all that is used.
constexpr std::uint64_t zeroBytes(std::uint64_t word)
{
    return (word - kOnes) & ~word & kHighBits;
}

// Flags the NUL, '$' and non-ASCII bytes of the word; the lowest flag marks the first of them exactly.
constexpr std::uint64_t specialBytes(std::uint64_t word)
{
    return zeroBytes(word) | zeroBytes(word ^ (kOnes * '$')) | (word & kHighBits);
}

// Bytes outside ASCII are rare: past the first one the rest of the name is scanned a byte at a time.
inline ScannedName finishNonAscii(const std::uint8_t* bytes, std::size_t from, std::size_t limit)
{
    ScannedName scanned;
    scanned.hasNonAscii = true;
    std::size_t end = from;
    while (end < limit && bytes[end] != 0 && bytes[end] != '$')
        ++end;
    scanned.hasDollar = end < limit && bytes[end] == '$';
    scanned.text = std::string_view(reinterpret_cast<const char*>(bytes), end);
    return scanned;
}

} // namespace name_scan_detail

// The name in the `limit` bytes at `bytes`.
inline ScannedName scanName(const std::uint8_t* bytes, std::size_t limit)
{
    using namespace name_scan_detail;
    std::size_t offset = 0;
    while (offset < limit) {
        std::uint64_t word = 0;
        if (limit - offset >= 8)
            std::memcpy(&word, bytes + offset, 8);
        else
            std::memcpy(&word, bytes + offset, limit - offset); // NUL-padded: the name ends at the limit
        const std::uint64_t special = specialBytes(word);
        if (special == 0) {
            offset += 8;
            continue;
        }
        const std::size_t at = offset + static_cast<std::size_t>(std::countr_zero(special)) / 8;
        const auto text
            = [bytes](std::size_t size) { return std::string_view(reinterpret_cast<const char*>(bytes), size); };
        if (at >= limit || bytes[at] == 0)
            return ScannedName {text(at < limit ? at : limit), false, false};
        if (bytes[at] == '$')
            return ScannedName {text(at), true, false};
        return finishNonAscii(bytes, at, limit);
    }
    return ScannedName {std::string_view(reinterpret_cast<const char*>(bytes), limit), false, false};
}

} // namespace lumetra::image
