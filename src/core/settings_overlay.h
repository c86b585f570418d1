// A settings store over another that it never writes: this run's writes are kept in memory and read back first,
// every other value reads from the store below.
#pragma once

#include "core/memory_settings_store.h"
#include "core/settings_store.h"

namespace lumetra::core {

class SettingsOverlay final : public SettingsStore {
public:
    explicit SettingsOverlay(const SettingsStore& below);

    std::int32_t readInt(std::string_view section, std::string_view name, std::int32_t defaultValue) const override;
    std::string readText(std::string_view section, std::string_view name, std::string_view defaultValue) const override;
    void writeInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void writeText(std::string_view section, std::string_view name, std::string_view value) override;
    // Nothing goes below.
    bool flush() override { return true; }

private:
    const SettingsStore& below_;
    MemorySettingsStore written_;
};

} // namespace lumetra::core
