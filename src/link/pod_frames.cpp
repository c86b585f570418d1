#include "link/pod_frames.h"

#include "core/link_option_lists.h"

#include <algorithm>

namespace lumetra::link {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string hex(std::uint32_t value, int digits)
{
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kHexDigits[value & 0xF];
        value >>= 4;
    }
    return text;
}

// A command letter followed by fields; built by appending, which keeps GCC's -Wrestrict quiet at -O3.
std::string command(char letter, std::string_view fields)
{
    std::string text(1, letter);
    text += fields;
    return text;
}

std::string checksummedRecord(std::string_view fields)
{
    std::string body = ":";
    body += fields;
    body += asciiChecksum(fields);
    body += kCr;
    return frame(body);
}

} // namespace

std::optional<std::string> hexField(std::uint32_t value, int digits)
{
    if (digits < 1 || digits > 8 || (digits < 8 && value >> (4 * digits) != 0)) {
        return std::nullopt;
    }
    return hex(value, digits);
}

std::optional<std::uint32_t> parseHex(std::string_view text)
{
    if (text.empty() || text.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (char c : text) {
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else {
            return std::nullopt;
        }
        value = value << 4 | digit;
    }
    return value;
}

std::string asciiChecksum(std::string_view text)
{
    std::uint32_t sum = 0;
    for (char c : text) {
        sum += static_cast<unsigned char>(c);
    }
    return hex(sum & 0xFF, 2);
}

std::string frame(std::string_view body)
{
    std::string bytes;
    bytes.reserve(body.size() + 2);
    bytes += kStx;
    bytes += body;
    bytes += kEtx;
    return bytes;
}

std::optional<std::string> txDelayFrame(std::uint8_t index)
{
    auto digit = hexField(index, 1);
    return digit ? std::optional(frame("I" + *digit)) : std::nullopt;
}

std::optional<std::string> targetBaudFrame(int baudCode)
{
    if (baudCode < 0 || baudCode >= core::kBaudCodeCount) {
        return std::nullopt;
    }
    return frame(command('K', hex(static_cast<std::uint32_t>(baudCode), 1)));
}

std::optional<std::string> addressFrame(std::uint32_t address)
{
    auto field = hexField(address, 6);
    return field ? std::optional(frame("@" + *field + kCr)) : std::nullopt;
}

std::optional<std::string> writeWordFrame(int width, std::uint32_t address, std::uint32_t value)
{
    auto addressText = hexField(address, 6);
    if (!addressText || (width != 1 && width != 2)) {
        return std::nullopt;
    }
    std::string body = width == 1 ? "W1" : "W2";
    body += *addressText;
    body += width == 1 ? hex(value & 0xFFFF, 4) : hex(value, 8);
    body += asciiChecksum(body);
    body += kCr;
    return frame(body);
}

std::string bootWordFrame(char kind, std::uint16_t value)
{
    std::string body = command(kind, hex(value, 4));
    body += kCr;
    return frame(body);
}

std::optional<std::string> flashFrame(
    std::uint8_t op, std::uint16_t sectors, std::uint32_t address, std::uint16_t count, std::uint16_t extra)
{
    if (op > 0x05) {
        return std::nullopt;
    }
    std::string body = command('O', hex(op, 2));
    if (op == 0x01) {
        body += hex(sectors, 4);
    } else if (op == 0x02 || op == 0x03) {
        auto addressText = hexField(address, 6);
        if (!addressText) {
            return std::nullopt;
        }
        body += *addressText + hex(count, 4);
        if (op == 0x03) {
            body += hex(extra, 4);
        }
    }
    return frame(body);
}

std::string dataFlashInitFrame(std::uint8_t dataFlashType)
{
    return checksummedRecord("71" + hex(dataFlashType, 2));
}

std::string dataFlashEraseFrame(std::uint32_t sector)
{
    return checksummedRecord("72" + hex(sector & 0x3F, 4));
}

std::optional<std::string> dataFlashPageFrame(
    std::uint8_t type, std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data)
{
    if ((type != 0x73 && type != 0x74) || data.size() > kDataFlashPageBytes) {
        return std::nullopt;
    }
    std::string fields = hex(type, 2) + hex(page & 0x3FFF, 4) + hex(lastByteIndex, 2);
    fields.reserve(fields.size() + 2 * kDataFlashPageBytes);
    for (std::size_t i = 0; i < kDataFlashPageBytes; ++i) {
        fields += hex(i < data.size() ? data[i] : 0xFF, 2);
    }
    return checksummedRecord(fields);
}

int readReplyDigits(char mode)
{
    switch (mode) {
    case 'R':
    case 'r':
        return 4;
    case 'L':
    case 'l':
        return 8;
    default:
        return 0;
    }
}

std::optional<std::uint32_t> readAdvanceWords(char mode)
{
    switch (mode) {
    case 'r':
        return 1;
    case 'l':
        return 2;
    default:
        return std::nullopt;
    }
}

std::optional<std::uint8_t> parseFirmwareReply(std::string_view reply)
{
    if (reply.size() != 4 || reply.substr(0, 2) != "UP") {
        return std::nullopt;
    }
    const bool digits = std::all_of(reply.begin() + 2, reply.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>((reply[2] - '0') * 10 + (reply[3] - '0'));
}

} // namespace lumetra::link
