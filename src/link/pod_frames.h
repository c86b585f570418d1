// The POD's command frames: STX, printable ASCII with fixed-width upper-case hex fields, ETX.
// Builders return the whole frame; nullopt when a field does not fit its width.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lumetra::link {

inline constexpr char kStx = 0x02;
inline constexpr char kEtx = 0x03;
inline constexpr char kCr = 0x0D;
inline constexpr char kAck = '!';
inline constexpr std::size_t kDataFlashPageBytes = 256;
inline constexpr std::size_t kDataFlashRecordLength = 526;
inline constexpr std::size_t kDataFlashFirstPiece = 300;

// Upper-case hex of `value` in exactly `digits` digits; nullopt when it does not fit.
std::optional<std::string> hexField(std::uint32_t value, int digits);
// Value of an all-hex-digit text (either case); nullopt for an empty text or another character.
std::optional<std::uint32_t> parseHex(std::string_view text);
// 8-bit sum of the characters, as two upper-case hex digits.
std::string asciiChecksum(std::string_view text);

// STX + body + ETX.
std::string frame(std::string_view body);

std::optional<std::string> txDelayFrame(std::uint8_t index);
std::optional<std::string> targetBaudFrame(int baudCode);
std::optional<std::string> addressFrame(std::uint32_t address);
// W1 + address + value & 0xFFFF, or W2 + address + value; checksum; CR. Width other than 1 or 2: nullopt.
std::optional<std::string> writeWordFrame(int width, std::uint32_t address, std::uint32_t value);
// kind + value (4 hex) + CR: 8 bytes in all; also `J` stream words.
std::string bootWordFrame(char kind, std::uint16_t value);
// `O` + op + fields by op: 01 sectors; 02 address + count; 03 address + count + extra; others none.
std::optional<std::string> flashFrame(
    std::uint8_t op, std::uint16_t sectors, std::uint32_t address, std::uint16_t count, std::uint16_t extra);
// Data-flash records: `:` + type + fields + checksum + CR.
std::string dataFlashInitFrame(std::uint8_t dataFlashType);
std::string dataFlashEraseFrame(std::uint32_t sector);
// Type 0x73 (program) or 0x74 (verify); data of at most 256 bytes, padded with 0xFF.
std::optional<std::string> dataFlashPageFrame(
    std::uint8_t type, std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data);

// Reply digits of a read mode: 4 for R and r, 8 for L and l, 0 for any other letter.
int readReplyDigits(char mode);
// Words the POD's read address moves after a read: 1 for r, 2 for l; nullopt for the letters that leave it
// where it is or are not reads.
std::optional<std::uint32_t> readAdvanceWords(char mode);

// "UP" + two decimal digits -> the number; nullopt otherwise.
std::optional<std::uint8_t> parseFirmwareReply(std::string_view reply);

} // namespace lumetra::link
