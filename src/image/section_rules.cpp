#include "image/section_rules.h"

#include "core/device_catalogue.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace lumetra::image {

namespace {

constexpr std::uint32_t kNotLoadedFlags = kSectionFlagDummy | kSectionFlagNoLoad | kSectionFlagCopy;

constexpr std::array<std::string_view, 5> kC28xSkippedNames
    = {"CSMPWLFILE", ".DEBUG_FRAME", ".DEBUG_ABBREV", ".DEBUG_INFO", ".DEBUG_LINE"};

std::string upperCased(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
        [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return upper;
}

} // namespace

bool isLoadableSection(const CoffSectionHeader& section, std::string_view name, int deviceRow)
{
    if (section.sizeWords == 0 || section.rawDataOffset == 0 || (section.flags & kNotLoadedFlags) != 0)
        return false;
    const std::string upper = upperCased(name);
    if (upper == ".STACK")
        return false;
    if (core::isValidDeviceIndex(deviceRow) && core::familyOf(deviceRow) == core::Family::Lf240x)
        return section.page == 0;
    return std::find(kC28xSkippedNames.begin(), kC28xSkippedNames.end(), upper) == kC28xSkippedNames.end();
}

bool isLoadableElfSection(const ElfSection& section)
{
    return section.type == kElfSectionProgbits && (section.flags & kElfFlagAlloc) != 0 && section.size != 0
        && upperCased(section.name) != ".STACK";
}

} // namespace lumetra::image
