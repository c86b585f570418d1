#include "app/app_test_doubles.h"
#include "app/ui/desktop_application.h"
#include "app/ui/graph_windows.h"
#include "app/ui/main_window.h"
#include "core/memory_settings_store.h"
#include "graph/ui/acquisition_indicator.h"
#include "graph/ui/graph_item_dialog.h"
#include "graph/ui/graph_status_bar.h"
#include "graph/ui/graph_window.h"
#include "graph/ui/strip_chart_widget.h"
#include "sim/demo_target.h"
#include "sim/in_process_transport.h"
#include "sim/pod_simulator.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace lumetra::app::ui {
namespace {

using graph::GraphKind;
using graph::GraphStatusPaneRole;
using graph::ui::GraphWindow;

constexpr std::uint32_t kIntType = 4;
constexpr std::uint32_t kShortType = 3;
constexpr std::uint32_t kUnsignedIntType = 14;

// Runs the event loop until `done` holds or five seconds have passed.
bool waitUntil(const std::function<bool()>& done)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// The entry of a graph window's menu bar with that text.
QAction* menuEntry(GraphWindow& window, const QString& text)
{
    for (QAction* menu : window.menuBar()->actions())
        for (QAction* entry : menu->menu()->actions())
            if (entry->text() == text)
                return entry;
    return nullptr;
}

// Saves what the window looks like when LUMETRA_SCREENSHOT_DIR names a folder.
void saveScreenshot(QWidget& window, const char* name)
{
    const QString folder = qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        window.grab().save(folder + QLatin1Char('/') + QLatin1String(name));
}

class GraphWindowTest : public ::testing::Test {
protected:
    GraphWindowTest()
    {
        store.writeInt("Main Configuration", "MicroTime Length", 7);
        sim::configureDemoTarget(simulator);
        desktop = std::make_unique<DesktopApplication>(
            store, transports, instance, std::filesystem::path(scratch.path().toStdString()), &prompts);
        EXPECT_EQ(desktop->start(), StartResult::Started);
        desktop->openCoffFile(QStringLiteral(LUMETRA_DEMO_COFF));
    }

    GraphWorkspace& graphs() { return desktop->core().graphs(); }
    const MainActions& actions() { return desktop->window().actions(); }

    core::MemorySettingsStore store;
    sim::PodSimulator simulator;
    sim::InProcessTransportFactory transports {simulator};
    test::AlwaysFirstInstance instance;
    test::RecordingPrompts prompts;
    QTemporaryDir scratch;
    std::unique_ptr<DesktopApplication> desktop;
};

TEST_F(GraphWindowTest, AMemoryGraphOfTheDemoBufferPlotsEveryElementAndEnds)
{
    graphs().memorySelection() = {{"ScopeBuffer", 0x8100, 1000, kIntType, 3}};
    graphs().settings().environment = {GraphKind::Memory, graph::ScaleMode::Automatic, 10, 1000, 0, 0.0, 0.0};

    GraphWindow* window = desktop->graphWindows().openWindow(GraphKind::Memory);
    ASSERT_NE(window, nullptr);
    QProgressBar* progress = window->graphStatusBar()->progressBar();
    ASSERT_NE(progress, nullptr);
    int furthest = 0;
    QObject::connect(progress, &QProgressBar::valueChanged, [&](int value) { furthest = std::max(furthest, value); });
    EXPECT_EQ(window->windowTitle(), QStringLiteral("메모리 그래프"));
    EXPECT_TRUE(window->session().acquiring());
    EXPECT_FALSE(window->pane(0)->interactive()) << "clicks are discarded while acquiring";
    EXPECT_FALSE(actions().addressMonitoring->isEnabled()) << "the monitors wait while a graph acquires";

    ASSERT_TRUE(waitUntil([&] { return !window->session().acquiring(); }));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(window->session().sampleCounter(), 1000u);
    EXPECT_EQ(furthest, 1000);
    EXPECT_EQ(progress->maximum(), 1000);
    const graph::ui::StripChartWidget& pane = *window->pane(0);
    ASSERT_EQ(pane.dataLineCount(), 1);
    ASSERT_NE(pane.model().linePoints(0), nullptr);
    EXPECT_EQ(pane.model().linePoints(0)->size(), 1000u);
    EXPECT_GT(pane.lineMaximum(0), 10000.0);
    EXPECT_LT(pane.lineMinimum(0), -10000.0);
    EXPECT_TRUE(pane.interactive());
    EXPECT_TRUE(pane.isVisible());
    for (int hidden = 1; hidden < graph::kMaxChannels; ++hidden)
        EXPECT_FALSE(window->pane(hidden)->isVisible());
    EXPECT_TRUE(actions().addressMonitoring->isEnabled());
    saveScreenshot(*window, "memory-graph.png");
}

TEST_F(GraphWindowTest, ATimeGraphAcquiresInOnePanePerChannelUntilStoppedOrClosed)
{
    graphs().timeSelection() = {{"Torque", 0x8024, kShortType, 3}, {"Counter", 0x8000, kUnsignedIntType, 3}};
    graphs().settings().time.separateGraphs = true;
    graphs().settings().environment = {GraphKind::Time, graph::ScaleMode::Automatic, 10, 0, 0, 0.0, 0.0};

    GraphWindow* window = desktop->graphWindows().openWindow(GraphKind::Time);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("시간 그래프"));
    EXPECT_TRUE(window->graphStatusBar()->indicator()->running());
    ASSERT_TRUE(waitUntil([&] { return window->session().sampleCounter() >= 20; }));
    EXPECT_TRUE(window->pane(0)->isVisible());
    EXPECT_TRUE(window->pane(1)->isVisible());
    EXPECT_FALSE(window->pane(2)->isVisible());
    EXPECT_EQ(window->pane(0)->height() + window->pane(1)->height(), window->centralWidget()->height());
    EXPECT_EQ(window->pane(1)->geometry().top(), window->pane(0)->geometry().bottom() + 1);
    EXPECT_FALSE(actions().addressMonitoring->isEnabled());
    saveScreenshot(*window, "time-graph.png");

