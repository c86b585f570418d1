#ifdef _WIN32

#include "core/cp949_char_converter.h"

#include <array>
#include <windows.h>

namespace lumetra::core {

namespace {

constexpr UINT kCodePage = 949;

} // namespace

// The Win32 code page API needs no handles.
struct Cp949CharConverter::Handles { };

Cp949CharConverter::Cp949CharConverter()
    : handles_(std::make_unique<Handles>())
{
}

Cp949CharConverter::~Cp949CharConverter() = default;

bool Cp949CharConverter::available() const
{
    return IsValidCodePage(kCodePage) != 0;
}

std::optional<char32_t> Cp949CharConverter::decode(std::span<const unsigned char> sequence) const
{
    if (sequence.empty() || sequence.size() > 2)
        return std::nullopt;
    std::array<wchar_t, 4> wide {};
    const int produced = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, reinterpret_cast<LPCCH>(sequence.data()),
        static_cast<int>(sequence.size()), wide.data(), static_cast<int>(wide.size()));
    if (produced == 1 && (wide[0] < 0xD800 || wide[0] > 0xDFFF))
        return static_cast<char32_t>(wide[0]);
    if (produced == 2 && wide[0] >= 0xD800 && wide[0] <= 0xDBFF && wide[1] >= 0xDC00 && wide[1] <= 0xDFFF)
        return 0x10000 + ((static_cast<char32_t>(wide[0]) - 0xD800) << 10) + (static_cast<char32_t>(wide[1]) - 0xDC00);
    return std::nullopt;
}

std::optional<std::string> Cp949CharConverter::encode(char32_t value) const
{
    std::array<wchar_t, 2> wide {};
    int wideLength = 1;
    if (value < 0x10000) {
        wide[0] = static_cast<wchar_t>(value);
    } else {
        wide[0] = static_cast<wchar_t>(0xD800 + ((value - 0x10000) >> 10));
        wide[1] = static_cast<wchar_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
        wideLength = 2;
    }
    std::array<char, 8> bytes {};
    BOOL usedDefault = FALSE;
    const int produced = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, bytes.data(),
        static_cast<int>(bytes.size()), nullptr, &usedDefault);
    if (produced <= 0 || usedDefault)
        return std::nullopt;
    return std::string(bytes.data(), static_cast<std::size_t>(produced));
}

} // namespace lumetra::core

#endif
