#include "core/settings_overlay.h"

namespace lumetra::core {

SettingsOverlay::SettingsOverlay(const SettingsStore& below)
    : below_(below)
{
}

std::int32_t SettingsOverlay::readInt(std::string_view section, std::string_view name, std::int32_t defaultValue) const
{
    if (written_.stored(section, name))
        return written_.readInt(section, name, defaultValue);
    return below_.readInt(section, name, defaultValue);
}

std::string SettingsOverlay::readText(
    std::string_view section, std::string_view name, std::string_view defaultValue) const
{
    if (written_.stored(section, name))
        return written_.readText(section, name, defaultValue);
    return below_.readText(section, name, defaultValue);
}

void SettingsOverlay::writeInt(std::string_view section, std::string_view name, std::int32_t value)
{
    written_.writeInt(section, name, value);
}

void SettingsOverlay::writeText(std::string_view section, std::string_view name, std::string_view value)
{
    written_.writeText(section, name, value);
}

} // namespace lumetra::core