    QAction* stop = menuEntry(*window, QStringLiteral("데이타 수집 중지(&T)"));
    ASSERT_NE(stop, nullptr);
    EXPECT_TRUE(stop->isEnabled());
    stop->trigger();
    EXPECT_FALSE(window->session().acquiring());
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_FALSE(window->graphStatusBar()->indicator()->running());
    EXPECT_TRUE(window->pane(1)->interactive());
    EXPECT_TRUE(actions().addressMonitoring->isEnabled());

    menuEntry(*window, QStringLiteral("데이타 수집 시작(&S)"))->trigger();
    EXPECT_TRUE(window->session().acquiring());
    EXPECT_FALSE(actions().addressMonitoring->isEnabled());
    window->close();
    ASSERT_TRUE(waitUntil([&] { return desktop->graphWindows().windows().isEmpty(); }));
    EXPECT_FALSE(graphs().anyAcquiring());
    EXPECT_FALSE(desktop->core().linkState().graphAcquiring()) << "closing while acquiring clears the flag";
    EXPECT_TRUE(actions().addressMonitoring->isEnabled());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(GraphWindowTest, StoppingEveryGraphWindowShowsInTheWindows)
{
    graphs().timeSelection() = {{"Counter", 0x8000, kUnsignedIntType, 3}};
    graphs().settings().environment = {GraphKind::Time, graph::ScaleMode::Automatic, 10, 0, 0, 0.0, 0.0};
    GraphWindow* window = desktop->graphWindows().openWindow(GraphKind::Time);
    ASSERT_NE(window, nullptr);
    QAction* redraw = menuEntry(*window, QStringLiteral("다시 그리기(&R)"));
    ASSERT_NE(redraw, nullptr);
    EXPECT_FALSE(redraw->isEnabled());

    graphs().stopAllAcquisition();
    EXPECT_TRUE(redraw->isEnabled()) << "Ctrl+R works again at once";
    EXPECT_FALSE(window->graphStatusBar()->indicator()->running());
    EXPECT_TRUE(window->pane(0)->interactive());
}

TEST_F(GraphWindowTest, CtrlGOpensTheMemoryItemDialogAndCancelOpensNoWindow)
{
    QAction* memoryGraph = actions().memoryGraph;
    EXPECT_TRUE(memoryGraph->isEnabled());
    EXPECT_EQ(memoryGraph->shortcut(), QKeySequence(QStringLiteral("Ctrl+G")));
    EXPECT_TRUE(actions().timeGraph->isEnabled());
    QString shownTitle;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<graph::ui::GraphItemDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shownTitle = dialog->windowTitle();
        EXPECT_GT(dialog->symbolList()->count(), 0) << "the open program's symbols are offered";
        dialog->reject();
    });
    memoryGraph->trigger();
    EXPECT_EQ(shownTitle, QStringLiteral("그래프 환경 설정"));
    EXPECT_TRUE(desktop->graphWindows().windows().isEmpty());
}

} // namespace
} // namespace lumetra::app::ui
