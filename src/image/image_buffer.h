// The packed data of the loadable sections, in file order. While the file holds them back to back the buffer is
// a window of the file's bytes; the first section that breaks the run turns it into a copy.
#pragma once

#include "image/shared_bytes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lumetra::image {

// The most the loaded sections may hold together (8 MiB); the loader refuses more.
inline constexpr std::size_t kImageBufferCapacity = 0x800000;

class ImageBuffer {
public:
    // Empties the buffer for sections of `file`, keeping the capacity of any copy.
    void start(SharedBytes file);
    // Appends the `sizeBytes` bytes at `fileOffset` of the file and returns where they start in the buffer. Bytes
    // past the file's end read 0xFF.
    std::size_t append(std::uint64_t fileOffset, std::size_t sizeBytes);
    void clear() { start(SharedBytes()); }

    std::span<const std::uint8_t> bytes() const;
    std::size_t size() const { return size_; }

private:
    void copyWindow();

    SharedBytes file_;
    std::uint64_t windowStart_ = 0;
    std::size_t size_ = 0;
    bool copied_ = false;
    std::vector<std::uint8_t> copy_;
};

} // namespace lumetra::image
