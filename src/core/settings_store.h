// Port to the per-user key-value store that keeps every setting: one group per section, integers as
// 32-bit numbers and texts as strings (UTF-8 in this interface). Section and value names are plain names
// without slashes or backslashes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumetra::core {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // A value that is absent, or that cannot be read as the asked type, reads as the default.
    virtual std::int32_t readInt(std::string_view section, std::string_view name, std::int32_t defaultValue) const = 0;
    virtual std::string readText(
        std::string_view section, std::string_view name, std::string_view defaultValue) const = 0;

    virtual void writeInt(std::string_view section, std::string_view name, std::int32_t value) = 0;
    virtual void writeText(std::string_view section, std::string_view name, std::string_view value) = 0;

    // Puts pending writes into permanent storage; false when the store could not be written.
    virtual bool flush() = 0;
};

} // namespace lumetra::core
