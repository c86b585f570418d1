// A settings store over the stored one that uses another device row for this run only: "CPU TYPE" reads as that
// row until a different row is written, and writing that same row back (as exit does) leaves the stored value.
#pragma once

#include "core/settings_store.h"

namespace lumetra::app {

class RunDeviceOverride final : public core::SettingsStore {
public:
    RunDeviceOverride(core::SettingsStore& stored, int deviceIndex);

    std::int32_t readInt(std::string_view section, std::string_view name, std::int32_t defaultValue) const override;
    std::string readText(std::string_view section, std::string_view name, std::string_view defaultValue) const override;
    void writeInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void writeText(std::string_view section, std::string_view name, std::string_view value) override;
    bool flush() override;

private:
    core::SettingsStore& stored_;
    int deviceIndex_;
    bool overriding_ = true;
};

// Whether a program built for `programDevice` needs another row than the stored one: the stored row is of the
// other family.
bool deviceRowNeedsOverride(const core::SettingsStore& stored, int programDevice);

} // namespace lumetra::app
