#include "core/memory_settings_store.h"

namespace lumetra::core {

namespace {

std::pair<std::string, std::string> keyOf(std::string_view section, std::string_view name)
{
    return {std::string(section), std::string(name)};
}

} // namespace

std::int32_t MemorySettingsStore::readInt(
    std::string_view section, std::string_view name, std::int32_t defaultValue) const
{
    const auto found = values_.find(keyOf(section, name));
    if (found == values_.end())
        return defaultValue;
    if (const auto* number = std::get_if<std::int32_t>(&found->second))
        return *number;
    return defaultValue;
}

std::string MemorySettingsStore::readText(
    std::string_view section, std::string_view name, std::string_view defaultValue) const
{
    const auto found = values_.find(keyOf(section, name));
    if (found == values_.end())
        return std::string(defaultValue);
    if (const auto* text = std::get_if<std::string>(&found->second))
        return *text;
    return std::to_string(std::get<std::int32_t>(found->second));
}

void MemorySettingsStore::writeInt(std::string_view section, std::string_view name, std::int32_t value)
{
    values_[keyOf(section, name)] = value;
}

void MemorySettingsStore::writeText(std::string_view section, std::string_view name, std::string_view value)
{
    values_[keyOf(section, name)] = std::string(value);
}

std::optional<MemorySettingsStore::StoredValue> MemorySettingsStore::stored(
    std::string_view section, std::string_view name) const
{
    const auto found = values_.find(keyOf(section, name));
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

} // namespace lumetra::core
