#include "app/ui/main_actions.h"

#include "app/command_prompts.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>

// The icons are compiled into the static library; its resources must be registered by hand.
static void registerIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace lumetra::app::ui {

namespace {

// `text` carries the mnemonic and, after a tab, the shortcut label as the menu shows it.
QAction* command(QObject* parent, const QString& text, const QKeySequence& shortcut = {}, const char* icon = nullptr)
{
    auto* action = new QAction(text, parent);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (icon != nullptr)
        action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
    return action;
}

QAction* toggle(QObject* parent, const QString& text, const char* icon = nullptr)
{
    QAction* action = command(parent, text, {}, icon);
    action->setCheckable(true);
    action->setChecked(true);
    return action;
}

} // namespace

void showPrompt(QAction* action, MainCommand command)
{
    const CommandPrompt prompt = commandPrompt(command);
    action->setStatusTip(QString::fromStdString(prompt.prompt));
    action->setToolTip(QString::fromStdString(prompt.tip));
}

QList<std::pair<QAction*, MainCommand>> MainActions::commands() const
{
    return {{coffOpen, MainCommand::CoffOpen}, {coffReload, MainCommand::CoffReload},
        {symbolOpen, MainCommand::SymbolOpen}, {symbolSave, MainCommand::SymbolSave}, {exit, MainCommand::Exit},
        {variableMonitoring, MainCommand::VariableMonitoring}, {addressMonitoring, MainCommand::AddressMonitoring},
        {targetReset, MainCommand::TargetReset}, {sciBoot, MainCommand::SciBoot}, {closePort, MainCommand::ClosePort},
        {dataFlashErase, MainCommand::DataFlashErase}, {dataFlashWrite, MainCommand::DataFlashWrite},
        {dataFlashWriteVerify, MainCommand::DataFlashWriteVerify}, {memoryGraph, MainCommand::MemoryGraph},
        {timeGraph, MainCommand::TimeGraph}, {settings, MainCommand::Settings},
        {outputWindow, MainCommand::OutputWindow}, {toolBar, MainCommand::ToolBar}, {statusBar, MainCommand::StatusBar},
        {userToolRegistration, MainCommand::UserToolRegistration}, {about, MainCommand::About}};
}

MainActions createMainActions(QObject* parent)
{
    registerIconResources();
    MainActions a;
    a.coffOpen = command(
        parent, QStringLiteral("COFF 파일 열기(&O)...\tCtrl+O"), QKeySequence(QStringLiteral("Ctrl+O")), "coff_open");
    a.coffReload = command(parent, QStringLiteral("COFF 파일 Reload(&R)\tShift+R"),
        QKeySequence(QStringLiteral("Shift+R")), "coff_reload");
    a.symbolOpen = command(parent, QStringLiteral("심볼 파일 열기(&O)...\tShift+O"),
        QKeySequence(QStringLiteral("Shift+O")), "symbol_open");
    a.symbolSave = command(parent, QStringLiteral("심볼 파일 저장(&S)...\tShift+S"),
        QKeySequence(QStringLiteral("Shift+S")), "symbol_save");
    a.exit = command(parent, QStringLiteral("종료(&X)"));

    a.variableMonitoring = command(parent, QStringLiteral("변수 모니터링 시작/중지(&M)\tCtrl+M"),
        QKeySequence(QStringLiteral("Ctrl+M")), "variable_monitor");
    a.variableMonitoring->setCheckable(true);
    a.addressMonitoring = command(parent, QStringLiteral("주소 모니터링 시작/중지(&A)\tCtrl+A"),
        QKeySequence(QStringLiteral("Ctrl+A")), "address_monitor");
    a.addressMonitoring->setCheckable(true);
    a.targetReset = command(
        parent, QStringLiteral("타겟보드 리셋(&R)\tCtrl+R"), QKeySequence(QStringLiteral("Ctrl+R")), "target_reset");
    a.sciBoot
        = command(parent, QStringLiteral("SCI 부트(&B)\tCtrl+B"), QKeySequence(QStringLiteral("Ctrl+B")), "sci_boot");
    a.closePort = command(
        parent, QStringLiteral("통신포트 닫기(&C)\tCtrl+C"), QKeySequence(QStringLiteral("Ctrl+C")), "close_port");
    a.dataFlashErase = command(parent, QStringLiteral("데이터 플래시 Erase"), {}, "data_flash_erase");
    a.dataFlashWrite = command(parent, QStringLiteral("데이터 플래시 Write"), {}, "data_flash_write");
    a.dataFlashWriteVerify = command(parent, QStringLiteral("데이터 플래시 Write && Verify"), {}, "data_flash_verify");
    a.memoryGraph = command(
        parent, QStringLiteral("메모리 그래프(&G)...\tCtrl+G"), QKeySequence(QStringLiteral("Ctrl+G")), "memory_graph");
    a.timeGraph = command(
        parent, QStringLiteral("시간 그래프(&T)...\tCtrl+T"), QKeySequence(QStringLiteral("Ctrl+T")), "time_graph");

    a.settings = command(
        parent, QStringLiteral("환경 설정(&S)...\tCtrl+S"), QKeySequence(QStringLiteral("Ctrl+S")), "settings");

    a.outputWindow = toggle(parent, QStringLiteral("Output 원도우(&W)"), "output_window");
    a.toolBar = toggle(parent, QStringLiteral("도구 모음(&T)"));
    a.statusBar = toggle(parent, QStringLiteral("상태 표시줄(&S)"));

    a.userToolRegistration = command(parent, QStringLiteral("사용자 도구 등록(&C)...\tShift+C"),
        QKeySequence(QStringLiteral("Shift+C")), "user_tools");
    for (QAction*& tool : a.userTools) {
        tool = command(parent, QString(), {}, "user_tool");
        tool->setVisible(false);
    }

    a.about = command(parent, QStringLiteral("Vestral Lumetra 정보(&A)..."), {}, "about");

    a.nextPane = command(parent, QString(), QKeySequence(Qt::Key_F6));
    a.previousPane = command(parent, QString(), QKeySequence(Qt::SHIFT | Qt::Key_F6));

    for (const auto& [action, id] : a.commands())
        showPrompt(action, id);

    // Enabled while a program is loaded (the data-flash commands on the F2834x rows only).
    for (QAction* action : {a.sciBoot, a.dataFlashErase, a.dataFlashWrite, a.dataFlashWriteVerify})
        action->setEnabled(false);
    return a;
}

} // namespace lumetra::app::ui
