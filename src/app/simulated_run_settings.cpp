#include "app/simulated_run_settings.h"

#include "core/device_catalogue.h"
#include "core/settings_schema.h"

namespace lumetra::app {

std::unique_ptr<core::SettingsOverlay> simulatedRunSettings(const core::SettingsStore& stored, int programDevice)
{
    auto run = std::make_unique<core::SettingsOverlay>(stored);
    if (deviceRowNeedsOverride(stored, programDevice))
        core::writeSetting(*run, core::SettingId::CpuType, programDevice);
    return run;
}

bool deviceRowNeedsOverride(const core::SettingsStore& stored, int programDevice)
{
    const int storedRow = core::readSetting(stored, core::SettingId::CpuType);
    return core::familyOf(storedRow) != core::familyOf(programDevice);
}

} // namespace lumetra::app
