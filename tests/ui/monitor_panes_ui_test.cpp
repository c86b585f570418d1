#include "app/app_test_doubles.h"
#include "app/pane_layout.h"
#include "app/status_texts.h"
#include "app/ui/desktop_application.h"
#include "app/ui/main_status_bar.h"
#include "app/ui/main_window.h"
#include "app/window_placement.h"
#include "core/memory_settings_store.h"
#include "image/symbol_file.h"
#include "image/ui/symbol_list_view.h"
#include "monitor/ui/live_table_model.h"
#include "monitor/ui/memory_monitor_pane.h"
#include "monitor/ui/value_entry_dialog.h"
#include "monitor/ui/variable_monitor_pane.h"
#include "sim/in_process_transport.h"
#include "sim/pod_simulator.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

#include <functional>

namespace lumetra::app::ui {
namespace {

using test::AlwaysFirstInstance;

// Runs the event loop until `done` holds or two seconds have passed.
bool waitUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

QAction* entry(QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
        if (action->menu())
            if (QAction* inner = entry(action->menu(), text))
                return inner;
    }
    return nullptr;
}

// The width the view's delegate asks for the column's cells, with the grid line: nothing narrower is elided.
int cellsWidth(const QAbstractItemView& view, int column)
{
    int widest = 0;
    for (int row = 0; row < view.model()->rowCount(); ++row)
        widest = std::max(widest, view.sizeHintForIndex(view.model()->index(row, column)).width() + 1);
    return widest;
}

class MonitorPanesUiTest : public ::testing::Test {
protected:
    MonitorPanesUiTest()
    {
        store.writeInt("Main Configuration", "MicroTime Length", 7);
        store.writeInt("Main Configuration", "Time Interval", 10);
    }

    DesktopApplication& start()
    {
        desktop.reset();
        desktop = std::make_unique<DesktopApplication>(
            store, transports, instance, std::filesystem::path(scratch.path().toStdString()), &prompts);
        EXPECT_EQ(desktop->start(), StartResult::Started);
        return *desktop;
    }

    // A program with the symbol "counter" at 0x8000.
    void openTestProgram(DesktopApplication& d)
    {
        const std::filesystem::path coff = std::filesystem::path(scratch.path().toStdString()) / "program.out";
        test::writeTestCoff(coff, 0x8000);
        d.openCoffFile(QString::fromStdString(coff.string()));
    }

    QString linkPane() const { return desktop->window().mainStatusBar()->paneText(StatusPane::Link); }
    QString variableCell(int row, int column) const
    {
        const auto* model = desktop->variablePane().tableModel();
        return model->data(model->index(row, column)).toString();
    }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> texts;
        for (const auto& message : prompts.messages)
            texts.push_back(message.text);
        return texts;
    }

    core::MemorySettingsStore store;
    sim::PodSimulator simulator;
    sim::InProcessTransportFactory transports {simulator};
    AlwaysFirstInstance instance;
    test::RecordingPrompts prompts;
    QTemporaryDir scratch;
    std::unique_ptr<DesktopApplication> desktop;
};

TEST_F(MonitorPanesUiTest, DoubleClickedSymbolIsMonitoredLiveUntilAReadFails)
{
    store.writeInt("Main Configuration", "CPU TYPE", 26);
    DesktopApplication& d = start();
    openTestProgram(d);
    simulator.setWord(0x8000, 0x0005);

    image::ui::SymbolListView* symbols = d.window().symbolList();
    ASSERT_EQ(symbols->model()->rowCount(), 1);
    emit symbols->doubleClicked(symbols->model()->index(0, 0));
    EXPECT_EQ(linkPane().toStdString(), linkPaneText(true));
    EXPECT_TRUE(d.window().actions().variableMonitoring->isChecked());
    EXPECT_EQ(variableCell(0, 0), QStringLiteral("counter"));
    EXPECT_TRUE(waitUntil([&] { return variableCell(0, 1) == QStringLiteral("5"); }));
    simulator.setWord(0x8000, 0x0006);
    EXPECT_TRUE(waitUntil([&] { return variableCell(0, 1) == QStringLiteral("6"); }));

    // A second double click does not add the variable again.
    emit symbols->doubleClicked(symbols->model()->index(0, 0));
    EXPECT_EQ(d.variablePane().model()->rowCount(), 1);

    simulator.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'R', .count = -1});
    EXPECT_TRUE(waitUntil([&] { return linkPane().toStdString() == linkPaneText(false); }));
    waitUntil([] { return false; });
    EXPECT_EQ(messages(), std::vector<std::string> {std::string(kCommunicationErrorMessage)});
    EXPECT_FALSE(d.window().actions().variableMonitoring->isChecked());
    EXPECT_EQ(variableCell(0, 1), QStringLiteral("6"));
}

