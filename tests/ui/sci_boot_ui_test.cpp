// "SCI 부트" in the desktop application on the simulated demo target: the progress dialog through the run, its
// result line and closing, the erase window, the notice after a flash download, Cancel from the dialog.
#include "app/app_test_doubles.h"
#include "app/ui/desktop_application.h"
#include "app/ui/main_window.h"
#include "core/memory_settings_store.h"
#include "programming/ui/erase_window.h"
#include "programming/ui/flash_notice_window.h"
#include "programming/ui/progress_dialog.h"
#include "programming_run_watch.h"
#include "sim/demo_program.h"
#include "sim/demo_target.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_clock.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

namespace lumetra::app::ui {
namespace {

using programming::RunResult;

class SciBootTest : public ::testing::Test {
protected:
    explicit SciBootTest(int device = sim::kDemoDeviceRow)
        : simulator {sim::SimConfig {.chip = sim::ChipConfig {device}}, clock}
    {
        store.writeInt("Main Configuration", "MicroTime Length", 7);
        store.writeInt("Main Configuration", "CPU TYPE", device);
        sim::configureDemoTarget(simulator);
        desktop = std::make_unique<DesktopApplication>(
            store, transports, instance, std::filesystem::path(scratch.path().toStdString()), &prompts);
        desktop->setImageSetLocations({LUMETRA_SIMULATION_IMAGES, true});
        EXPECT_EQ(desktop->start(), StartResult::Started);
    }

    QAction* sciBoot() { return desktop->window().actions().sciBoot; }
    programming::ui::ProgressDialog& dialog() { return desktop->progressDialog(); }
    QString caption() { return dialog().findChild<QLabel*>(QStringLiteral("stepCaption"))->text(); }

    // Calls `during` whenever the run lets events through.
    void runWithWatcher(const std::function<void()>& during)
    {
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, during);
        watcher.start(0);
        sciBoot()->trigger();
    }

    core::MemorySettingsStore store;
    sim::SimulatedClock clock;
    sim::PodSimulator simulator;
    sim::InProcessTransportFactory transports {simulator};
    test::AlwaysFirstInstance instance;
    test::RecordingPrompts prompts;
    QTemporaryDir scratch;
    std::unique_ptr<DesktopApplication> desktop;
};

TEST_F(SciBootTest, FlashDownloadOfTheDemoShowsProgressEraseWindowAndNotice)
{
    EXPECT_FALSE(sciBoot()->isEnabled());
    desktop->openCoffFile(QStringLiteral(LUMETRA_DEMO_COFF));
    ASSERT_TRUE(sciBoot()->isEnabled());
    bool sawWriting = false;
    bool sawErase = false;
    bool pictured = false;
    runWithWatcher([&] {
        if (dialog().isVisible() && caption() == QLatin1String("Flash Algorithm Code Downloading...") && !pictured
            && dialog().model().percent() >= 50) {
            pictured = true;
            saveScreenshot(dialog(), "sci-boot-progress.png");
        }
        sawWriting = sawWriting || (dialog().isVisible() && caption() == QLatin1String("Flash Writing..."));
        sawErase = sawErase || desktop->progressDialog().eraseWindow().isVisible();
    });
    EXPECT_TRUE(sawErase);
    EXPECT_EQ(desktop->sciBoot().lastOutcome().result, RunResult::FlashWritingCompleted);
    EXPECT_TRUE(sawWriting);
    EXPECT_EQ(caption(), QStringLiteral(" [ Flash Writing Completed ]"));
    EXPECT_EQ(dialog().findChild<QPushButton*>(QStringLiteral("progressButton"))->text(), QStringLiteral("OK"));
    ASSERT_TRUE(desktop->flashNotice().isVisible());
    saveScreenshot(desktop->flashNotice(), "sci-boot-notice.png");
    EXPECT_TRUE(eventsUntil([&] { return !dialog().isVisible(); }));
    EXPECT_TRUE(eventsUntil([&] { return !desktop->flashNotice().isVisible(); }));
    for (const sim::DemoSection& section : sim::demoSections()) {
        if (section.start >= 0x3D8000 && !section.words.empty()) {
            EXPECT_EQ(simulator.words(section.start, static_cast<std::uint32_t>(section.words.size())), section.words);
        }
    }
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SciBootTest, CancelFromTheDialogEndsTheRun)
{
    desktop->openCoffFile(QStringLiteral(LUMETRA_DEMO_COFF));
    runWithWatcher([&] {
        if (caption() == QLatin1String("Flash Algorithm Code Downloading..."))
            dialog().findChild<QPushButton*>(QStringLiteral("progressButton"))->click();
    });
    EXPECT_EQ(desktop->sciBoot().lastOutcome().result, RunResult::Canceled);
    EXPECT_EQ(caption(), QStringLiteral(" [ Action Canceled ]"));
    EXPECT_FALSE(desktop->flashNotice().isVisible());
    EXPECT_FALSE(desktop->core().mainFrame().link().connected());
    // 1000 ms after an error the dialog closes by itself.
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_TRUE(eventsUntil([&] { return !dialog().isVisible(); }));
}

// The samples are built for other devices than the demo's F2812.
class SciBootF28377STest : public SciBootTest {
protected:
    SciBootF28377STest()
        : SciBootTest(69)
    {
    }
};

TEST_F(SciBootF28377STest, RamDownloadOfASampleShowsNoNotice)
{
    const auto samples = lumetra::test::coffSamplesDir();
    if (!samples)
        GTEST_SKIP() << "no COFF samples";
    desktop->openCoffFile(QString::fromStdString((*samples / "pm_sincos.out").string()));
    sciBoot()->trigger();
    EXPECT_EQ(desktop->sciBoot().lastOutcome().result, RunResult::SerialBootCompleted);
    EXPECT_EQ(caption(), QStringLiteral(" [ Serial Boot Completed ]"));
    EXPECT_FALSE(desktop->flashNotice().isVisible());
}

} // namespace
} // namespace lumetra::app::ui
