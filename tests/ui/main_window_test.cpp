#include "app/ui/main_status_bar.h"
#include "app/ui/main_window.h"
#include "app/ui/message_window.h"
#include "app/window_placement.h"
#include "core/configuration.h"
#include "core/memory_settings_store.h"
#include "image/ui/symbol_list_view.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <memory>
#include <set>

namespace lumetra::app::ui {
namespace {

// A menu as text lines: each entry's text, "-" for a separator, and its shortcut after " | " when it has one.
QStringList entries(const QMenu* menu)
{
    QStringList lines;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            lines << QStringLiteral("-");
            continue;
        }
        QString line = action->text();
        if (!action->shortcut().isEmpty())
            line += QStringLiteral(" | ") + action->shortcut().toString();
        lines << line;
    }
    return lines;
}

class MainWindowTest : public ::testing::Test {
protected:
    core::MemorySettingsStore store;
    core::WindowLayout layout;
};

TEST_F(MainWindowTest, MenusCarryTheirTextsMnemonicsAndShortcutsInOrder)
{
    MainWindow window(store, layout);
    QStringList titles;
    for (const QAction* menu : window.menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, QStringList({"파일(&F)", "동작(&A)", "설정(&C)", "보기(&V)", "도구(&T)", "도움말(&H)"}));

    const MainMenus& menus = window.menus();
    EXPECT_EQ(entries(menus.file),
        QStringList({"COFF 파일 열기(&O)...\tCtrl+O | Ctrl+O", "COFF 파일 Reload(&R)\tShift+R | Shift+R",
            "심볼 파일 열기(&O)...\tShift+O | Shift+O", "심볼 파일 저장(&S)...\tShift+S | Shift+S", "-", "최근 파일",
            "-", "종료(&X)"}));
    EXPECT_EQ(entries(menus.action),
        QStringList({"변수 모니터링 시작/중지(&M)\tCtrl+M | Ctrl+M", "주소 모니터링 시작/중지(&A)\tCtrl+A | Ctrl+A",
            "-", "타겟보드 리셋(&R)\tCtrl+R | Ctrl+R", "SCI 부트(&B)\tCtrl+B | Ctrl+B",
            "통신포트 닫기(&C)\tCtrl+C | Ctrl+C", "-", "데이터 플래시 Erase", "데이터 플래시 Write",
            "데이터 플래시 Write && Verify", "-", "메모리 그래프(&G)...\tCtrl+G | Ctrl+G",
            "시간 그래프(&T)...\tCtrl+T | Ctrl+T"}));
    EXPECT_EQ(entries(menus.settings), QStringList({"환경 설정(&S)...\tCtrl+S | Ctrl+S"}));
    EXPECT_EQ(entries(menus.view), QStringList({"Output 원도우(&W)", "-", "도구 모음(&T)", "상태 표시줄(&S)"}));
    EXPECT_EQ(entries(menus.tools), QStringList({"사용자 도구 등록(&C)...\tShift+C | Shift+C", "-"}));
    EXPECT_EQ(entries(menus.help), QStringList({"Vestral Lumetra 정보(&A)..."}));

    // The pane keys are the window's own, outside the menus.
    EXPECT_TRUE(window.QWidget::actions().contains(window.actions().nextPane));
    EXPECT_EQ(window.actions().nextPane->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_EQ(window.actions().previousPane->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
}

TEST_F(MainWindowTest, CommandsThatNeedAProgramStartDisabled)
{
    MainWindow window(store, layout);
    const MainActions& a = window.actions();
    for (QAction* action : {a.dataFlashErase, a.dataFlashWrite, a.dataFlashWriteVerify})
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    for (QAction* action : {a.coffOpen, a.targetReset, a.settings, a.outputWindow, a.about, a.exit, a.memoryGraph,
             a.timeGraph, a.userToolRegistration})
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    EXPECT_FALSE(window.menus().file->actions().at(5)->isEnabled()); // "최근 파일"
    EXPECT_FALSE(a.sciBoot->isEnabled()); // no program loaded
}

TEST_F(MainWindowTest, HighlightedEntriesShowTheirPromptInPaneZeroAndButtonsTheirTip)
{
    MainWindow window(store, layout);
    window.showWithPlacement();
    const MainActions& a = window.actions();
    std::set<MainCommand> covered;
    for (const auto& [action, command] : a.commands()) {
        const CommandPrompt prompt = commandPrompt(command);
        EXPECT_EQ(action->statusTip().toStdString(), prompt.prompt);
        EXPECT_EQ(action->toolTip().toStdString(), prompt.tip);
        covered.insert(command);
    }
    // Every command but the recent files, whose entries come and go with the list.
    EXPECT_EQ(covered.size() + 1, kMainCommands.size());
    EXPECT_FALSE(covered.contains(MainCommand::RecentFile));
    // No menu entry is left without a prompt.
    for (const QMenu* menu : {window.menus().file, window.menus().action, window.menus().settings, window.menus().view,
             window.menus().tools, window.menus().help}) {
        for (const QAction* action : menu->actions())
            EXPECT_TRUE(action->isSeparator() || !action->statusTip().isEmpty()) << action->text().toStdString();
    }

    QMenu* menu = window.menus().action;
    menu->popup(QPoint(0, 0));
    menu->setActiveAction(a.closePort);
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("연결된 통신 포트를 닫습니다."));
    menu->setActiveAction(a.variableMonitoring);
    EXPECT_EQ(
        window.statusBar()->currentMessage().toStdString(), commandPrompt(MainCommand::VariableMonitoring).prompt);
    menu->hide();

    window.showRecentFiles({"/tmp/a.out"});
    EXPECT_EQ(
        window.menus().file->actions().at(5)->statusTip().toStdString(), commandPrompt(MainCommand::RecentFile).prompt);
    EXPECT_EQ(window.toolBar()->widgetForAction(a.dataFlashWriteVerify)->toolTip(),
        QStringLiteral("데이터 플래시 Write & Verify"));
}

TEST_F(MainWindowTest, DroppingAFileListOpensItsCoffFileOnly)
{
    MainWindow window(store, layout);
    QStringList opened;
    QObject::connect(&window, &MainWindow::coffFileDropped, [&](const QString& path) { opened << path; });
    auto drop = [&](const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &enter);
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &dropped);
        return enter.isAccepted();
    };

    EXPECT_FALSE(drop({QUrl::fromLocalFile(QStringLiteral("/tmp/notes.txt"))}));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(drop(
        {QUrl::fromLocalFile(QStringLiteral("/tmp/notes.txt")), QUrl::fromLocalFile(QStringLiteral("/tmp/Sine.OUT"))}));
    EXPECT_EQ(opened, QStringList {QStringLiteral("/tmp/Sine.OUT")});
}

