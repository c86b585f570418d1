#include "app_test_doubles.h"

#include "graph/items/graph_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace lumetra;
using namespace lumetra::app;
using namespace lumetra::app::test;

namespace {

const graph::CGraphObject kBuffer {"ScopeBuffer", 0x8100, 1000, 4, 3};
const graph::CTimeGraphObject kTorque {"Torque", 0x8024, 3, 3};

TEST(GraphWorkspace, StartLoadsTheCataloguesAndSettingsAndExitStoresTheRunsChanges)
{
    AppHarness h;
    ASSERT_EQ(graph::saveGraphCatalogue(h.scratch.path(), std::vector {kBuffer}), graph::GraphFileSaveStatus::Ok);
    h.store.writeInt("Graph Env", "Graph Interval", 25);
    h.store.writeText("Graph Env", "Max Graph Value", "7");
    h.start();
    GraphWorkspace& graphs = h.app->graphs();
    EXPECT_EQ(graphs.memoryCatalogue(), std::vector {kBuffer});
    EXPECT_TRUE(graphs.timeCatalogue().empty());
    EXPECT_EQ(graphs.settings().environment.interval, 25);
    EXPECT_EQ(graphs.settings().memory.maxText, "7");

    graphs.timeCatalogue().push_back(kTorque);
    graphs.settings().memory.maxText = "3.5";
    graphs.settings().time.colours[3] = 0x123456;
    h.app->Exit();

    EXPECT_EQ(graph::loadGraphCatalogue<graph::CTimeGraphObject>(h.scratch.path()).items, std::vector {kTorque});
    EXPECT_EQ(graph::loadGraphCatalogue<graph::CGraphObject>(h.scratch.path()).items, std::vector {kBuffer});
    EXPECT_EQ(h.store.readText("Graph Env", "Max Graph Value", ""), "3.5");
    EXPECT_EQ(h.store.readInt("Graph Color", "TG Ch4 Color", 0), 0x123456);
}

TEST(GraphWorkspace, ADamagedCatalogueIsReportedOnce)
{
    AppHarness h;
    const auto bytes = graph::encodeGraphFile(std::vector {kBuffer, kBuffer});
    if (!bytes)
        GTEST_SKIP() << "no code page 949 converter";
    std::ofstream(h.scratch.path() / graph::kMemoryGraphFileName, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size() - 5));
    std::vector<std::string> lines;
    h.make().activityLog().attach(
        [&lines](std::string_view line) { lines.emplace_back(line); }, [] { return core::ClockTime {}; });
    h.app->Start();

    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(graph::kMemoryGraphFileName), std::string::npos) << lines[0];
    EXPECT_EQ(h.app->graphs().memoryCatalogue(), std::vector {kBuffer}) << "the item before the damage";
    EXPECT_TRUE(h.prompts.messages.empty());
}

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST(GraphWorkspace, ADamagedCatalogueKeepsItsIntactItemsAndIsNeverLostAtExit)
{
    const graph::CGraphObject second {"SineTable", 0x8400, 64, 4, 1};
    const auto bytes = graph::encodeGraphFile(std::vector {kBuffer, second});
    if (!bytes)
        GTEST_SKIP() << "no code page 949 converter";
    const std::vector<std::uint8_t> damaged(bytes->begin(), bytes->end() - 5); // the second item cut short

    for (const bool changed : {false, true}) {
        AppHarness h;
        const std::filesystem::path file = h.scratch.path() / graph::kMemoryGraphFileName;
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(damaged.data()), static_cast<std::streamsize>(damaged.size()));
        h.start();
        EXPECT_EQ(h.app->graphs().memoryCatalogue(), std::vector {kBuffer});
        if (changed)
            h.app->graphs().memoryCatalogue().push_back(second);
        h.app->Exit();

        const std::filesystem::path backup = graph::damagedCatalogueBackup<graph::CGraphObject>(h.scratch.path());
        if (changed) {
            EXPECT_EQ(fileBytes(backup), damaged);
            EXPECT_EQ(graph::loadGraphCatalogue<graph::CGraphObject>(h.scratch.path()).items,
                (std::vector {kBuffer, second}));
        } else {
            EXPECT_EQ(fileBytes(file), damaged) << "an unchanged catalogue leaves its damaged file alone";
            EXPECT_FALSE(std::filesystem::exists(backup));
        }
    }
}

TEST(GraphWorkspace, ARunThatStoresNoFilesLeavesTheApplicationDirectoryAsItWas)
{
    AppHarness h;
    ASSERT_EQ(graph::saveGraphCatalogue(h.scratch.path(), std::vector {kBuffer}), graph::GraphFileSaveStatus::Ok);
    h.make().setStoresFiles(false);
    h.app->Start();
    h.app->graphs().memoryCatalogue().clear();
    h.app->graphs().timeCatalogue().push_back(kTorque);
    h.app->registeredVariables().push_back(image::CDataObject {});
    h.app->Exit();

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(h.scratch.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string> {std::string(graph::kMemoryGraphFileName)});
    EXPECT_EQ(graph::loadGraphCatalogue<graph::CGraphObject>(h.scratch.path()).items, std::vector {kBuffer});
}

TEST(GraphWorkspace, AWindowCopiesTheSelectionOfItsKindAndNeedsOne)
{
    AppHarness h;
    h.start();
    GraphWorkspace& graphs = h.app->graphs();
    EXPECT_FALSE(graphs.sessionSetup(graph::GraphKind::Memory));
    graphs.timeSelection() = {kTorque};
    graphs.settings().time.separateGraphs = true;
    graphs.settings().time.colours = {1, 2, 3, 4};
    graphs.settings().environment.interval = 50;

    const auto setup = graphs.sessionSetup(graph::GraphKind::Time);
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->environment.kind, graph::GraphKind::Time);
    EXPECT_EQ(setup->environment.interval, 50);
    EXPECT_TRUE(setup->selectionMode);
    EXPECT_EQ(setup->colours, (graph::ChannelColours {1, 2, 3, 4}));
    ASSERT_EQ(setup->channels.size(), 1u);
    EXPECT_EQ(setup->channels[0].label, "Torque");
    EXPECT_EQ(setup->channels[0].length, 0u);
    EXPECT_FALSE(graphs.sessionSetup(graph::GraphKind::Memory)) << "the memory selection is still empty";
}

TEST(GraphWorkspace, AnAutomaticWindowCarriesTheStoredBoundsForItsManualScaleDialog)
{
    AppHarness h;
    h.start();
    GraphWorkspace& graphs = h.app->graphs();
    graphs.timeSelection() = {kTorque};
    graphs.settings().time.maxText = "100";
    graphs.settings().time.minText = "-32";
    const auto automatic = graphs.sessionSetup(graph::GraphKind::Time);
    ASSERT_TRUE(automatic);
    EXPECT_EQ(automatic->environment.maximum, 100.0);
    EXPECT_EQ(automatic->environment.minimum, -32.0);

    // A manual window keeps the bounds its item dialog accepted.
    graphs.settings().environment.scaleMode = graph::ScaleMode::Manual;
    graphs.settings().environment.maximum = 4.0;
    graphs.settings().environment.minimum = 1.0;
    EXPECT_EQ(graphs.sessionSetup(graph::GraphKind::Time)->environment.maximum, 4.0);
}

} // namespace
