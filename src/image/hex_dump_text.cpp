#include "image/hex_dump_text.h"

#include "core/device_catalogue.h"

#include <algorithm>
#include <cstdio>

namespace lumetra::image {

namespace {

constexpr std::uint32_t kWordsPerLine = kHexDumpBytesPerLine / 2;

} // namespace

std::size_t hexDumpLineCount(std::size_t byteCount)
{
    return (byteCount + kHexDumpBytesPerLine - 1) / kHexDumpBytesPerLine;
}

std::string hexDumpLine(
    std::span<const std::uint8_t> data, std::size_t line, std::uint32_t startAddress, std::uint16_t targetId)
{
    if (line >= hexDumpLineCount(data.size()))
        return {};
    const std::size_t first = line * kHexDumpBytesPerLine;
    const std::span<const std::uint8_t> bytes
        = data.subspan(first, std::min(kHexDumpBytesPerLine, data.size() - first));
    const core::Family family = targetId == core::kTargetIdLf240x ? core::Family::Lf240x : core::Family::F28x;
    const auto address = static_cast<std::uint32_t>(startAddress + line * kWordsPerLine);

    std::string text = core::formatAddress(family, address) + "  ";
    std::string printable;
    for (std::size_t i = 0; i < kHexDumpBytesPerLine; ++i) {
        if (i < bytes.size()) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned>(bytes[i]));
            text += hex;
            const std::uint8_t byte = bytes[i];
            printable += (byte >= 0x20 && byte < 0x7F) ? static_cast<char>(byte) : '.';
        } else {
            text += "   ";
        }
        if (i == kHexDumpBytesPerLine / 2 - 1)
            text += ' ';
    }
    return text + ' ' + printable;
}

} // namespace lumetra::image
