#include "app/graph_workspace.h"

#include "graph/graph_files.h"
#include "graph/graph_item_conversion.h"

namespace lumetra::app {

GraphWorkspace::GraphWorkspace(LinkState& linkState)
    : host_(linkState)
{
}

std::vector<std::string> GraphWorkspace::load(const core::SettingsStore& store, const std::filesystem::path& directory)
{
    settings_ = graph::loadGraphSettings(store);
    auto memory = graph::loadGraphCatalogue<graph::CGraphObject>(directory);
    auto time = graph::loadGraphCatalogue<graph::CTimeGraphObject>(directory);
    memoryCatalogue_ = std::move(memory.items);
    timeCatalogue_ = std::move(time.items);
    std::vector<std::string> reports;
    for (std::string* report : {&memory.report, &time.report})
        if (!report->empty())
            reports.push_back(std::move(*report));
    return reports;
}

void GraphWorkspace::saveSettings(core::SettingsStore& store) const
{
    graph::saveGraphSettings(store, settings_);
}

void GraphWorkspace::saveCatalogues(const std::filesystem::path& directory) const
{
    graph::saveGraphCatalogue(directory, memoryCatalogue_);
    graph::saveGraphCatalogue(directory, timeCatalogue_);
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
