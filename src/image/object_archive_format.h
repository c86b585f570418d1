// Byte-level constants and error codes of the object archive shared by its reader and writer.
#pragma once

#include <cstdint>
#include <string_view>

namespace lumetra::image {

// First word of every archive; the second word names the kind of file.
inline constexpr std::uint16_t kArchiveSignature = 0x1000;

// A 16-bit count or string length equal to this word is followed by the 32-bit value.
inline constexpr std::uint16_t kArchiveWideCountMarker = 0xFFFF;

// Object tags: a new class (schema, name length and name follow), a reference to class n (0x8000 | n),
// and the escape to a 32-bit tag once object numbers reach 0x7FFF.
inline constexpr std::uint16_t kArchiveNewClassTag = 0xFFFF;
inline constexpr std::uint16_t kArchiveClassTagBit = 0x8000;
inline constexpr std::uint16_t kArchiveBigTag = 0x7FFF;
inline constexpr std::uint32_t kArchiveBigClassTagBit = 0x80000000;

// String length prefixes: one byte below 255; 0xFF and a word below 0xFFFE; else 0xFF, 0xFFFF and a 32-bit length.
// The word 0xFFFE after 0xFF marks a string of 16-bit characters, which these archives never hold.
inline constexpr std::uint8_t kArchiveStringWordMarker = 0xFF;
inline constexpr std::uint16_t kArchiveWideStringMarker = 0xFFFE;

enum class ArchiveError {
    None,
    Truncated, // the data ends inside a field
    NotAnArchive, // the first word is not the signature
    WrongFileKind, // the second word names another kind of file
    BadObjectTag, // a null tag, a reference to an object or to a class never declared
    WrongClass, // the object's class is not the one expected here
    WrongSchema, // the class carries another schema number
    BadStringLength, // a string prefix this format does not produce (16-bit character strings)
    ValueTooLarge, // writing: a string or class name longer than its prefix can express
};

// Short English description of an error for logs and command-line output.
std::string_view describeArchiveError(ArchiveError error);

} // namespace lumetra::image
