#include "app/app_test_doubles.h"
#include "app/ui/desktop_application.h"
#include "app/ui/graph_windows.h"
#include "app/ui/main_window.h"
#include "core/memory_settings_store.h"
#include "graph/session/graph_texts.h"
#include "graph/ui/acquisition_indicator.h"
#include "graph/ui/graph_entry_dialog.h"
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
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <deque>
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

// Saves the screen with the window's first menu open when LUMETRA_SCREENSHOT_DIR names a folder.
void saveScreenshotWithMenu(GraphWindow& window, const char* name)
{
    const QString folder = qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR");
    if (folder.isEmpty() || !window.screen())
        return;
    QMenu* menu = window.menuBar()->actions().first()->menu();
    menu->popup(window.mapToGlobal(window.menuBar()->geometry().bottomLeft()));
    waitUntil([&] { return menu->isVisible(); });
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    window.screen()->grabWindow(0).save(folder + QLatin1Char('/') + QLatin1String(name));
    menu->hide();
}

// Answers the save dialogs with the paths given, in order, and keeps what each dialog was opened with.
class ScriptedFileChooser final : public core::FileChooser {
public:
    std::optional<std::string> chooseSaveFile(const core::SaveFileRequest& request) override
    {
        requests.push_back({std::string(request.filter), std::string(request.defaultExtension), request.folder});
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    struct Request {
        std::string filter;
        std::string extension;
        std::string folder;
    };
    std::deque<std::optional<std::string>> answers;
    std::vector<Request> requests;
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

    // A graph window of the demo's 1000-element buffer, read to its end, whose save dialogs are `files`.
    std::unique_ptr<GraphWindow> finishedMemoryGraph()
    {
        graphs().memorySelection() = {{"ScopeBuffer", 0x8100, 1000, kIntType, 3}};
        graphs().settings().environment = {GraphKind::Memory, graph::ScaleMode::Automatic, 10, 1000, 0, 0.0, 0.0};
        auto window = std::make_unique<GraphWindow>(*graphs().sessionSetup(GraphKind::Memory),
            graph::ui::GraphWindowPorts {desktop->core().mainFrame().link(), graphs().host(), prompts,
                graphs().registry(), exportFolders, &files});
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->showAndOpen(desktop->window().frameGeometry());
        EXPECT_TRUE(waitUntil([&] { return !window->session().acquiring(); }));
        return window;
    }

    QString scratchFile(const char* name) const { return scratch.filePath(QLatin1String(name)); }
    const MainActions& actions() { return desktop->window().actions(); }

    core::MemorySettingsStore store;
    sim::PodSimulator simulator;
    sim::InProcessTransportFactory transports {simulator};
    test::AlwaysFirstInstance instance;
    test::RecordingPrompts prompts;
    QTemporaryDir scratch;
    std::unique_ptr<DesktopApplication> desktop;
    core::GraphEnv exportFolders;
    ScriptedFileChooser files;
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
    EXPECT_EQ(window->graphStatusBar()->paneText(GraphStatusPaneRole::Lag).toStdString(),
        graph::sampleLagText(window->session().sampleLag()));
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

TEST_F(GraphWindowTest, ManualScaleOpensWithTheStoredBoundsUnderItsWholeTitle)
{
    graphs().timeSelection() = {{"Counter", 0x8000, kUnsignedIntType, 3}};
    graphs().settings().environment = {GraphKind::Time, graph::ScaleMode::Automatic, 10, 0, 0, 0.0, 0.0};
    GraphWindow* window = desktop->graphWindows().openWindow(GraphKind::Time);
    ASSERT_NE(window, nullptr);
    graphs().stopAllAcquisition();
    QString minimum;
    QString maximum;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<graph::ui::GraphEntryDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        minimum = dialog->edit(0)->text();
        maximum = dialog->edit(1)->text();
        QFont caption = dialog->font();
        caption.setBold(true);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("그래프 최소, 최대값 설정"));
        EXPECT_GE(dialog->width(), QFontMetrics(caption).horizontalAdvance(dialog->windowTitle()) + 100)
            << "room for the whole caption beside the title bar's buttons";
        saveScreenshot(*dialog, "manual-scale-dialog.png");
        dialog->accept();
    });
    menuEntry(*window, QStringLiteral("수동 Scale(&U)..."))->trigger();
    EXPECT_EQ(minimum, QStringLiteral("-10.000"));
    EXPECT_EQ(maximum, QStringLiteral("10.000"));
    EXPECT_TRUE(prompts.messages.empty()) << "OK at once is accepted";
    EXPECT_EQ(window->session().scaleMode(), graph::ScaleMode::Manual);
    EXPECT_EQ(window->session().maximum(), 10.0);
}

