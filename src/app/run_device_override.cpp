#include "app/run_device_override.h"

#include "core/device_catalogue.h"
#include "core/settings_schema.h"

namespace lumetra::app {

namespace {

bool isDeviceRow(std::string_view section, std::string_view name)
{
    const core::SettingSpec& spec = core::specOf(core::SettingId::CpuType);
    return section == spec.section && name == spec.name;
}

} // namespace

RunDeviceOverride::RunDeviceOverride(core::SettingsStore& stored, int deviceIndex)
    : stored_(stored)
    , deviceIndex_(deviceIndex)
{
}

std::int32_t RunDeviceOverride::readInt(
    std::string_view section, std::string_view name, std::int32_t defaultValue) const
{
    if (overriding_ && isDeviceRow(section, name))
        return deviceIndex_;
    return stored_.readInt(section, name, defaultValue);
}

std::string RunDeviceOverride::readText(
    std::string_view section, std::string_view name, std::string_view defaultValue) const
{
    return stored_.readText(section, name, defaultValue);
}

void RunDeviceOverride::writeInt(std::string_view section, std::string_view name, std::int32_t value)
{
    if (isDeviceRow(section, name)) {
        if (overriding_ && value == deviceIndex_)
            return;
        overriding_ = false;
    }
    stored_.writeInt(section, name, value);
}

void RunDeviceOverride::writeText(std::string_view section, std::string_view name, std::string_view value)
{
    stored_.writeText(section, name, value);
}

bool RunDeviceOverride::flush()
{
    return stored_.flush();
}

bool deviceRowNeedsOverride(const core::SettingsStore& stored, int programDevice)
{
    const int storedRow = core::readSetting(stored, core::SettingId::CpuType);
    return core::familyOf(storedRow) != core::familyOf(programDevice);
}

} // namespace lumetra::app
