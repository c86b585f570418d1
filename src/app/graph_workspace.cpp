#include "app/graph_workspace.h"

#include "graph/items/graph_item_conversion.h"

namespace lumetra::app {

GraphWorkspace::GraphWorkspace(LinkState& linkState)
    : host_(linkState)
{
}

std::vector<std::string> GraphWorkspace::load(const core::SettingsStore& store, const std::filesystem::path& directory)
{
    settings_ = graph::loadGraphSettings(store);
    memoryLoaded_ = graph::loadGraphCatalogue<graph::CGraphObject>(directory);
    timeLoaded_ = graph::loadGraphCatalogue<graph::CTimeGraphObject>(directory);
    memoryCatalogue_ = memoryLoaded_.items;
    timeCatalogue_ = timeLoaded_.items;
    std::vector<std::string> reports;
    for (const std::string* report : {&memoryLoaded_.report, &timeLoaded_.report})
        if (!report->empty())
            reports.push_back(*report);
    return reports;
}

void GraphWorkspace::saveSettings(core::SettingsStore& store) const
{
    graph::saveGraphSettings(store, settings_);
}

void GraphWorkspace::saveCatalogues(const std::filesystem::path& directory) const
{
    graph::saveGraphCatalogueOver(directory, memoryLoaded_, memoryCatalogue_);
    graph::saveGraphCatalogueOver(directory, timeLoaded_, timeCatalogue_);
}

std::optional<graph::GraphSessionSetup> GraphWorkspace::sessionSetup(graph::GraphKind kind) const
{
    std::vector<graph::GraphChannel> channels
        = kind == graph::GraphKind::Memory ? graph::channelsOf(memorySelection_) : graph::channelsOf(timeSelection_);
    if (channels.empty())
        return std::nullopt;
    const graph::GraphKindSettings& ofKind = settings_.of(kind);
    graph::GraphSessionSetup setup;
    setup.environment = settings_.environment;
    setup.environment.kind = kind;
    if (setup.environment.scaleMode == graph::ScaleMode::Automatic) {
        // What "수동 Scale" offers in the window: the bounds last used for this kind.
        const graph::ScaleBounds bounds = graph::storedScaleBounds(ofKind);
        setup.environment.maximum = bounds.maximum;
        setup.environment.minimum = bounds.minimum;
    }
    setup.selectionMode = ofKind.separateGraphs;
    setup.channels = std::move(channels);
    setup.colours = ofKind.colours;
    return setup;
}

} // namespace lumetra::app
