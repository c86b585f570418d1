// The data-flash commands in the desktop application on a simulated F2834x: the menu entries follow the row and
// the loaded program, the dialog through a write with its log and closing, the success message posted by the
// worker, and Cancel from the dialog. The simulator stops the worker at a known frame until the test has looked or
// pressed, and its clock makes the waits free, so nothing depends on the speed of either thread.
#include "app/app_test_doubles.h"
#include "app/ui/desktop_application.h"
#include "app/ui/main_window.h"
#include "core/memory_settings_store.h"
#include "programming/data_flash_command.h"
#include "programming/ui/data_flash_dialog.h"
#include "programming_run_watch.h"
#include "sim/in_process_transport.h"
#include "sim/pod_simulator.h"
#include "sim/simulated_clock.h"
#include "support/coff_writer.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

namespace lumetra::app::ui {
namespace {

using programming::DataFlashResult;

constexpr int kF28346 = 36;

// A C28x program of 12 K words in L0 to L5 RAM: a boot table of 97 pages.
QString writeLargeProgram(const QTemporaryDir& folder)
{
    std::vector<std::uint16_t> words(0x3000);
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<std::uint16_t>(i * 0x9E37u);
    const QString path = folder.filePath(QStringLiteral("large.out"));
    lumetra::test::CoffWriter()
        .addSection(lumetra::test::CoffSection::withData(".text", 0x8000, words))
        .writeTo(path.toStdString());
    return path;
}

class DataFlashUiTest : public ::testing::Test {
protected:
    void start(int device)
    {
        store.writeInt("Main Configuration", "MicroTime Length", 7);
        store.writeInt("Main Configuration", "CPU TYPE", device);
        desktop = std::make_unique<DesktopApplication>(
            store, transports, instance, std::filesystem::path(scratch.path().toStdString()), &prompts);
        desktop->setImageSetLocations({LUMETRA_SIMULATION_IMAGES, true});
        ASSERT_EQ(desktop->start(), StartResult::Started);
    }

    // A run left at the hold point by a failed test must not keep the worker from ending.
    void TearDown() override { simulator.resume(); }

    const MainActions& actions() { return desktop->window().actions(); }
    programming::ui::DataFlashDialog& dialog() { return desktop->dataFlashDialog(); }
    QPushButton* button() { return dialog().findChild<QPushButton*>(QStringLiteral("dataFlashButton")); }
    bool lastLineIs(std::string_view line)
    {
        const auto& lines = dialog().model().lines();
        return !lines.empty() && lines.back() == line;
    }

    // Calls `during` whenever the modal dialog lets events through.
    void runWithWatcher(QAction* command, const std::function<void()>& during)
    {
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, during);
        watcher.start(0);
        command->trigger();
    }

    core::MemorySettingsStore store;
    sim::SimulatedClock clock;
    sim::PodSimulator simulator {sim::SimConfig {.chip = sim::ChipConfig {kF28346}}, clock};
    sim::InProcessTransportFactory transports {simulator};
    test::AlwaysFirstInstance instance;
    test::RecordingPrompts prompts;
    QTemporaryDir scratch;
    std::unique_ptr<DesktopApplication> desktop;
};

TEST_F(DataFlashUiTest, EntriesNeedAProgramOnAnF2834xRow)
{
    start(35);
    desktop->openCoffFile(QStringLiteral(LUMETRA_DEMO_COFF));
    EXPECT_TRUE(actions().sciBoot->isEnabled());
    EXPECT_FALSE(actions().dataFlashWrite->isEnabled());
    desktop.reset();
    start(kF28346);
    EXPECT_FALSE(actions().dataFlashErase->isEnabled());
    desktop->openCoffFile(QStringLiteral(LUMETRA_DEMO_COFF));
    for (QAction* action : {actions().dataFlashErase, actions().dataFlashWrite, actions().dataFlashWriteVerify})
        EXPECT_TRUE(action->isEnabled());
}

TEST_F(DataFlashUiTest, WriteShowsTheLogAndEndsWithTheSuccessMessage)
{
    start(kF28346);
    desktop->openCoffFile(writeLargeProgram(scratch));
    ASSERT_GT(desktop->core().image().dataFlashImage().length(), 0x6000u);
    // The run stops after the 41st of its 97 pages until the dialog has been seen there.
    simulator.holdAfter({":73", 40});
    bool pictured = false;
    runWithWatcher(actions().dataFlashWrite, [&] {
        if (pictured || !simulator.holding() || !dialog().isVisible()
            || !lastLineIs("[INFO]: Data Flash Programing is starting..") || dialog().model().percent() != 41)
            return;
        pictured = true;
        saveScreenshot(dialog(), "data-flash-write.png");
        simulator.resume();
    });
    EXPECT_TRUE(pictured);
    EXPECT_EQ(dialog().windowTitle(), QStringLiteral("DSP2834x 데이터 플래시 Write"));
    EXPECT_TRUE(lastLineIs("[INFO]: Data Flash Programing is OK"));
    EXPECT_EQ(button()->text(), QStringLiteral("확인"));
    EXPECT_FALSE(dialog().isVisible()); // closed by its timer
    const std::string_view success = programming::dataFlashSuccessMessage(link::DataFlashMode::Write);
    EXPECT_TRUE(eventsUntil([&] { return !prompts.messages.empty(); }));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, success);
    const auto image = desktop->core().image().dataFlashImage().bytes();
    EXPECT_EQ(simulator.dataFlash(0, static_cast<std::uint32_t>(image.size())),
        std::vector<std::uint8_t>(image.begin(), image.end()));
    EXPECT_FALSE(desktop->core().programmingFlags().active());
    const QString log = dialog().findChild<QPlainTextEdit*>(QStringLiteral("dataFlashLog"))->toPlainText();
    EXPECT_TRUE(log.startsWith(QStringLiteral("[INFO]: SCI BOOT Staring...\n")));
}

TEST_F(DataFlashUiTest, CancelFromTheDialogEndsTheRunWithoutAMessage)
{
    start(kF28346);
    desktop->openCoffFile(QStringLiteral(LUMETRA_DEMO_COFF));
    // The run stops at the first word of the algorithm until Cancel has been pressed.
    simulator.holdAfter({"S"});
    bool pressed = false;
    runWithWatcher(actions().dataFlashWriteVerify, [&] {
        if (pressed || !simulator.holding() || !lastLineIs("[INFO]: Algorithm Code Downloading..")
            || !button()->isEnabled())
            return;
        button()->click();
        pressed = true;
        simulator.resume();
    });
    EXPECT_TRUE(pressed);
    EXPECT_TRUE(lastLineIs("[INFO]: Selected Action is canceled"));
    EXPECT_FALSE(desktop->core().mainFrame().link().connected());
    desktop->dataFlash().join();
    QApplication::processEvents();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(desktop->core().programmingFlags().active());
}

} // namespace
} // namespace lumetra::app::ui
