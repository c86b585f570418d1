// The memory monitor's start address: the entry of "모니터링 시작 주소 설정" and the clamps that keep a page of
// rows inside the address space.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra::monitor {

// Shown (information icon) for an empty entry and for one that is not wholly a number; the dialog stays open.
inline constexpr std::string_view kEmptyAddressMessage = "주소값을 입력하십시요.";
inline constexpr std::string_view kBadAddressMessage = "주소 입력이 잘못되었읍니다.";

struct StartAddressEntry {
    std::optional<std::uint32_t> value; // the entered number
    std::string_view refusal; // without a value: kEmptyAddressMessage or kBadAddressMessage
};

// The entered number by the number entry rule ("100" is 100, "100h" and "0x100" are 0x100, "-1" 0xFFFFFFFF);
// an empty or all white space text, and one that is not wholly a number of its radix ("abc", "12abc", "1.5"),
// are refused.
StartAddressEntry parseStartAddressEntry(std::string_view text);

// An entered start address: negative as a signed 32-bit number gives 0; at or above the range gives range - 1;
// when a page of rows from it would reach the range, range - step x rowsPerPage - 1 (0 when a page is larger
// than the range); with a step of 2 an odd result is lowered by one.
std::uint32_t clampEnteredStartAddress(std::uint32_t value, std::uint32_t range, int step, int rowsPerPage);

// The invariants of a start address: below the range, and even with a step of 2.
std::uint32_t keepStartAddressValid(std::uint32_t value, std::uint32_t range, int step);

} // namespace lumetra::monitor
