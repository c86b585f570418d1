#include "core/device_catalogue.h"

#include "core/device_table.h"

#include <array>

namespace lumetra::core {

namespace {

struct DataFlashType {
    std::string_view name;
    std::uint32_t capacityBytes;
};

constexpr std::array<DataFlashType, kDataFlashTypeCount> kDataFlashTypes {{
    {"AT25DF021", 0x40000},
    {"AT25DF041A", 0x80000},
    {"AT25DF081A", 0x100000},
    {"AT25DF161", 0x200000},
    {"AT25DF321A", 0x400000},
    {"M25P40", 0x80000},
}};

const DataFlashType& dataFlashType(int type)
{
    const bool valid = type >= 0 && type < kDataFlashTypeCount;
    return kDataFlashTypes[static_cast<std::size_t>(valid ? type : kDataFlashTypeCount - 1)];
}

} // namespace

bool hasDataFlash(int index)
{
    return detail::traitsOfIndex(index).dataFlash;
}

std::string_view dataFlashNameOf(int type)
{
    return dataFlashType(type).name;
}

std::uint32_t dataFlashCapacityOf(int type)
{
    return dataFlashType(type).capacityBytes;
}

std::string_view dataFlashPaneTextOf(int index, int type)
{
    return hasDataFlash(index) ? dataFlashNameOf(type) : std::string_view {};
}

} // namespace lumetra::core
