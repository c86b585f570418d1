// How many 64 KB sectors a data-flash run erases and how many 256-byte pages it programs, and the last-byte
// index each page record carries.
#pragma once

#include <cstdint>

namespace lumetra::programming {

// Every sector of the type with `eraseAll`, otherwise those the image of `length` bytes covers.
std::uint32_t dataFlashSectorsToErase(std::uint32_t length, int type, bool eraseAll);
std::uint32_t dataFlashPagesToProgram(std::uint32_t length, int type);
// 0xFF, or (length - 1) & 0xFF for the last of `pages`.
std::uint8_t dataFlashLastByteIndex(std::uint32_t page, std::uint32_t pages, std::uint32_t length);

} // namespace lumetra::programming
