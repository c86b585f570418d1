#include "image/data_flash_image.h"

#include <algorithm>

namespace lumetra::image {

namespace {

class BoundedWriter {
public:
    explicit BoundedWriter(std::vector<std::uint8_t>& out)
        : out_(out)
    {
    }

    void bytes(std::span<const std::uint8_t> data)
    {
        const std::size_t room = kDataFlashImageCapacity - out_.size();
        const std::size_t taken = std::min(room, data.size());
        out_.insert(out_.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(taken));
        overflowed_ = overflowed_ || taken < data.size();
    }

    void word(std::uint16_t value)
    {
        const std::uint8_t pair[] = {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)};
        bytes(pair);
    }

    // High word first, each word low byte first.
    void longWord(std::uint32_t value)
    {
        word(static_cast<std::uint16_t>(value >> 16));
        word(static_cast<std::uint16_t>(value & 0xFFFF));
    }

    bool overflowed() const { return overflowed_; }

private:
    std::vector<std::uint8_t>& out_;
    bool overflowed_ = false;
};

constexpr int kReservedWords = 7;
constexpr std::uint16_t kReservedWord = 0x00FF;
constexpr std::uint32_t kEntryPoint = 0;

} // namespace

DataFlashImage DataFlashImage::build(std::span<const LoadedSection> sections, std::span<const std::uint8_t> imageBuffer)
{
    DataFlashImage image;
    BoundedWriter out(image.bytes_);
    out.word(kDataFlashKey);
    out.word(kDataFlashClockWord);
    for (int i = 0; i < kReservedWords; ++i)
        out.word(kReservedWord);
    out.longWord(kEntryPoint);
    for (const LoadedSection& section : sections) {
        const auto data = imageBuffer.subspan(section.bufferOffset, section.sizeBytes());
        std::uint32_t done = 0;
        while (done < section.sizeWords) {
            const std::uint32_t words = std::min(section.sizeWords - done, kDataFlashBlockWords);
            out.word(static_cast<std::uint16_t>(words));
            out.longWord(section.startAddress + done);
            out.bytes(data.subspan(std::size_t {done} * 2, std::size_t {words} * 2));
            done += words;
        }
    }
    out.word(0);
    image.complete_ = !out.overflowed();
    return image;
}

DataFlashImage DataFlashImage::ofBytes(std::vector<std::uint8_t> bytes)
{
    DataFlashImage image;
    image.complete_ = bytes.size() <= kDataFlashImageCapacity;
    if (!image.complete_)
        bytes.resize(kDataFlashImageCapacity);
    image.bytes_ = std::move(bytes);
    return image;
}

std::array<std::uint8_t, kDataFlashPageSize> DataFlashImage::page(std::size_t index) const
{
    std::array<std::uint8_t, kDataFlashPageSize> page;
    page.fill(0xFF);
    if (index < (bytes_.size() + kDataFlashPageSize - 1) / kDataFlashPageSize) {
        const auto from = bytes_.begin() + static_cast<std::ptrdiff_t>(index * kDataFlashPageSize);
        const auto count = std::min(kDataFlashPageSize, bytes_.size() - index * kDataFlashPageSize);
        std::copy_n(from, count, page.begin());
    }
    return page;
}

} // namespace lumetra::image