TEST_F(MonitorPanesUiTest, DeleteKeyRemovesTheSelectedRowsAndAnEmptyListStopsMonitoring)
{
    DesktopApplication& d = start();
    auto& registered = d.core().registeredVariables();
    registered.push_back(image::CDataObject {"a", 0x8000, 4, "", 0});
    registered.push_back(image::CDataObject {"b", 0x8001, 4, "", 0});
    emit d.registeredListReplaced();
    d.window().actions().variableMonitoring->trigger();
    ASSERT_TRUE(d.core().linkState().variableMonitoring());

    monitor::ui::VariableMonitorPane& pane = d.variablePane();
    ASSERT_EQ(pane.model()->rowCount(), 2);
    pane.selectRow(0);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(&pane, &press);
    ASSERT_EQ(registered.size(), 1u);
    EXPECT_EQ(registered[0].name, "b");
    EXPECT_TRUE(d.core().linkState().variableMonitoring());

    pane.selectRow(0);
    QMenu* menu = pane.buildContextMenu();
    QAction* remove = entry(menu, QStringLiteral("선택 항목 삭제"));
    ASSERT_NE(remove, nullptr);
    remove->trigger();
    EXPECT_TRUE(registered.empty());
    EXPECT_FALSE(d.core().linkState().variableMonitoring());
    EXPECT_EQ(linkPane().toStdString(), linkPaneText(false));
    EXPECT_FALSE(d.window().actions().symbolSave->isEnabled());
    delete menu;
}

