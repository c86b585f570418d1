// Small PE files made by the tests: "MZ" header, "PE\0\0" at a chosen offset, file header and optional header
// with the given subsystem.
#pragma once

#include <cstdint>
#include <vector>

namespace lumetra::tools {

inline void putLittle(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::vector<std::uint8_t> peFile(
    std::uint16_t subsystem, std::uint32_t peOffset = 0x80, std::size_t optionalHeaderSize = 224)
{
    std::vector<std::uint8_t> bytes(peOffset + 4 + 20 + optionalHeaderSize);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    putLittle(bytes, 60, peOffset, 4);
    putLittle(bytes, peOffset, 0x00004550, 4);
    putLittle(bytes, peOffset + 4 + 20 + 68, subsystem, 2);
    return bytes;
}

} // namespace lumetra::tools
