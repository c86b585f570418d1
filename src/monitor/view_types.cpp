#include "monitor/view_types.h"

#include <array>

namespace lumetra::monitor {

namespace {

struct ViewTypeTexts {
    std::string_view name;
    std::string_view menuText;
};

constexpr std::array<ViewTypeTexts, kViewTypeCount> kViewTypes {{
    {"hex decimal (16bit)", "Hex Decimal (16bit)"},
    {"hex decimal (32bit)", "Hex Decimal (32bit)"},
    {"signed integer (16bit)", "Signed Integer (16bit)"},
    {"signed integer (32bit)", "Signed Integer (32bit)"},
    {"unsigned integer (16bit)", "Unsigned Integer (16bit)"},
    {"unsigned integer (32bit)", "Unsigned Integer (32bit)"},
    {"float (32bit)", "Float (32bit)"},
    {"binary (16bit)", "Binary (16bit)"},
}};

constexpr std::string_view kMemoryUnsigned16MenuText = "UnSigned Integer (16bit)";

// Every ViewType value indexes the table; a byte cast in from outside 0..7 is read as Hex16.
std::size_t indexOf(ViewType view)
{
    const auto code = static_cast<std::size_t>(viewTypeCode(view));
    return code < kViewTypes.size() ? code : 0;
}

} // namespace

std::optional<ViewType> viewTypeFromCode(unsigned code)
{
    if (code >= static_cast<unsigned>(kViewTypeCount))
        return std::nullopt;
    return static_cast<ViewType>(code);
}

std::string_view viewTypeName(ViewType view)
{
    return kViewTypes[indexOf(view)].name;
}

std::string_view viewTypeMenuText(ViewType view, MonitorPane pane)
{
    if (pane == MonitorPane::Memory && view == ViewType::Unsigned16)
        return kMemoryUnsigned16MenuText;
    return kViewTypes[indexOf(view)].menuText;
}

int memoryWordCount(ViewType view)
{
    switch (view) {
    case ViewType::Hex32:
    case ViewType::Signed32:
    case ViewType::Unsigned32:
    case ViewType::Float32:
        return 2;
    case ViewType::Hex16:
    case ViewType::Signed16:
    case ViewType::Unsigned16:
    case ViewType::Binary16:
        break;
    }
    return 1;
}

} // namespace lumetra::monitor
