// Builds an object archive in memory: the mirror of ArchiveReader.
#pragma once

#include "image/object_archive_format.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::image {

// Appends little-endian fields to a byte buffer. A value the format cannot express (a text longer than
// 0xFFFFFFFF bytes, a class name longer than 0xFFFF) is not written and makes ok() false for good.
class ArchiveWriter {
public:
    void writeU8(std::uint8_t value);
    void writeU16(std::uint16_t value);
    void writeU32(std::uint32_t value);

    // The signature word 0x1000 followed by `fileKind`.
    void writeHeader(std::uint16_t fileKind);

    // A word when the count is below 0xFFFF, else the word 0xFFFF and the 32-bit count.
    void writeCount(std::uint32_t count);

    // A length prefix and the text's bytes as given (already in the file's code page).
    void writeString(std::string_view bytes);

    // The tag in front of an object of `className`: the class declaration the first time, a reference later.
    void writeObjectTag(std::string_view className, std::uint16_t schema);

    bool ok() const { return error_ == ArchiveError::None; }
    ArchiveError error() const { return error_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    struct DeclaredClass {
        std::uint32_t number;
        std::string name;
    };

    void append(std::string_view bytes);

    std::vector<std::uint8_t> bytes_;
    ArchiveError error_ = ArchiveError::None;
    std::vector<DeclaredClass> classes_;
    std::uint32_t nextNumber_ = 1; // classes and objects share one numbering, starting at 1
};

} // namespace lumetra::image
