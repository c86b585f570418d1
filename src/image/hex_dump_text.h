// The text of the hexadecimal view of a section's data on the section page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace lumetra::image {

// 8 target words (16 bytes, in image order) per line, each line led by the word address of its first word
// ("0x%04X" for target id 0x0092, else "0x%06X"), followed by the bytes and their printable characters.
inline constexpr std::size_t kHexDumpBytesPerLine = 16;
std::size_t hexDumpLineCount(std::size_t byteCount);
// Line `line` of the view of `data`, which starts at the word address `startAddress`; empty past the end.
std::string hexDumpLine(
    std::span<const std::uint8_t> data, std::size_t line, std::uint32_t startAddress, std::uint16_t targetId);

} // namespace lumetra::image
