// Every command of the main window as an action: menu text with mnemonic and shortcut label, the shortcut
// itself and the toolbar icon. Commands of parts the program does not have yet exist disabled.
#pragma once

#include "app/command_prompts.h"
#include "tools/registered_tools.h"

#include <QList>

#include <array>

#include <utility>

class QAction;
class QObject;

namespace lumetra::app::ui {

struct MainActions {
    // 파일
    QAction* coffOpen = nullptr;
    QAction* coffReload = nullptr;
    QAction* symbolOpen = nullptr;
    QAction* symbolSave = nullptr;
    QAction* exit = nullptr;
    // 동작
    QAction* variableMonitoring = nullptr;
    QAction* addressMonitoring = nullptr;
    QAction* targetReset = nullptr;
    QAction* sciBoot = nullptr;
    QAction* closePort = nullptr;
    QAction* dataFlashErase = nullptr;
    QAction* dataFlashWrite = nullptr;
    QAction* dataFlashWriteVerify = nullptr;
    QAction* memoryGraph = nullptr;
    QAction* timeGraph = nullptr;
    // 설정
    QAction* settings = nullptr;
    // 보기
    QAction* outputWindow = nullptr;
    QAction* toolBar = nullptr;
    QAction* statusBar = nullptr;
    // 도구
    QAction* userToolRegistration = nullptr;
    // The buttons of the registered tools at the toolbar's end, hidden until a tool is registered.
    std::array<QAction*, tools::kMaxUserTools> userTools {};
    // 도움말
    QAction* about = nullptr;
    // Keyboard only: F6 and Shift+F6 move the focus to the next and the previous pane.
    QAction* nextPane = nullptr;
    QAction* previousPane = nullptr;

    // Each command's action with the command whose prompt it shows.
    QList<std::pair<QAction*, MainCommand>> commands() const;
};

MainActions createMainActions(QObject* parent);

// The command's prompt as the action's status tip (pane 0 while highlighted) and its tip as the tool tip.
void showPrompt(QAction* action, MainCommand command);

} // namespace lumetra::app::ui
