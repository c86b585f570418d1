#include "graph/items/graph_settings.h"

#include "core/settings_schema.h"

#include <cassert>

namespace lumetra::graph {

namespace {

using core::SettingId;

// What the stored bound texts give by default.
constexpr ScaleBounds kDefaultScaleBounds {10.0, -10.0};

struct KindSettingIds {
    SettingId maxText;
    SettingId minText;
    SettingId scaleMode;
    SettingId selectionMode;
    int firstColour; // index of channel 1 among the graph colour settings
};

KindSettingIds idsOf(GraphKind kind)
{
    if (kind == GraphKind::Memory)
        return {SettingId::MaxGraphValue, SettingId::MinGraphValue, SettingId::GraphScaleMode,
            SettingId::GraphSelectionMode, 0};
    return {SettingId::MaxTimeGraphValue, SettingId::MinTimeGraphValue, SettingId::TimeGraphScaleMode,
        SettingId::TimeGraphSelectionMode, kMaxChannels};
}

GraphKindSettings loadKind(const core::SettingsStore& store, GraphKind kind)
{
    const KindSettingIds ids = idsOf(kind);
    GraphKindSettings settings;
    settings.maxText = core::readTextSetting(store, ids.maxText);
    settings.minText = core::readTextSetting(store, ids.minText);
    settings.scaleMode = core::readSetting(store, ids.scaleMode) == 1 ? ScaleMode::Manual : ScaleMode::Automatic;
    settings.separateGraphs = core::readSetting(store, ids.selectionMode) == 1;
    for (int n = 0; n < kMaxChannels; ++n)
        settings.colours[static_cast<std::size_t>(n)]
            = static_cast<std::uint32_t>(core::readSetting(store, core::graphColorSetting(ids.firstColour + n)));
    return settings;
}

void saveKind(core::SettingsStore& store, GraphKind kind, const GraphKindSettings& settings)
{
    const KindSettingIds ids = idsOf(kind);
    core::writeTextSetting(store, ids.maxText, settings.maxText);
    core::writeTextSetting(store, ids.minText, settings.minText);
    core::writeSetting(store, ids.scaleMode, static_cast<std::int32_t>(settings.scaleMode));
    core::writeSetting(store, ids.selectionMode, settings.separateGraphs ? 1 : 0);
    for (int n = 0; n < kMaxChannels; ++n)
        core::writeSetting(store, core::graphColorSetting(ids.firstColour + n),
            static_cast<std::int32_t>(settings.colours[static_cast<std::size_t>(n)]));
}

} // namespace

GraphSettings loadGraphSettings(const core::SettingsStore& store)
{
    GraphSettings settings;
    settings.environment.interval = core::readSetting(store, SettingId::GraphInterval);
    settings.memory = loadKind(store, GraphKind::Memory);
    settings.time = loadKind(store, GraphKind::Time);
    return settings;
}

void saveGraphSettings(core::SettingsStore& store, const GraphSettings& settings)
{
    core::writeSetting(store, SettingId::GraphInterval, settings.environment.interval);
    saveKind(store, GraphKind::Memory, settings.memory);
    saveKind(store, GraphKind::Time, settings.time);
}

ScaleBounds storedScaleBounds(const GraphKindSettings& settings)
{
    return checkScaleBounds(settings.maxText, settings.minText).value.value_or(kDefaultScaleBounds);
}

std::uint32_t defaultChannelColour(GraphKind kind, int channel)
{
    assert(channel >= 0 && channel < kMaxChannels);
    const SettingId id = core::graphColorSetting(idsOf(kind).firstColour + channel);
    return static_cast<std::uint32_t>(core::specOf(id).defaultNumber);
}

} // namespace lumetra::graph