TEST_F(MainWindowTest, ToolbarFollowsTheCommandOrder)
{
    MainWindow window(store, layout);
    const MainActions& a = window.actions();
    QList<QAction*> expected {a.coffOpen, a.coffReload, a.symbolOpen, a.symbolSave, nullptr, a.sciBoot, nullptr,
        a.dataFlashErase, a.dataFlashWrite, a.dataFlashWriteVerify, nullptr, a.variableMonitoring, a.addressMonitoring,
        a.targetReset, a.closePort, a.settings, nullptr, a.memoryGraph, a.timeGraph, a.userToolRegistration,
        a.outputWindow, a.about, nullptr};
    for (QAction* tool : a.userTools)
        expected.push_back(tool);
    const QList<QAction*> actual = window.toolBar()->actions();
    ASSERT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i) {
        if (expected[i] == nullptr) {
            EXPECT_TRUE(actual[i]->isSeparator()) << i;
        } else {
            EXPECT_EQ(actual[i], expected[i]) << i;
            EXPECT_FALSE(actual[i]->icon().isNull()) << i;
        }
    }
    // The tool buttons show only for registered tools.
    for (const QAction* tool : a.userTools)
        EXPECT_FALSE(tool->isVisible());
}

TEST_F(MainWindowTest, StatusPanesStartWithTheirCreationTextsAndWidths)
{
    MainWindow window(store, layout);
    const MainStatusBar* bar = window.mainStatusBar();
    EXPECT_EQ(bar->readyText(), QStringLiteral("준비"));
    EXPECT_EQ(bar->paneText(StatusPane::Port), QStringLiteral("COM1"));
    EXPECT_EQ(bar->paneText(StatusPane::Speed), QStringLiteral("BPS : 115200"));
    EXPECT_EQ(bar->paneText(StatusPane::Link), QStringLiteral("OFF LINE"));
    EXPECT_EQ(bar->paneText(StatusPane::Size), QStringLiteral("Size : 0x000000"));
    EXPECT_EQ(bar->paneText(StatusPane::Device), QStringLiteral("F2812-150MHz(30MHz*5)"));
    EXPECT_EQ(bar->paneText(StatusPane::DataFlash), QStringLiteral("AT25DF321A"));
    const std::array<int, 6> widths {48, 80, 64, 96, 192, 80};
    for (std::size_t i = 0; i < widths.size(); ++i)
        EXPECT_EQ(bar->paneLabel(MainStatusBar::kPanes[i])->minimumWidth(), widths[i]);
}