TEST_F(MonitorPanesUiTest, MemoryPaneShowsGapsAndItsScrollBarFollowsTheStep)
{
    store.writeInt("Main Configuration", "CPU TYPE", 0);
    store.writeInt("Main Configuration", "Start Data Address", 0x7E);
    DesktopApplication& d = start();
    d.window().resize(900, 700);
    d.window().rightSplitter()->setSizes({200, 400});
    QApplication::processEvents();
    monitor::ui::MemoryMonitorPane& pane = d.memoryPane();
    QScrollBar* bar = pane.scrollBar();
    EXPECT_EQ(bar->width(), monitor::ui::kMemoryScrollBarWidth);
    EXPECT_EQ(bar->maximum(), 0xFFFF);
    EXPECT_EQ(bar->value(), 0x7E);
    ASSERT_GE(d.monitors().memory().rowsPerPage(), 3);
    EXPECT_EQ(bar->pageStep(), d.monitors().memory().rowsPerPage());

    simulator.setWord(0x7F, 0x1234);
    d.window().actions().addressMonitoring->trigger();
    const auto* model = pane.tableModel();
    const auto cell = [model](int row, int column) { return model->data(model->index(row, column)).toString(); };
    ASSERT_TRUE(waitUntil([&] { return model->rowCount() >= 3 && !cell(0, 1).isEmpty(); }));
    EXPECT_EQ(cell(1, 0), QStringLiteral("0x007F"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("0x1234"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("0x0080"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("???"));
    EXPECT_EQ(cell(2, 2), QStringLiteral("???"));

    // A two-word view type halves the scroll range; a line down moves the start by one row of two words.
    QMenu* menu = pane.buildContextMenu();
    QAction* hex32 = entry(menu, QStringLiteral("Hex Decimal (32bit)"));
    ASSERT_NE(hex32, nullptr);
    ASSERT_TRUE(hex32->isEnabled());
    hex32->trigger();
    delete menu;
    EXPECT_EQ(bar->maximum(), 0x7FFF);
    EXPECT_EQ(bar->value(), 0x3F);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(d.monitors().memory().startAddress(), 0x80u);
    EXPECT_EQ(bar->value(), 0x40);
    EXPECT_TRUE(d.core().linkState().addressMonitoring());
    EXPECT_TRUE(messages().empty());
}

TEST_F(MonitorPanesUiTest, StartAddressDialogRefusesAnEmptyEntryAndTakesAHexOne)
{
    store.writeInt("Main Configuration", "CPU TYPE", 0);
    DesktopApplication& d = start();
    std::vector<QString> shownTexts;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<monitor::ui::ValueEntryDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shownTexts.push_back(dialog->windowTitle());
        shownTexts.push_back(dialog->edit()->text());
        dialog->edit()->clear();
        dialog->accept();
        shownTexts.push_back(dialog->isVisible() ? QStringLiteral("open") : QStringLiteral("closed"));
        dialog->edit()->setText(QStringLiteral("100h"));
        dialog->accept();
    });
    d.memoryPane().runStartAddressDialog();
    EXPECT_EQ(shownTexts,
        (std::vector<QString> {
            QStringLiteral("모니터링 시작 주소 설정"), QStringLiteral("0x0000"), QStringLiteral("open")}));
    EXPECT_EQ(messages(), std::vector<std::string> {"주소값을 입력하십시요."});
    EXPECT_EQ(d.monitors().memory().startAddress(), 0x100u);
    EXPECT_EQ(d.memoryPane().scrollBar()->value(), 0x100);
}

TEST_F(MonitorPanesUiTest, PaneSizesRoundTripExactlyThroughTenRestarts)
{
    store.writeInt("Main Configuration", "FirstSetup", 1);
    store.writeInt("Main Configuration", "LeftPaneWidth", 333);
    store.writeInt("Main Configuration", "RightPaneHeight", 150);
    const auto stored = [this] {
        std::vector<std::int32_t> values;
        for (const char* name : {"LeftPaneWidth", "RightPaneHeight", "MsgWndCX", "MsgWndCY"})
            values.push_back(store.readInt("Main Configuration", name, -1));
        return values;
    };
    std::vector<std::int32_t> first;
    for (int run = 0; run < 10; ++run) {
        DesktopApplication& d = start();
        QApplication::processEvents();
        EXPECT_EQ(d.window().paneSplitter()->sizes().value(0), 333) << run;
        EXPECT_EQ(d.window().rightSplitter()->sizes().value(0), 150) << run;
        d.window().close();
        desktop.reset();
        if (run == 0)
            first = stored();
        EXPECT_EQ(stored(), first) << run;
    }
    EXPECT_EQ(first[0], 333);
    EXPECT_EQ(first[1], 150);
    EXPECT_GT(first[2], 0);
    EXPECT_GT(first[3], 0);
}

TEST_F(MonitorPanesUiTest, FirstStartLeavesTheMemoryPaneSixteenRowsAt1280By800)
{
    DesktopApplication& d = start();
    EXPECT_TRUE(d.window().isMaximized());
    d.window().close();

    // The first start's window on a 1280 x 800 screen (the offscreen screen is smaller).
    const PixelRect wide = firstStartWindowRect({0, 0, 1280, 800});
    store.writeInt("Main Configuration", "FirstSetup", 1);
    store.writeInt("Main Configuration", "ShowCmd", kShowNormal);
    store.writeInt("Main Configuration", "Left", wide.left);
    store.writeInt("Main Configuration", "Top", wide.top);
    store.writeInt("Main Configuration", "Right", wide.left + wide.width);
    store.writeInt("Main Configuration", "Bottom", wide.top + wide.height);
    store.writeInt("Main Configuration", "MsgWndCX", 0);
    store.writeInt("Main Configuration", "MsgWndCY", 0);
    store.writeInt("Main Configuration", "RightPaneHeight", 200);
    DesktopApplication& again = start();
    QApplication::processEvents();
    EXPECT_GE(again.monitors().memory().rowsPerPage(), 16);
    EXPECT_GE(again.window().paneSplitter()->handleWidth(), kSplitterHandleWidth);
    EXPECT_GE(again.window().rightSplitter()->handleWidth(), kSplitterHandleWidth);
}

TEST_F(MonitorPanesUiTest, WheelPagingAndArrowKeysOverTheMemoryRowsMoveItsScrollBar)
{
    store.writeInt("Main Configuration", "Start Data Address", 0x100);
    DesktopApplication& d = start();
    QApplication::processEvents();
    monitor::ui::MemoryMonitorPane& pane = d.memoryPane();
    const int page = d.monitors().memory().rowsPerPage();
    ASSERT_GE(page, 2);
    const auto start = [&] { return d.monitors().memory().startAddress(); };

    QWidget* rows = pane.table()->viewport();
    const QPointF at(10, 10);
    QWheelEvent down(
        at, rows->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(rows, &down);
    EXPECT_EQ(start(), 0x100u + static_cast<std::uint32_t>(QApplication::wheelScrollLines()));
    EXPECT_EQ(pane.scrollBar()->value(), static_cast<int>(start()));
    QWheelEvent up(
        at, rows->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(rows, &up);
    EXPECT_EQ(start(), 0x100u);

    const auto press = [&](int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(pane.table(), &event);
    };
    press(Qt::Key_PageDown);
    EXPECT_EQ(start(), 0x100u + static_cast<std::uint32_t>(page));
    press(Qt::Key_PageUp);
    EXPECT_EQ(start(), 0x100u);
    press(Qt::Key_Down);
    EXPECT_EQ(start(), 0x101u);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(start(), 0xFFu);
    EXPECT_EQ(pane.scrollBar()->value(), 0xFF);

    // With rows shown the arrows move the current row first, and scroll from the last one.
    d.window().actions().addressMonitoring->trigger();
    ASSERT_TRUE(waitUntil([&] { return pane.tableModel()->rowCount() == page; }));
    pane.table()->setCurrentIndex(pane.tableModel()->index(page - 2, 0));
    press(Qt::Key_Down);
    EXPECT_EQ(start(), 0xFFu);
    EXPECT_EQ(pane.table()->currentIndex().row(), page - 1);
    press(Qt::Key_Down);
    EXPECT_EQ(start(), 0x100u);
}

TEST_F(MonitorPanesUiTest, ColumnsAreNeverNarrowerThanTheirWidestTextAndKeepWiderStoredWidths)
{
    store.writeInt("View Information", "BR Column0 Width", 20);
    store.writeInt("View Information", "BR Column1 Width", 20);
    store.writeInt("View Information", "BR Column2 Width", 300);
    store.writeInt("View Information", "TR Column1 Width", 20);
    store.writeInt("View Information", "TR Column3 Width", 20);
    DesktopApplication& d = start();
    openTestProgram(d);
    core::ui::ReportView* memory = d.memoryPane().table();
    const QFontMetrics metrics = memory->fontMetrics();
    EXPECT_GT(memory->columnWidth(0), metrics.horizontalAdvance(QStringLiteral("0x3FFFFF")));
    EXPECT_GT(memory->columnWidth(1), metrics.horizontalAdvance(QStringLiteral("0xFFFF")));
    EXPECT_EQ(memory->columnWidth(2), 300);

    d.window().actions().addressMonitoring->trigger();
    QMenu* menu = d.memoryPane().buildContextMenu();
    entry(menu, QStringLiteral("Signed Integer (32bit)"))->trigger();
    delete menu;
    EXPECT_GT(memory->columnWidth(1), metrics.horizontalAdvance(QStringLiteral("-2147483648")));
    ASSERT_TRUE(waitUntil([&] { return d.memoryPane().tableModel()->rowCount() > 0; }));
    for (int column = 0; column < 3; ++column)
        EXPECT_LE(cellsWidth(*memory, column), memory->columnWidth(column)) << column;

    emit d.window().symbolList()->doubleClicked(d.window().symbolList()->model()->index(0, 0));
    d.core().registeredVariables().push_back(image::CDataObject {"gain", 0x8010, 7, "", 6});
    emit d.registeredListReplaced();
    monitor::ui::VariableMonitorPane& variables = d.variablePane();
    QApplication::processEvents();
    for (int column = 0; column < 5; ++column) {
        // The view's own measure of its cells: nothing is elided.
        EXPECT_LE(cellsWidth(variables, column), variables.columnWidth(column)) << column;
        for (const std::string& text : d.monitors().variables().columnTexts(column))
            EXPECT_GT(variables.columnWidth(column), metrics.horizontalAdvance(QString::fromStdString(text))) << text;
    }
}

TEST_F(MonitorPanesUiTest, ValuesShownOffLineAreGreyedUntilTheNextRead)
{
    DesktopApplication& d = start();
    openTestProgram(d);
    simulator.setWord(0x8000, 0x0005);
    emit d.window().symbolList()->doubleClicked(d.window().symbolList()->model()->index(0, 0));
    const auto* model = d.variablePane().tableModel();
    const auto greyed = [model](int column) { return model->data(model->index(0, column), Qt::ForegroundRole); };
    ASSERT_TRUE(waitUntil([&] { return variableCell(0, 1) == QStringLiteral("5"); }));
    EXPECT_FALSE(greyed(1).isValid());

    simulator.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'R', .count = -1});
    ASSERT_TRUE(waitUntil([&] { return linkPane().toStdString() == linkPaneText(false); }));
    const QColor disabled = QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
    EXPECT_EQ(greyed(1).value<QColor>(), disabled);
    EXPECT_EQ(greyed(4).value<QColor>(), disabled);
    EXPECT_FALSE(greyed(0).isValid());
    EXPECT_EQ(variableCell(0, 1), QStringLiteral("5"));

    simulator.clearFaults();
    simulator.setWord(0x8000, 0x0006);
    d.window().actions().variableMonitoring->trigger();
    EXPECT_EQ(greyed(1).value<QColor>(), disabled);
    ASSERT_TRUE(waitUntil([&] { return variableCell(0, 1) == QStringLiteral("6"); }));
    EXPECT_FALSE(greyed(1).isValid());
}

TEST_F(MonitorPanesUiTest, DoubleClickAfterASymbolFileLoadStartsMonitoring)
{
    DesktopApplication& d = start();
    const std::filesystem::path folder(scratch.path().toStdString());
    openTestProgram(d);
    const std::vector<image::CDataObject> saved {image::CDataObject {"counter", 0x8000, 4, "", 0}};
    ASSERT_EQ(image::saveSymbolFile(folder / "watch.sym", saved), image::SymbolFileStatus::Ok);
    ASSERT_EQ(d.monitors().openSymbolFile(folder / "watch.sym"), image::SymbolFileStatus::Ok);
    emit d.registeredListReplaced();
    ASSERT_FALSE(d.core().linkState().variableMonitoring());
    simulator.setWord(0x8000, 0x0009);

    monitor::ui::VariableMonitorPane& pane = d.variablePane();
    ASSERT_EQ(pane.model()->rowCount(), 1);
    emit pane.doubleClicked(pane.model()->index(0, 0));
    EXPECT_TRUE(d.core().linkState().variableMonitoring());
    EXPECT_EQ(linkPane().toStdString(), linkPaneText(true));
    EXPECT_TRUE(d.window().actions().variableMonitoring->isChecked());
    EXPECT_TRUE(waitUntil([&] { return variableCell(0, 1) == QStringLiteral("0x0009"); }));
    EXPECT_TRUE(messages().empty());
}

TEST_F(MonitorPanesUiTest, VariableViewTypeMenuChecksTheSelectedRowsType)
{
    DesktopApplication& d = start();
    auto& registered = d.core().registeredVariables();
    registered.push_back(image::CDataObject {"a", 0x8000, 4, "", 2});
    registered.push_back(image::CDataObject {"b", 0x8001, 4, "", 7});
    emit d.registeredListReplaced();
    monitor::ui::VariableMonitorPane& pane = d.variablePane();
    pane.selectRow(1);
    QMenu* menu = pane.buildContextMenu();
    QAction* binary = entry(menu, QStringLiteral("Binary (16bit)"));
    QAction* signed16 = entry(menu, QStringLiteral("Signed Integer (16bit)"));
    ASSERT_NE(binary, nullptr);
    ASSERT_NE(signed16, nullptr);
    EXPECT_TRUE(binary->isCheckable());
    EXPECT_TRUE(binary->isChecked());
    EXPECT_FALSE(signed16->isChecked());
    delete menu;

    pane.selectAll();
    menu = pane.buildContextMenu();
    EXPECT_FALSE(entry(menu, QStringLiteral("Binary (16bit)"))->isChecked());
    EXPECT_FALSE(entry(menu, QStringLiteral("Signed Integer (16bit)"))->isChecked());
    delete menu;
}

} // namespace
} // namespace lumetra::app::ui
