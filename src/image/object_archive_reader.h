// Reads the fields of an object archive from a byte buffer without trusting any count or length in it.
#pragma once

#include "image/object_archive_format.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::image {

// Every read checks the remaining bytes first: damaged or truncated data yields an empty result, never a crash
// or an allocation larger than the data. The first failure sticks: later reads return nothing, and error() and
// errorOffset() name the failure and the offset of the field that failed.
class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const std::uint8_t> bytes)
        : bytes_(bytes)
    {
    }

    std::optional<std::uint8_t> readU8();
    std::optional<std::uint16_t> readU16();
    std::optional<std::uint32_t> readU32();

    // The signature word 0x1000 followed by `fileKind`.
    bool readHeader(std::uint16_t fileKind);

    // An item count: a word, or the word 0xFFFF and a 32-bit count. Read the items one by one; the count is
    // not checked against the data, so never reserve memory by it.
    std::optional<std::uint32_t> readCount();

    // A length-prefixed text, its bytes exactly as stored (no code page conversion).
    std::optional<std::string> readString();

    // The tag in front of an object: the declaration of a new class or a reference to a declared one. The
    // object must be of class `className`, declared with `schema`.
    bool readObjectTag(std::string_view className, std::uint16_t schema);

    bool ok() const { return error_ == ArchiveError::None; }
    ArchiveError error() const { return error_; }
    std::size_t errorOffset() const { return errorOffset_; }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }

private:
    struct DeclaredClass {
        std::uint32_t number;
        std::string name;
        std::uint16_t schema;
    };

    std::optional<std::span<const std::uint8_t>> take(std::size_t count);
    std::optional<std::uint32_t> readClassReference(std::uint16_t tag);
    bool readClassDeclaration(std::string_view className, std::uint16_t schema);
    bool fail(ArchiveError error, std::size_t offset);

    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    ArchiveError error_ = ArchiveError::None;
    std::size_t errorOffset_ = 0;
    std::vector<DeclaredClass> classes_;
    std::uint32_t nextNumber_ = 1; // classes and objects share one numbering, starting at 1
};

} // namespace lumetra::image
