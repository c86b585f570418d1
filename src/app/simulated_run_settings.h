// The settings of a run on the simulated target: the user's stored values read as they are, and nothing the run
// changes is stored. The demo program is built for one device row; a stored row of the other family is replaced
// for the run.
#pragma once

#include "core/settings_overlay.h"

#include <memory>

namespace lumetra::app {

std::unique_ptr<core::SettingsOverlay> simulatedRunSettings(const core::SettingsStore& stored, int programDevice);

// Whether a program built for `programDevice` needs another row than the stored one: the stored row is of the
// other family.
bool deviceRowNeedsOverride(const core::SettingsStore& stored, int programDevice);

} // namespace lumetra::app
