// The constant table of the 71 supported target devices and the queries the rest of the system asks of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra::core {

inline constexpr int kDeviceCount = 71;
inline constexpr int kDefaultDeviceIndex = 26;

enum class Family { Lf240x, F28x };

enum class DeviceGroup {
    Lf240xA,      // 0..5
    F280x,        // 6..17
    F281x,        // 18..26
    F2801x2804x,  // 27..29
    F2823x2833x,  // 30..35
    F2834x,       // 36..41
    F2802x,       // 42..51
    F2803x,       // 52..57
    F2806x,       // 58..65
    F2837xS,      // 66..70
};

// COFF target identifiers accepted by each family.
inline constexpr std::uint16_t kTargetIdLf240x = 0x0092;
inline constexpr std::uint16_t kTargetIdC28x = 0x009D;

bool isValidDeviceIndex(int index);

// Every query below expects a valid index (0..70).
Family familyOf(int index);
DeviceGroup groupOf(int index);
std::string_view listNameOf(int index);
std::string_view statusNameOf(int index);

// Address width in bits (16 or 22), the number of words of the address space, and the address text
// ("0x%04X" or "0x%06X").
int addressBitsOf(Family family);
std::uint32_t addressSpaceWordsOf(Family family);
std::string formatAddress(Family family, std::uint32_t address);
std::uint16_t coffTargetIdOf(Family family);

} // namespace lumetra::core
