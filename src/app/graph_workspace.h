// The graph state the application keeps for its graph windows: the graph settings, both item catalogues with
// this run's selections, the registry of the open graph windows' sessions and the host they reach the main
// window through.
#pragma once

#include "app/graph_host_adapter.h"
#include "app/link_state.h"

#include "core/settings_store.h"
#include "graph/items/graph_files.h"
#include "graph/items/graph_items.h"
#include "graph/items/graph_settings.h"
#include "graph/session/graph_session.h"
#include "graph/session/graph_session_registry.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::app {

class GraphWorkspace {
public:
    explicit GraphWorkspace(LinkState& linkState);

    // Start-up: the graph settings and both catalogues from `directory`. The reports of catalogues that exist
    // but could not be read, one line each.
    std::vector<std::string> load(const core::SettingsStore& store, const std::filesystem::path& directory);
    void saveSettings(core::SettingsStore& store) const;
    // Both catalogues; a failure leaves that file as it was, and a file that was not read whole is never lost.
    void saveCatalogues(const std::filesystem::path& directory) const;

    graph::GraphSettings& settings() { return settings_; }
    std::vector<graph::CGraphObject>& memoryCatalogue() { return memoryCatalogue_; }
    std::vector<graph::CGraphObject>& memorySelection() { return memorySelection_; }
    std::vector<graph::CTimeGraphObject>& timeCatalogue() { return timeCatalogue_; }
    std::vector<graph::CTimeGraphObject>& timeSelection() { return timeSelection_; }

    // What a new graph window of `kind` copies after its item dialog closed with OK; nullopt while the
    // selection of that kind is empty (no window opens).
    std::optional<graph::GraphSessionSetup> sessionSetup(graph::GraphKind kind) const;

    graph::GraphHost& host() { return host_; }
    graph::GraphSessionRegistry& registry() { return registry_; }
    // For the commands that take the link over: every graph window stops acquiring; the link stays open.
    void stopAllAcquisition() { registry_.stopAll(); }
    bool anyAcquiring() const { return registry_.anyAcquiring(); }

private:
    GraphHostAdapter host_;
    graph::GraphSessionRegistry registry_;
    graph::GraphSettings settings_;
    std::vector<graph::CGraphObject> memoryCatalogue_;
    std::vector<graph::CGraphObject> memorySelection_;
    std::vector<graph::CTimeGraphObject> timeCatalogue_;
    std::vector<graph::CTimeGraphObject> timeSelection_;
    // What start-up read of each file (its items and whether it was read whole), for the save at exit.
    graph::GraphFileLoad<graph::CGraphObject> memoryLoaded_;
    graph::GraphFileLoad<graph::CTimeGraphObject> timeLoaded_;
};

} // namespace lumetra::app
