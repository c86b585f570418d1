// A read-only, bounds-checked view over a block of bytes with little-endian field reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace lumetra::image {

class ByteView {
public:
    ByteView() = default;
    explicit ByteView(std::span<const std::uint8_t> bytes)
        : bytes_(bytes)
    {
    }

    std::size_t size() const { return bytes_.size(); }
    std::span<const std::uint8_t> bytes() const { return bytes_; }

    // True when [offset, offset + length) lies inside the view (no overflow for any 64-bit arguments).
    bool contains(std::uint64_t offset, std::uint64_t length) const
    {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }

    std::optional<std::uint8_t> u8(std::uint64_t offset) const
    {
        if (!contains(offset, 1))
            return std::nullopt;
        return bytes_[offset];
    }

    std::optional<std::uint16_t> u16(std::uint64_t offset) const
    {
        if (!contains(offset, 2))
            return std::nullopt;
        return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }

    std::optional<std::uint32_t> u32(std::uint64_t offset) const
    {
        if (!contains(offset, 4))
            return std::nullopt;
        return static_cast<std::uint32_t>(bytes_[offset]) | static_cast<std::uint32_t>(bytes_[offset + 1]) << 8
            | static_cast<std::uint32_t>(bytes_[offset + 2]) << 16
            | static_cast<std::uint32_t>(bytes_[offset + 3]) << 24;
    }

    // The whole range, or nothing when any of it lies outside the view.
    std::optional<ByteView> sub(std::uint64_t offset, std::uint64_t length) const
    {
        if (!contains(offset, length))
            return std::nullopt;
        return ByteView(bytes_.subspan(offset, length));
    }

    // As much of the range as the view holds (possibly empty).
    ByteView available(std::uint64_t offset, std::uint64_t length) const
    {
        if (offset >= bytes_.size())
            return ByteView();
        const std::uint64_t rest = bytes_.size() - offset;
        return ByteView(bytes_.subspan(offset, length < rest ? length : rest));
    }

private:
    std::span<const std::uint8_t> bytes_;
};

} // namespace lumetra::image
