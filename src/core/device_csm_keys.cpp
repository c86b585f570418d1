#include "core/device_catalogue.h"

#include "core/device_table.h"

#include <cstdio>

namespace lumetra::core {

namespace {

using detail::GroupTraits;
using detail::KeyLabelStyle;

std::string keyLabel(const GroupTraits& traits, int n, bool chosenInDialog)
{
    char text[32];
    switch (traits.keyLabelStyle) {
    case KeyLabelStyle::Word16: {
        const unsigned address = n < traits.csmKeyCount ? traits.keyBase + static_cast<unsigned>(n) : 0U;
        std::snprintf(text, sizeof text, "KEY%d (0x%04X)", n, address);
        break;
    }
    case KeyLabelStyle::Word22:
        std::snprintf(text, sizeof text, "KEY%d (0x%06X)", n, traits.keyBase + static_cast<unsigned>(n));
        break;
    case KeyLabelStyle::Zone:
        std::snprintf(text, sizeof text, "Z1/2 CSMKEY%d-%d", n / 2, n % 2);
        break;
    case KeyLabelStyle::DialogPath:
        return keyLabel(
            detail::traitsOf(chosenInDialog ? DeviceGroup::F2823x2833x : DeviceGroup::F280x), n, chosenInDialog);
    }
    return text;
}

} // namespace

int csmKeyCountOf(int index)
{
    return detail::traitsOfIndex(index).csmKeyCount;
}

std::string csmKeyLabel(int index, int n, bool chosenInDialog)
{
    if (n < 0 || n > 7)
        return {};
    return keyLabel(detail::traitsOfIndex(index), n, chosenInDialog);
}

} // namespace lumetra::core
