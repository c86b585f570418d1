// The bytes of a loaded file, shared by the parts of the program made from it (the symbol list keeps its names
// there instead of copying them).
#pragma once

#include "image/byte_view.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace lumetra::image {

class SharedBytes {
public:
    SharedBytes() = default;

    // `size` bytes left for the caller to fill through data() before the first view().
    static SharedBytes forOverwrite(std::size_t size)
    {
        SharedBytes bytes;
        bytes.data_ = std::make_shared_for_overwrite<std::uint8_t[]>(size);
        bytes.size_ = size;
        return bytes;
    }

    static SharedBytes copyOf(std::span<const std::uint8_t> source)
    {
        SharedBytes bytes = forOverwrite(source.size());
        std::copy(source.begin(), source.end(), bytes.data_.get());
        return bytes;
    }

    std::uint8_t* data() { return data_.get(); }
    const std::uint8_t* data() const { return data_.get(); }
    std::size_t size() const { return size_; }
    ByteView view() const { return ByteView(std::span<const std::uint8_t>(data_.get(), size_)); }

private:
    std::shared_ptr<std::uint8_t[]> data_;
    std::size_t size_ = 0;
};

} // namespace lumetra::image
