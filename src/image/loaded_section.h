// One loadable section of the program image: where it goes on the target and where its data sit in the image buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lumetra::image {

struct LoadedSection {
    std::string name; // without one leading '_'; split parts carry "_1" / "_2"
    std::uint32_t startAddress = 0; // words
    std::uint32_t sizeWords = 0;
    std::size_t bufferOffset = 0; // bytes into the image buffer; sizeWords * 2 bytes, low byte first
    bool inFlash = false; // first bank (or the only one), OTP included
    std::uint16_t flashMask = 0;
    bool inSecondBank = false;
    std::uint16_t secondBankMask = 0;

    std::uint32_t endAddress() const { return startAddress + sizeWords - 1; }
    std::size_t sizeBytes() const { return std::size_t {sizeWords} * 2; }
};

} // namespace lumetra::image
