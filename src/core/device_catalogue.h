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
    Lf240xA, // 0..5
    F280x, // 6..17
    F281x, // 18..26
    F2801x2804x, // 27..29
    F2823x2833x, // 30..35
    F2834x, // 36..41
    F2802x, // 42..51
    F2803x, // 52..57
    F2806x, // 58..65
    F2837xS, // 66..70
};

// COFF target identifiers accepted by each family.
inline constexpr std::uint16_t kTargetIdLf240x = 0x0092;
inline constexpr std::uint16_t kTargetIdC28x = 0x009D;

bool isValidDeviceIndex(int index);

// The queries below taking a device index answer an index outside 0..70 as the default row 26.
Family familyOf(int index);
DeviceGroup groupOf(int index);
std::string_view listNameOf(int index);
std::string_view statusNameOf(int index);

// Display names: "LF240x" / "F28x" and "LF240xA", "F280x", ..., "F2801x/F2804x", ..., "F2837xS".
std::string_view familyNameOf(Family family);
std::string_view groupNameOf(DeviceGroup group);

// Address width in bits (16 or 22), the number of words of the address space, and the address text
// ("0x%04X" or "0x%06X").
int addressBitsOf(Family family);
std::uint32_t addressSpaceWordsOf(Family family);
std::string_view addressFormatOf(Family family);
std::string formatAddress(Family family, std::uint32_t address);
std::uint16_t coffTargetIdOf(Family family);

// A stored device index counts by its low byte only.
// Status pane text for any stored index: the row's status name, or "F2812-150MHz(30MHz*5)" when it has no row.
std::string_view statusPaneTextOf(int storedIndex);
// The index in use for a stored value: its low byte when that names a row, otherwise 26.
int resolveStoredDeviceIndex(int storedValue);

// Code security module keys: 4 (rows 0..5), 8, or 0 (rows 36..41, where the fields are disabled).
int csmKeyCountOf(int index);
// Label of key field n (0..7; empty for any other n). Rows 36..41 are labelled as rows 6..29 when the dialog opened
// with the row selected, as rows 30..35 once the row was chosen in the list (chosenInDialog).
std::string csmKeyLabel(int index, int n, bool chosenInDialog);

// External SPI data flash (rows 36..41) and its six chip types.
inline constexpr int kDataFlashTypeCount = 6;
inline constexpr int kDefaultDataFlashType = 1;
bool hasDataFlash(int index);
// A type outside 0..5 is answered as type 5, the clamp the configuration applies.
std::string_view dataFlashNameOf(int type);
std::uint32_t dataFlashCapacityOf(int type);
// Text of the status bar's data flash pane: the type's name on rows 36..41, empty on every other row.
std::string_view dataFlashPaneTextOf(int index, int type);

// POD firmware version values (major * 10 + minor) the download needs; 0 when there is no requirement.
int requiredFirmwareForDownload(int index);
// The message shown when the POD's firmware is older than requiredFirmwareForDownload; empty when none.
std::string_view firmwareTooOldMessage(int index);
inline constexpr int kDataFlashRequiredFirmware = 19;

} // namespace lumetra::core
