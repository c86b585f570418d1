#ifndef _WIN32

#include "core/cp949_char_converter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iconv.h>

namespace lumetra::core {

namespace {

constexpr char kCodePageName[] = "CP949";
constexpr char kUnicodeName[] = "UTF-32LE";

const iconv_t kNoHandle = reinterpret_cast<iconv_t>(-1);

// Converts all of `input`; nothing unless every byte was consumed without error or substitution.
std::optional<std::size_t> convert(iconv_t handle, std::span<const unsigned char> input, std::span<char> output)
{
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    std::array<char, 8> in {};
    if (input.size() > in.size())
        return std::nullopt;
    std::copy(input.begin(), input.end(), in.begin());
    char* inPointer = in.data();
    std::size_t inLeft = input.size();
    char* outPointer = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(handle, &inPointer, &inLeft, &outPointer, &outLeft);
    if (result != 0 || inLeft != 0)
        return std::nullopt;
    if (iconv(handle, nullptr, nullptr, &outPointer, &outLeft) != 0)
        return std::nullopt;
    return output.size() - outLeft;
}

} // namespace

struct Cp949CharConverter::Handles {
    iconv_t toUnicode = iconv_open(kUnicodeName, kCodePageName);
    iconv_t fromUnicode = iconv_open(kCodePageName, kUnicodeName);

    ~Handles()
    {
        if (toUnicode != kNoHandle)
            iconv_close(toUnicode);
        if (fromUnicode != kNoHandle)
            iconv_close(fromUnicode);
    }
};

Cp949CharConverter::Cp949CharConverter()
    : handles_(std::make_unique<Handles>())
{
}

Cp949CharConverter::~Cp949CharConverter() = default;

bool Cp949CharConverter::available() const
{
    return handles_->toUnicode != kNoHandle && handles_->fromUnicode != kNoHandle;
}

std::optional<char32_t> Cp949CharConverter::decode(std::span<const unsigned char> sequence) const
{
    if (!available())
        return std::nullopt;
    std::array<char, 8> unicode {};
    const auto produced = convert(handles_->toUnicode, sequence, unicode);
    if (produced != 4)
        return std::nullopt;
    const auto byte = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(unicode[i])); };
    return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
}

std::optional<std::string> Cp949CharConverter::encode(char32_t value) const
{
    if (!available())
        return std::nullopt;
    const std::array<unsigned char, 4> unicode {static_cast<unsigned char>(value),
        static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value >> 16),
        static_cast<unsigned char>(value >> 24)};
    std::array<char, 8> bytes {};
    const auto produced = convert(handles_->fromUnicode, unicode, bytes);
    if (!produced || *produced == 0)
        return std::nullopt;
    return std::string(bytes.data(), *produced);
}

} // namespace lumetra::core

#endif