TEST_F(MainWindowTest, RecentFilesReplaceThePlaceholderAndKeepAmpersands)
{
    MainWindow window(store, layout);
    int chosen = -1;
    QObject::connect(&window, &MainWindow::recentFileChosen, [&chosen](int index) { chosen = index; });
    window.showRecentFiles({"/tmp/a.out", "/tmp/R&D/b.out"});
    QStringList lines = entries(window.menus().file);
    EXPECT_EQ(lines.mid(4, 4), QStringList({"-", "&1 /tmp/a.out", "&2 /tmp/R&&D/b.out", "-"}));
    window.menus().file->actions().at(6)->trigger();
    EXPECT_EQ(chosen, 1);

    window.showRecentFiles({});
    lines = entries(window.menus().file);
    EXPECT_EQ(lines.mid(4, 3), QStringList({"-", "최근 파일", "-"}));
}

TEST_F(MainWindowTest, ViewTogglesShowAndHideTheBars)
{
    MainWindow window(store, layout);
    window.showWithPlacement();
    const MainActions& a = window.actions();
    EXPECT_TRUE(a.outputWindow->isCheckable());
    a.outputWindow->trigger();
    EXPECT_TRUE(window.messageWindow()->isHidden());
    a.outputWindow->trigger();
    EXPECT_FALSE(window.messageWindow()->isHidden());
    a.statusBar->trigger();
    EXPECT_TRUE(window.mainStatusBar()->isHidden());
    a.toolBar->trigger();
    EXPECT_TRUE(window.toolBar()->isHidden());
}

TEST_F(MainWindowTest, CheckMarksAndButtonsFollowBarsClosedOutsideTheirCommands)
{
    MainWindow window(store, layout);
    window.showWithPlacement();
    const MainActions& a = window.actions();
    QWidget* outputButton = window.toolBar()->widgetForAction(a.outputWindow);
    ASSERT_NE(outputButton, nullptr);

    // The message window's own close button.
    window.messageWindow()->close();
    EXPECT_FALSE(a.outputWindow->isChecked());
    EXPECT_FALSE(qobject_cast<QToolButton*>(outputButton)->isChecked());
    a.outputWindow->trigger();
    EXPECT_TRUE(window.messageWindow()->isVisible());
    EXPECT_TRUE(a.outputWindow->isChecked());

    // The window's context menu.
    window.toolBar()->toggleViewAction()->trigger();
    EXPECT_TRUE(window.toolBar()->isHidden());
    EXPECT_FALSE(a.toolBar->isChecked());
    window.messageWindow()->toggleViewAction()->trigger();
    EXPECT_FALSE(a.outputWindow->isChecked());
}

TEST_F(MainWindowTest, ContextMenuNamesTheToolbarAndTheMessageWindow)
{
    MainWindow window(store, layout);
    EXPECT_FALSE(window.toolBar()->objectName().isEmpty());
    EXPECT_FALSE(window.messageWindow()->objectName().isEmpty());
    std::unique_ptr<QMenu> menu(window.createPopupMenu());
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    EXPECT_EQ(texts, QStringList({"Output 원도우", "도구 모음"}));
}

