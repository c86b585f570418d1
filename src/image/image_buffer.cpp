#include "image/image_buffer.h"

#include <algorithm>

namespace lumetra::image {

void ImageBuffer::start(SharedBytes file)
{
    file_ = std::move(file);
    windowStart_ = 0;
    size_ = 0;
    copied_ = false;
    copy_.clear();
}

std::size_t ImageBuffer::append(std::uint64_t fileOffset, std::size_t sizeBytes)
{
    const std::size_t offset = size_;
    const ByteView file = file_.view();
    if (!copied_) {
        if (size_ == 0)
            windowStart_ = fileOffset;
        if (fileOffset == windowStart_ + size_ && file.contains(fileOffset, sizeBytes)) {
            size_ += sizeBytes;
            return offset;
        }
        copyWindow();
    }
    const ByteView raw = file.available(fileOffset, sizeBytes);
    copy_.insert(copy_.end(), raw.bytes().begin(), raw.bytes().end());
    copy_.resize(offset + sizeBytes, 0xFF);
    size_ = copy_.size();
    return offset;
}

std::span<const std::uint8_t> ImageBuffer::bytes() const
{
    if (copied_)
        return copy_;
    return file_.view().bytes().subspan(static_cast<std::size_t>(windowStart_), size_);
}

void ImageBuffer::copyWindow()
{
    const std::span<const std::uint8_t> window = bytes();
    copy_.reserve(std::min(file_.size(), kImageBufferCapacity));
    copy_.assign(window.begin(), window.end());
    copied_ = true;
}

} // namespace lumetra::image
