// One character at a time between code page 949 and Unicode, through the platform's converter
// (iconv elsewhere, the Win32 code page API on Windows).
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>

namespace lumetra::core {

class Cp949CharConverter {
public:
    Cp949CharConverter();
    ~Cp949CharConverter();
    Cp949CharConverter(const Cp949CharConverter&) = delete;
    Cp949CharConverter& operator=(const Cp949CharConverter&) = delete;

    // False when the platform offers no code page 949 converter.
    bool available() const;

    // The code point of `sequence` when the whole sequence is exactly one code page 949 character.
    std::optional<char32_t> decode(std::span<const unsigned char> sequence) const;

    // The code page 949 bytes of `value`, or nothing when the code page has no such character.
    std::optional<std::string> encode(char32_t value) const;

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
};

} // namespace lumetra::core