TEST_F(MainWindowTest, MessagePageOnlyGrowsAtItsEnd)
{
    MainWindow window(store, layout);
    MessageWindow* messages = window.messageWindow();
    EXPECT_EQ(messages->pages()->tabText(0), QStringLiteral("메시지 정보"));
    EXPECT_EQ(messages->pages()->tabText(1), QStringLiteral("섹션 정보"));
    EXPECT_EQ(messages->pages()->currentIndex(), 0);
    EXPECT_TRUE(messages->messagePage()->isReadOnly());

    messages->appendMessage(QStringLiteral("첫째 줄\n"));
    // A caret moved by the user does not decide where the next text goes.
    QTextCursor start = messages->messagePage()->textCursor();
    start.movePosition(QTextCursor::Start);
    messages->messagePage()->setTextCursor(start);
    messages->appendMessage(QStringLiteral("둘째 줄"));
    EXPECT_EQ(messages->messagePage()->toPlainText(), QStringLiteral("첫째 줄\n둘째 줄"));
    EXPECT_TRUE(messages->messagePage()->textCursor().atEnd());

    messages->showSectionPage();
    EXPECT_EQ(messages->pages()->currentIndex(), 1);
    messages->clearMessages();
    EXPECT_TRUE(messages->messagePage()->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, F6WalksThePanesInBothDirections)
{
    MainWindow window(store, layout);
    window.showWithPlacement();
    window.activateWindow();
    const std::array<QWidget*, 3> panes = window.panes();
    const MainActions& a = window.actions();
    a.nextPane->trigger();
    EXPECT_EQ(window.focusWidget(), panes[0]);
    a.nextPane->trigger();
    EXPECT_EQ(window.focusWidget(), panes[1]);
    a.nextPane->trigger();
    a.nextPane->trigger();
    EXPECT_EQ(window.focusWidget(), panes[0]);
    a.previousPane->trigger();
    EXPECT_EQ(window.focusWidget(), panes[2]);
}

TEST_F(MainWindowTest, FirstStartOpensMaximisedOverTheAvailableScreenArea)
{
    layout = core::loadWindowLayout(store);
    ASSERT_EQ(layout.firstSetup, 0);
    MainWindow window(store, layout);
    window.showWithPlacement();
    EXPECT_TRUE(window.isMaximized());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window.normalGeometry().size(), screen.size());
}

TEST_F(MainWindowTest, RectangleOffEveryScreenOpensOnThePrimaryScreen)
{
    // Closed on a second monitor that is gone now.
    layout.firstSetup = 1;
    layout.left = 3000;
    layout.right = 3500;
    MainWindow window(store, layout);
    window.showWithPlacement();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window.geometry())) << window.geometry().x() << "," << window.geometry().y();
}

TEST_F(MainWindowTest, PlacementAndPaneSizesRoundTripThroughTheStore)
{
    store.writeInt("Main Configuration", "FirstSetup", 1);
    store.writeInt("Main Configuration", "Left", 30);
    store.writeInt("Main Configuration", "Top", 40);
    store.writeInt("Main Configuration", "Right", 930);
    store.writeInt("Main Configuration", "Bottom", 740);
    store.writeInt("Main Configuration", "LeftPaneWidth", 333);
    store.writeInt("Main Configuration", "RightPaneHeight", 150);
    {
        layout = core::loadWindowLayout(store);
        MainWindow window(store, layout);
        window.showWithPlacement();
        EXPECT_EQ(window.geometry(), QRect(30, 40, 900, 700));
        EXPECT_EQ(window.paneSplitter()->sizes().value(0), 333);
        EXPECT_EQ(window.rightSplitter()->sizes().value(0), 150);

        window.setGeometry(50, 60, 1000, 650);
        window.paneSplitter()->setSizes({250, 700});
        window.close();
        core::saveWindowLayout(store, layout);
    }
    const core::WindowLayout saved = core::loadWindowLayout(store);
    EXPECT_EQ(saved.left, 50);
    EXPECT_EQ(saved.top, 60);
    EXPECT_EQ(saved.right, 1050);
    EXPECT_EQ(saved.bottom, 710);
    EXPECT_EQ(saved.showCmd, kShowNormal);
    EXPECT_EQ(saved.leftPaneWidth, 250);
    EXPECT_GT(saved.messageWindowWidth, 0);
    EXPECT_GT(saved.messageWindowHeight, 0);

    core::WindowLayout reloaded = saved;
    MainWindow again(store, reloaded);
    again.showWithPlacement();
    EXPECT_EQ(again.geometry(), QRect(50, 60, 1000, 650));
    EXPECT_EQ(again.paneSplitter()->sizes().value(0), 250);
}

TEST_F(MainWindowTest, AWindowNeverShownKeepsTheStoredLayout)
{
    layout.left = 12;
    {
        MainWindow window(store, layout);
        window.close();
    }
    EXPECT_EQ(layout.left, 12);
}

} // namespace
} // namespace lumetra::app::ui