TEST_F(GraphWindowTest, EachNewGraphWindowIsCascadedFromTheOpenOnes)
{
    graphs().timeSelection() = {{"Counter", 0x8000, kUnsignedIntType, 3}};
    graphs().settings().environment = {GraphKind::Time, graph::ScaleMode::Automatic, 10, 0, 0, 0.0, 0.0};
    const auto open = [&] {
        GraphWindow* window = desktop->graphWindows().openWindow(GraphKind::Time);
        graphs().stopAllAcquisition();
        return window;
    };
    // The platform may shift a frame by its margins: a few pixels either way.
    const auto near = [](QPoint a, QPoint b) { return (a - b).manhattanLength() <= 4; };
    GraphWindow* first = open();
    GraphWindow* second = open();
    ASSERT_TRUE(first && second);
    // Down and right, or up and left where the screen has no room below.
    const QPoint step = second->pos() - first->pos();
    EXPECT_TRUE(near(step, QPoint(30, 30)) || near(step, QPoint(-30, -30))) << step.x() << "," << step.y();

    second->close(); // its place is free again
    ASSERT_TRUE(waitUntil([&] { return desktop->graphWindows().windows().size() == 1; }));
    GraphWindow* third = open();
    ASSERT_NE(third, nullptr);
    EXPECT_TRUE(near(third->pos(), first->pos() + step)) << third->pos().x() << "," << third->pos().y();
    EXPECT_TRUE(prompts.messages.empty());
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

TEST_F(GraphWindowTest, TheExportsAreGreyedWhileAcquiringAndWriteEveryFormatAfterwards)
{
    graphs().timeSelection() = {{"Counter", 0x8000, kUnsignedIntType, 3}};
    graphs().settings().environment = {GraphKind::Time, graph::ScaleMode::Automatic, 10, 0, 0, 0.0, 0.0};
    GraphWindow* acquiring = desktop->graphWindows().openWindow(GraphKind::Time);
    ASSERT_NE(acquiring, nullptr);
    for (const char* text : {"그래프 인쇄(&P)...", "메타파일로 저장(&M)...", "텍스트파일로 저장...",
             "CSV 파일로 저장...", "SVG로 저장...", "PDF로 저장...", "PNG로 저장..."}) {
        QAction* entry = menuEntry(*acquiring, QString::fromUtf8(text));
        ASSERT_NE(entry, nullptr) << text;
        EXPECT_FALSE(entry->isEnabled()) << text;
    }
    acquiring->close();

    const std::unique_ptr<GraphWindow> window = finishedMemoryGraph();
    saveScreenshotWithMenu(*window, "graph-export-menu.png");
    const std::string folder = scratch.path().toStdString() + "/";
    files.answers = {scratchFile("run.txt").toStdString(), scratchFile("run.csv").toStdString(),
        scratchFile("run.wmf").toStdString(), scratchFile("run.svg").toStdString(),
        scratchFile("run.pdf").toStdString(), scratchFile("run.png").toStdString()};
    for (const char* text : {"텍스트파일로 저장...", "CSV 파일로 저장...", "메타파일로 저장(&M)...", "SVG로 저장...",
             "PDF로 저장...", "PNG로 저장..."}) {
        QAction* entry = menuEntry(*window, QString::fromUtf8(text));
        ASSERT_NE(entry, nullptr) << text;
        EXPECT_TRUE(entry->isEnabled()) << text;
        entry->trigger();
    }
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_EQ(files.requests.size(), 6u);
    EXPECT_EQ(files.requests[0].filter, "텍스트 파일 (*.txt)|*.txt||");
    EXPECT_EQ(files.requests[0].extension, "txt");
    EXPECT_EQ(files.requests[0].folder, "");
    EXPECT_EQ(files.requests[1].folder, folder) << "CSV starts where the text file went";
    EXPECT_EQ(files.requests[2].filter, "Meta Files (*.wmf)|*.wmf||");
    EXPECT_EQ(files.requests[2].folder, "");
    EXPECT_EQ(files.requests[3].folder, folder) << "the pictures start where the metafile went";
    EXPECT_EQ(exportFolders.graphTextDir, folder);
    EXPECT_EQ(exportFolders.metaFileInitDir, folder);

    const QByteArray text = fileBytes(scratchFile("run.txt"));
    EXPECT_TRUE(text.startsWith(QByteArray(74, '-') + "\r\n"));
    EXPECT_TRUE(text.contains("Symbol Name : ScopeBuffer\r\n"));
    EXPECT_TRUE(text.contains("\r\n0999    "));
    EXPECT_FALSE(text.contains("\r\n1000    "));
    EXPECT_TRUE(fileBytes(scratchFile("run.csv")).startsWith("\xEF\xBB\xBF위치,ScopeBuffer\r\n0,"));
    EXPECT_TRUE(fileBytes(scratchFile("run.wmf")).startsWith(QByteArray::fromHex("d7cdc69a")));
    EXPECT_TRUE(fileBytes(scratchFile("run.svg")).contains("<svg"));
    EXPECT_TRUE(fileBytes(scratchFile("run.pdf")).startsWith("%PDF"));
    EXPECT_EQ(QImage(scratchFile("run.png")).size(), window->pane(0)->size());

    files.answers = {std::nullopt};
    menuEntry(*window, QStringLiteral("텍스트파일로 저장..."))->trigger();
    EXPECT_EQ(files.requests.back().folder, folder);
    EXPECT_EQ(exportFolders.graphTextDir, folder) << "Cancel changes nothing";
}

TEST_F(GraphWindowTest, AFailedExportShowsItsMessageAndTheWindowKeepsItsData)
{
    const std::unique_ptr<GraphWindow> window = finishedMemoryGraph();
    files.answers = {scratchFile("absent/run.txt").toStdString(), scratchFile("absent/run.wmf").toStdString()};
    menuEntry(*window, QStringLiteral("텍스트파일로 저장..."))->trigger();
    menuEntry(*window, QStringLiteral("메타파일로 저장(&M)..."))->trigger();
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].text, "텍스트 파일을 생성하는데 실패했읍니다.");
    EXPECT_EQ(prompts.messages[0].icon, core::MessageIcon::Error);
    EXPECT_EQ(prompts.messages[1].text, "메타파일을 생성하는데 실패했읍니다.");
    EXPECT_FALSE(QFile::exists(scratchFile("absent")));
    EXPECT_EQ(window->session().sampleCounter(), 1000u);
    ASSERT_NE(window->pane(0)->model().linePoints(0), nullptr);
    EXPECT_EQ(window->pane(0)->model().linePoints(0)->size(), 1000u);
}

TEST_F(GraphWindowTest, PrintingWithoutADefaultPrinterSaysSo)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    const std::unique_ptr<GraphWindow> window = finishedMemoryGraph();
    QAction* print = menuEntry(*window, QStringLiteral("그래프 인쇄(&P)..."));
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    print->trigger();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "현재 PC에 기본 프린터 정보가 없읍니다.");
    EXPECT_TRUE(files.requests.empty()) << "printing asks for no file";
}

} // namespace
} // namespace lumetra::app::ui
