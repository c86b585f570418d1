#include "graph/items/graph_settings.h"

#include "core/memory_settings_store.h"

#include <gtest/gtest.h>

using namespace lumetra::graph;
using lumetra::core::MemorySettingsStore;

TEST(GraphSettings, DefaultsWhenNothingIsStored)
{
    const MemorySettingsStore store;
    const GraphSettings settings = loadGraphSettings(store);
    GraphEnvironment expected;
    expected.interval = 10;
    EXPECT_EQ(settings.environment, expected);
    for (GraphKind kind : {GraphKind::Memory, GraphKind::Time}) {
        const GraphKindSettings& k = settings.of(kind);
        EXPECT_EQ(k.maxText, "10");
        EXPECT_EQ(k.minText, "-10");
        EXPECT_EQ(k.scaleMode, ScaleMode::Automatic);
        EXPECT_FALSE(k.separateGraphs);
        EXPECT_EQ(k.colours, (ChannelColours {0xB5FFE7, 0xDEFF94, 0xFF69FF, 0xD6D7D6}));
        for (int n = 0; n < kMaxChannels; ++n)
            EXPECT_EQ(defaultChannelColour(kind, n), k.colours[static_cast<std::size_t>(n)]);
    }
}

TEST(GraphSettings, SavedValuesLandUnderTheirNamesAndLoadBack)
{
    GraphSettings settings;
    settings.environment.interval = 250;
    settings.memory = {"100", "-0.5", ScaleMode::Manual, true, {1, 2, 3, 4}};
    settings.time = {"7", "3", ScaleMode::Automatic, false, {5, 6, 7, 8}};
    MemorySettingsStore store;
    saveGraphSettings(store, settings);

    using Value = MemorySettingsStore::StoredValue;
    EXPECT_EQ(store.stored("Graph Env", "Graph Interval"), Value {250});
    EXPECT_EQ(store.stored("Graph Env", "Min Graph Value"), Value {std::string("-0.5")});
    EXPECT_EQ(store.stored("Graph Env", "Max TimeGraph Value"), Value {std::string("7")});
    EXPECT_EQ(store.stored("Graph Env", "Graph Scale Mode"), Value {1});
    EXPECT_EQ(store.stored("Graph Env", "TimeGraph Scale Mode"), Value {0});
    EXPECT_EQ(store.stored("Graph Env", "Graph Selection Mode"), Value {1});
    EXPECT_EQ(store.stored("Graph Color", "MG Ch4 Color"), Value {4});
    EXPECT_EQ(store.stored("Graph Color", "TG Ch1 Color"), Value {5});

    GraphSettings expected = settings;
    expected.environment = GraphEnvironment {};
    expected.environment.interval = 250;
    EXPECT_EQ(loadGraphSettings(store), expected);
}

TEST(GraphSettings, OnlyModeOneChoosesManualScaleOrSeparateGraphs)
{
    MemorySettingsStore store;
    store.writeInt("Graph Env", "Graph Scale Mode", 2);
    store.writeInt("Graph Env", "TimeGraph Selection Mode", 5);
    const GraphSettings settings = loadGraphSettings(store);
    EXPECT_EQ(settings.memory.scaleMode, ScaleMode::Automatic);
    EXPECT_FALSE(settings.time.separateGraphs);
}

TEST(GraphSettings, StoredScaleBoundsAreTheBoundTextsOrElseTenEitherSide)
{
    GraphKindSettings settings;
    settings.maxText = "-5";
    settings.minText = "0x10";
    EXPECT_EQ(storedScaleBounds(settings), (ScaleBounds {16.0, -5.0}));
    settings.maxText = "2.5";
    EXPECT_EQ(storedScaleBounds(settings), (ScaleBounds {16.0, 2.5}));
    for (const auto& [maxText, minText] : {std::pair {"", "-10"}, {"3", "3"}, {"7", ""}}) {
        settings.maxText = maxText;
        settings.minText = minText;
        EXPECT_EQ(storedScaleBounds(settings), (ScaleBounds {10.0, -10.0})) << maxText << " / " << minText;
    }
}
