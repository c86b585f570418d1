// A settings store kept in memory only, for tests and for runs that must not touch the user's settings.
#pragma once

#include "core/settings_store.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace lumetra::core {

class MemorySettingsStore final : public SettingsStore {
public:
    std::int32_t readInt(std::string_view section, std::string_view name, std::int32_t defaultValue) const override;
    std::string readText(std::string_view section, std::string_view name, std::string_view defaultValue) const override;
    void writeInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void writeText(std::string_view section, std::string_view name, std::string_view value) override;
    bool flush() override { return true; }

    // What is stored under (section, name), if anything; lets tests tell a written value from a default.
    using StoredValue = std::variant<std::int32_t, std::string>;
    std::optional<StoredValue> stored(std::string_view section, std::string_view name) const;
    std::size_t size() const { return values_.size(); }

private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, StoredValue, std::less<>> values_;
};

} // namespace lumetra::core
