// The application's data-flash commands: the end of a run, good or bad, leaves its line in "메시지 정보".
#include "app_test_doubles.h"

#include "app/data_flash_commands.h"
#include "programming/image_set_file.h"
#include "programming/simulation_images.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lumetra::app::test {
namespace {

class QuietDialog final : public programming::DataFlashDialogPort {
public:
    void setRange(std::uint64_t) override { }
    void setPosition(std::uint64_t) override { }
    void log(std::string_view) override { }
    void setButtonEnabled(bool) override { }
    void finish(programming::DataFlashResult) override { }
};

// Runs the worker to its end inside the modal call, as the dialog would before it closes.
class WaitingHost final : public programming::DataFlashDialogHost {
public:
    void runModal(std::string_view, programming::DataFlashJob job) override
    {
        commands->startRun(std::move(job));
        commands->join();
    }
    DataFlashCommands* commands = nullptr;
};

class DataFlashCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        harness.store.writeInt("Main Configuration", "CPU TYPE", 38);
        Application& app = harness.start();
        app.activityLog().attach([this](std::string_view line) { lines.emplace_back(line); },
            [] { return core::ClockTime {12, 34, 56}; });
        app.mainFrame().linkConfig().portType = core::PortType::Serial;
        harness.pod.configure([](sim::SimConfig& config) { config.chip = sim::ChipConfig {38}; });
        const std::filesystem::path simulation = harness.scratch.path() / "simulation";
        std::filesystem::create_directories(simulation);
        std::ofstream(simulation / programming::kImageSetFileName)
            << programming::formatImageSet(programming::simulationImageSet());
        writeTestCoff(harness.scratch.path() / "program.out", 0x9000);
        app.OpenByPath(harness.scratch.path() / "program.out");
        commands.emplace(app, host, dialog, ImageSetLocations {simulation, true},
            [this](std::function<void()> call) { posted.push_back(std::move(call)); });
        host.commands = &*commands;
        lines.clear();
    }

    // Runs what the worker handed to the user interface thread.
    void runPosted()
    {
        for (auto& call : std::exchange(posted, {}))
            call();
    }

    AppHarness harness;
    QuietDialog dialog;
    WaitingHost host;
    std::vector<std::function<void()>> posted;
    std::optional<DataFlashCommands> commands;
    std::vector<std::string> lines;
};

TEST_F(DataFlashCommandsTest, FailureAndSuccessBothLeaveALine)
{
    harness.pod.injectFault({.kind = sim::FaultKind::NoReply, .command = 'P', .count = -1});
    commands->run(link::DataFlashMode::Write);
    runPosted();
    EXPECT_EQ(lines, (std::vector<std::string> {"[12:34:56] DSP2834x 데이터 플래시 Write: [ERROR]: SCI BOOT is failed"}));

    lines.clear();
    harness.pod.clearFaults();
    commands->run(link::DataFlashMode::Erase);
    runPosted();
    EXPECT_EQ(lines, (std::vector<std::string> {"[12:34:56] DSP2834x 데이터 플래시 Erase 완료"}));
}

} // namespace
} // namespace lumetra::app::test
