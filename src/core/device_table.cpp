#include "core/device_table.h"

#include <array>

namespace lumetra::core::detail {

namespace {

using G = DeviceGroup;

constexpr std::array<DeviceRow, kDeviceCount> kRows {{
    {"LF2401A - 30MHz(7.5MHz * 4)", "LF2401A-30MHz(7.5MHz*4)", G::Lf240xA},
    {"LF2401A - 40MHz(10MHz * 4)", "LF2401A-40MHz(10MHz*4)", G::Lf240xA},
    {"LF(2402/2403/2406)A - 30MHz(7.5MHz * 4)", "LF240(2/3/6)A-30MHz(7.5MHz*4)", G::Lf240xA},
    {"LF(2402/2403/2406)A - 40MHz(10MHz * 4)", "LF240(2/3/6)A-40MHz(10MHz*4)", G::Lf240xA},
    {"LF2407A - 30MHz(7.5MHz * 4)", "LF2407A-30MHz(7.5MHz*4)", G::Lf240xA},
    {"LF2407A - 40MHz(10MHz * 4)", "LF2407A-40MHz(10MHz*4)", G::Lf240xA},
    {"F2801 - 60MHz(20MHz * 3)", "F2801-60MHz(20MHz*3)", G::F280x},
    {"F2801 - 75MHz(15MHz * 5)", "F2801-75MHz(15MHz*5)", G::F280x},
    {"F2801 - 100MHz(20MHz * 5)", "F2801-100MHz(20MHz*5)", G::F280x},
    {"F2802 - 60MHz(20MHz * 3)", "F2802-60MHz(20MHz*3)", G::F280x},
    {"F2802 - 75MHz(15MHz * 5)", "F2802-75MHz(15MHz*5)", G::F280x},
    {"F2802 - 100MHz(20MHz * 5)", "F2802-100MHz(20MHz*5)", G::F280x},
    {"F2806 - 75MHz(15MHz * 5)", "F2806-75MHz(15MHz*5)", G::F280x},
    {"F2806 - 100MHz(20MHz * 5)", "F2806-100MHz(20MHz*5)", G::F280x},
    {"F2808 - 75MHz(15MHz * 5)", "F2808-75MHz(15MHz*5)", G::F280x},
    {"F2808 - 100MHz(20MHz * 5)", "F2808-100MHz(20MHz*5)", G::F280x},
    {"F2809 - 75MHz(15MHz * 5)", "F2809-75MHz(15MHz*5)", G::F280x},
    {"F2809 - 100MHz(20MHz * 5)", "F2809-100MHz(20MHz*5)", G::F280x},
    {"F2810 - 100MHz(20MHz * 5)", "F2810-100MHz(20MHz*5)", G::F281x},
    {"F2810 - 120MHz(24MHz * 5)", "F2810-120MHz(24MHz*5)", G::F281x},
    {"F2810 - 150MHz(30MHz * 5)", "F2810-150MHz(30MHz*5)", G::F281x},
    {"F2811 - 100MHz(20MHz * 5)", "F2811-100MHz(20MHz*5)", G::F281x},
    {"F2811 - 120MHz(24MHz * 5)", "F2811-120MHz(24MHz*5)", G::F281x},
    {"F2811 - 150MHz(30MHz * 5)", "F2811-150MHz(30MHz*5)", G::F281x},
    {"F2812 - 100MHz(20MHz * 5)", "F2812-100HMz(20MHz*5)", G::F281x},
    {"F2812 - 120MHz(24MHz * 5)", "F2812-120HMz(24MHz*5)", G::F281x},
    {"F2812 - 150MHz(30MHz * 5)", "F2812-150HMz(30MHz*5)", G::F281x},
    {"F28015 - 60MHz(20MHz * 3)", "F28015-60MHz(20MHz*3)", G::F2801x2804x},
    {"F28016 - 60MHz(20MHz * 3)", "F28016-60MHz(20MHz*3)", G::F2801x2804x},
    {"F28044 - 100MHz(20MHz * 5)", "F28044-100MHz(20MHz*5)", G::F2801x2804x},
    {"F28232 - 100MHz(20MHz * 5)", "F28232-100MHz(20MHz*5)", G::F2823x2833x},
    {"F28234 - 150MHz(30MHz * 5)", "F28234-150MHz(30MHz*5)", G::F2823x2833x},
    {"F28235 - 150MHz(30MHz * 5)", "F28235-150MHz(30MHz*5)", G::F2823x2833x},
    {"F28332 - 100MHz(20MHz * 5)", "F28332-100MHz(20MHz*5)", G::F2823x2833x},
    {"F28334 - 150MHz(30MHz * 5)", "F28334-150MHz(30MHz*5)", G::F2823x2833x},
    {"F28335 - 150MHz(30MHz * 5)", "F28335-150MHz(30MHz*5)", G::F2823x2833x},
    {"F28341 - 200MHz", "TMS320F28341-200MHz", G::F2834x},
    {"F28342 - 300MHz", "TMS320F28342-300MHz", G::F2834x},
    {"F28343 - 200MHz", "TMS320F28343-200MHz", G::F2834x},
    {"F28344 - 300MHz", "TMS320F28344-300MHz", G::F2834x},
    {"F28345 - 200MHz", "TMS320F28345-200MHz", G::F2834x},
    {"F28346 - 300MHz", "TMS320F28346-300MHz", G::F2834x},
    {"F28021 Rev.0", "F28021 Rev.0", G::F2802x},
    {"F28022 Rev.0", "F28022 Rev.0", G::F2802x},
    {"F28023 Rev.0", "F28023 Rev.0", G::F2802x},
    {"F28026 Rev.0", "F28026 Rev.0", G::F2802x},
    {"F28027 Rev.0", "F28027 Rev.0", G::F2802x},
    {"F28021 Rev.A", "F28021 Rev.A", G::F2802x},
    {"F28022 Rev.A", "F28022 Rev.A", G::F2802x},
    {"F28023 Rev.A", "F28023 Rev.A", G::F2802x},
    {"F28026 Rev.A", "F28026 Rev.A", G::F2802x},
    {"F28027 Rev.A", "F28027 Rev.A", G::F2802x},
    {"F28030", "F28030", G::F2803x},
    {"F28031", "F28031", G::F2803x},
    {"F28032", "F28032", G::F2803x},
    {"F28033", "F28033", G::F2803x},
    {"F28034", "F28034", G::F2803x},
    {"F28035", "F28035", G::F2803x},
    {"F28062", "F28062", G::F2806x},
    {"F28063", "F28063", G::F2806x},
    {"F28064", "F28064", G::F2806x},
    {"F28065", "F28065", G::F2806x},
    {"F28066", "F28066", G::F2806x},
    {"F28067", "F28067", G::F2806x},
    {"F28068", "F28068", G::F2806x},
    {"F28069", "F28069", G::F2806x},
    {"F28374S", "F28374S", G::F2837xS},
    {"F28375S", "F28375S", G::F2837xS},
    {"F28376S", "F28376S", G::F2837xS},
    {"F28377S", "F28377S", G::F2837xS},
    {"F28379S", "F28379S", G::F2837xS},
}};

constexpr std::string_view kNeedsFirmware16 = "선택한 DSP는 POD Firmware 버전 1.6이상에서만 지원됩니다.";
constexpr std::string_view kNeedsFirmware21 = "선택한 DSP는 POD Firmware 버전 2.1이상에서만 지원됩니다.";

constexpr std::uint32_t kKeyBaseLf240x = 0x0040;
constexpr std::uint32_t kKeyBaseF28x = 0x3F7FF8;
constexpr std::uint32_t kKeyBaseF2833x = 0x33FFF8;

// In the order of DeviceGroup.
constexpr std::array<GroupTraits, 10> kGroups {{
    {G::Lf240xA, "LF240xA", Family::Lf240x, 4, KeyLabelStyle::Word16, kKeyBaseLf240x, false, 0, {}},
    {G::F280x, "F280x", Family::F28x, 8, KeyLabelStyle::Word22, kKeyBaseF28x, false, 0, {}},
    {G::F281x, "F281x", Family::F28x, 8, KeyLabelStyle::Word22, kKeyBaseF28x, false, 0, {}},
    {G::F2801x2804x, "F2801x/F2804x", Family::F28x, 8, KeyLabelStyle::Word22, kKeyBaseF28x, false, 16,
        kNeedsFirmware16},
    {G::F2823x2833x, "F2823x/F2833x", Family::F28x, 8, KeyLabelStyle::Word22, kKeyBaseF2833x, false, 16,
        kNeedsFirmware16},
    {G::F2834x, "F2834x", Family::F28x, 0, KeyLabelStyle::DialogPath, 0, true, 16, kNeedsFirmware16},
    {G::F2802x, "F2802x", Family::F28x, 8, KeyLabelStyle::Word22, kKeyBaseF28x, false, 16, kNeedsFirmware16},
    {G::F2803x, "F2803x", Family::F28x, 8, KeyLabelStyle::Word22, kKeyBaseF28x, false, 16, kNeedsFirmware16},
    {G::F2806x, "F2806x", Family::F28x, 8, KeyLabelStyle::Word22, kKeyBaseF28x, false, 16, kNeedsFirmware16},
    {G::F2837xS, "F2837xS", Family::F28x, 8, KeyLabelStyle::Zone, 0, false, 21, kNeedsFirmware21},
}};

constexpr bool groupsInEnumOrder()
{
    for (std::size_t i = 0; i < kGroups.size(); ++i)
        if (static_cast<std::size_t>(kGroups[i].group) != i)
            return false;
    return true;
}
static_assert(groupsInEnumOrder());

} // namespace

const DeviceRow& rowOf(int index)
{
    return kRows[static_cast<std::size_t>(isValidDeviceIndex(index) ? index : kDefaultDeviceIndex)];
}

const GroupTraits& traitsOf(DeviceGroup group)
{
    return kGroups[static_cast<std::size_t>(group)];
}

} // namespace lumetra::core::detail
