#include "app/ui/desktop_application.h"

#include "app/firmware_check.h"
#include "app/ui/graph_windows.h"
#include "app/ui/main_status_bar.h"
#include "app/ui/main_window.h"
#include "app/ui/message_window.h"
#include "core/path_text.h"
#include "core/ui/file_dialogs.h"
#include "core/ui/message_box.h"
#include "core/ui/settings_dialog.h"
#include "image/ui/section_page.h"
#include "image/ui/symbol_list_view.h"
#include "monitor/ui/memory_monitor_pane.h"
#include "monitor/ui/variable_monitor_pane.h"
#include "programming/ui/data_flash_dialog.h"
#include "programming/ui/flash_notice_window.h"
#include "programming/ui/progress_dialog.h"
#include "tools/tool_dialog_logic.h"
#include "tools/ui/user_tools_controller.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTime>

namespace lumetra::app::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void apply(QAction* action, const CommandState& state)
{
    action->setEnabled(state.enabled);
    action->setChecked(state.checked);
}

} // namespace

DesktopApplication::DesktopApplication(core::SettingsStore& store, link::TransportFactory& transports,
    SingleInstance& singleInstance, const std::filesystem::path& workingDirectory, UserPrompts* prompts)
    : store_(store)
    , prompts_(prompts ? *prompts : messageBoxes_)
    , singleInstance_(singleInstance)
    , app_(ApplicationPorts {store, transports, prompts_, pollTimer_, waitCursor_, singleInstance_, *this, busyNotice_,
               ticks_, fileTimes_},
          workingDirectory)
{
}

DesktopApplication::~DesktopApplication()
{
    userTools_.reset();
    app_.setSciBootCommand(nullptr);
    app_.activityLog().attach({}, {});
}

StartResult DesktopApplication::start()
{
    // The lock first, so that a second instance ends before it shows anything; Start takes it again (kept).
    if (!singleInstance_.acquire(kSingleInstanceName))
        return StartResult::AnotherInstanceRuns;

    window_ = std::make_unique<MainWindow>(store_, app_.mainFrame().windowLayout());
    messageBoxes_.setParent(window_.get());
    app_.activityLog().attach(
        [messages = window_->messageWindow()](std::string_view line) {
            messages->appendMessage(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())) + u'\n');
        },
        [] {
            const QTime now = QTime::currentTime();
            return core::ClockTime {now.hour(), now.minute(), now.second()};
        });
    createMonitorPanes();
    graphWindows_ = std::make_unique<GraphWindows>(app_, prompts_, *window_);
    createUserTools();
    createProgrammingWindows();
    pollTimer_.setTickHandler([this] {
        app_.linkState().OnPollTimer();
        refreshMonitorPanes();
        refreshCommandStates();
    });
    connectCommands();
    window_->showWithPlacement();

    const StartResult result = app_.Start();
    window_->showRecentFiles(app_.recentFiles().entries());
    refreshCommandStates();
    return result;
}

void DesktopApplication::connectCommands()
{
    const MainActions& a = window_->actions();
    connect(a.coffOpen, &QAction::triggered, this, &DesktopApplication::openCoff);
    connect(a.coffReload, &QAction::triggered, this, &DesktopApplication::reloadCoff);
    connect(window_.get(), &MainWindow::recentFileChosen, this, &DesktopApplication::openRecentFile);
    connect(window_.get(), &MainWindow::coffFileDropped, this, &DesktopApplication::openCoffFile);
    connect(window_->symbolList(), &image::ui::SymbolListView::openCoffRequested, this, &DesktopApplication::openCoff);
    const auto command = [this](void (LinkState::*toggle)()) {
        return [this, toggle] {
            (app_.linkState().*toggle)();
            refreshMonitorPanes();
            refreshCommandStates();
        };
    };
    connect(a.variableMonitoring, &QAction::triggered, this, command(&LinkState::ToggleVariableMonitoring));
    connect(a.addressMonitoring, &QAction::triggered, this, command(&LinkState::ToggleAddressMonitoring));
    connect(a.closePort, &QAction::triggered, this, command(&LinkState::ClosePort));
    connect(a.targetReset, &QAction::triggered, this, command(&LinkState::ResetTarget));
    connect(variablePane_, &monitor::ui::VariableMonitorPane::toggleMonitoringRequested, this,
        command(&LinkState::ToggleVariableMonitoring));
    connect(memoryPane_, &monitor::ui::MemoryMonitorPane::toggleMonitoringRequested, this,
        command(&LinkState::ToggleAddressMonitoring));
    connect(variablePane_, &monitor::ui::VariableMonitorPane::changed, this, &DesktopApplication::refreshCommandStates);
    connect(memoryPane_, &monitor::ui::MemoryMonitorPane::changed, this, &DesktopApplication::refreshCommandStates);
    connect(a.symbolOpen, &QAction::triggered, this, &DesktopApplication::openSymbolFile);
    connect(a.symbolSave, &QAction::triggered, this, &DesktopApplication::saveSymbolFile);
    connect(variablePane_, &monitor::ui::VariableMonitorPane::openSymbolFileRequested, this,
        &DesktopApplication::openSymbolFile);
    connect(variablePane_, &monitor::ui::VariableMonitorPane::saveSymbolFileRequested, this,
        &DesktopApplication::saveSymbolFile);
    connect(window_->symbolList(), &image::ui::SymbolListView::addSymbolsRequested, this,
        [this](const std::vector<std::string>& names) {
            monitors_->addVariables(names);
            refreshMonitorPanes();
            refreshCommandStates();
        });
    connect(this, &DesktopApplication::symbolsRefilled, this, [this] {
        monitors_->symbolsRefilled();
        refreshMonitorPanes();
        refreshCommandStates();
    });
    connect(this, &DesktopApplication::registeredListReplaced, this, [this] {
        monitors_->variables().rebuildRows();
        refreshMonitorPanes();
        refreshCommandStates();
    });
    connect(a.settings, &QAction::triggered, this, &DesktopApplication::runSettingsCommand);
    connect(a.sciBoot, &QAction::triggered, this, &DesktopApplication::runSciBoot);
    connect(a.dataFlashErase, &QAction::triggered, this, [this] { runDataFlash(link::DataFlashMode::Erase); });
    connect(a.dataFlashWrite, &QAction::triggered, this, [this] { runDataFlash(link::DataFlashMode::Write); });
    connect(
        a.dataFlashWriteVerify, &QAction::triggered, this, [this] { runDataFlash(link::DataFlashMode::WriteVerify); });
    connect(
        a.memoryGraph, &QAction::triggered, this, [this] { graphWindows_->runGraphCommand(graph::GraphKind::Memory); });
    connect(a.timeGraph, &QAction::triggered, this, [this] { graphWindows_->runGraphCommand(graph::GraphKind::Time); });
    connect(graphWindows_.get(), &GraphWindows::acquisitionChanged, this, [this] {
        refreshMonitorPanes();
        refreshCommandStates();
    });
    for (QMenu* menu : {window_->menus().file, window_->menus().action})
        connect(menu, &QMenu::aboutToShow, this, &DesktopApplication::refreshCommandStates);
    connect(window_.get(), &MainWindow::closing, this, [this] {
        userTools_->stop();
        app_.Exit();
    });
}

void DesktopApplication::createMonitorPanes()
{
    monitors_ = std::make_unique<MonitorPanes>(app_, store_, prompts_);
    const monitor::ui::MessageSink messages
        = [this](core::MessageIcon icon, std::string_view text) { prompts_.showMessage(icon, text); };
    link::CPodLink& link = app_.mainFrame().link();
    variablePane_ = new monitor::ui::VariableMonitorPane(
        store_, monitors_->variables(), link, [this] { return monitors_->programTargetId(); }, messages);
    memoryPane_ = new monitor::ui::MemoryMonitorPane(store_, monitors_->memory(), link, messages);
    window_->setMonitorPanes(variablePane_, memoryPane_);
}

void DesktopApplication::createUserTools()
{
    MessageWindow* messages = window_->messageWindow();
    tools::ui::ToolOutputPage page {[messages] {
                                        messages->showMessagePage();
                                        messages->clearMessages();
                                    },
        [messages](const QString& text) { messages->appendMessage(text); },
        [messages] { return messages->messageLength(); },
        [messages](qsizetype count) { messages->dropOldestMessages(count); }};
    tools::ui::UserToolsPorts ports {store_, prompts_, paths_, programFiles_, std::move(page),
        tools::ui::qtToolBrowsers(core::ui::qtFileFilter(tools::kProgramBrowseFilter)),
        [this](std::string_view question) {
            const std::unique_ptr<QMessageBox> box
                = core::ui::createMessageBox(window_.get(), question, core::MessageIcon::Information);
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            return box->exec() == QMessageBox::Yes;
        },
        tools::ui::openGuiProgram, [this] { waitCursor_.show(); }, [this] { waitCursor_.restore(); }};
    const MainActions& a = window_->actions();
    userTools_ = std::make_unique<tools::ui::UserToolsController>(
        std::move(ports), window_->menus().tools, a.userToolRegistration, a.userTools, window_.get());
}

void DesktopApplication::createProgrammingWindows()
{
    progress_ = std::make_unique<programming::ui::ProgressDialog>(window_.get());
    notice_ = std::make_unique<programming::ui::FlashNoticeWindow>(window_.get());
    sciBoot_ = std::make_unique<SciBootDownload>(app_, *progress_, *notice_, imageSets_);
    app_.setSciBootCommand(sciBoot_.get());
    dataFlashDialog_ = std::make_unique<programming::ui::DataFlashDialog>(window_.get());
    dataFlash_ = std::make_unique<DataFlashCommands>(
        app_, *dataFlashDialog_, *dataFlashDialog_, imageSets_, [this](std::function<void()> call) {
            uiThread_.post([this, call = std::move(call)] {
                window_->repaint();
                call();
                refreshMonitorPanes();
                refreshCommandStates();
            });
        });
    dataFlashDialog_->setRunHandlers([this](programming::DataFlashJob job) { dataFlash_->startRun(std::move(job)); },
        [this] { dataFlash_->requestCancel(); });
}

void DesktopApplication::runDataFlash(link::DataFlashMode mode)
{
    dataFlash_->run(mode);
    refreshMonitorPanes();
    refreshCommandStates();
}

void DesktopApplication::runSciBoot()
{
    if (app_.image().empty())
        return;
    sciBoot_->run();
    refreshMonitorPanes();
    refreshCommandStates();
}

void DesktopApplication::refreshMonitorPanes()
{
    if (!monitors_)
        return;
    variablePane_->refresh();
    memoryPane_->refresh();
}

void DesktopApplication::openSymbolFile()
{
    const QString folder = QString::fromStdString(core::utf8Of(monitors_->symbolDialogFolder()));
    const QString chosen = QFileDialog::getOpenFileName(window_.get(), QString(), folder,
        core::ui::qtFileFilter(kSymbolOpenFilter), nullptr, core::ui::kFileDialogOptions);
    if (chosen.isEmpty())
        return;
    monitors_->openSymbolFile(core::pathFromUtf8(chosen.toStdString()));
    refreshMonitorPanes();
    refreshCommandStates();
}

void DesktopApplication::saveSymbolFile()
{
    if (!monitors_->saveSymbolFileEnabled())
        return;
    const std::optional<std::string> chosen = core::ui::askSaveFile(
        window_.get(), {kSymbolSaveFilter, kSymbolDefaultExtension, core::utf8Of(monitors_->symbolDialogFolder())});
    if (!chosen)
        return;
    monitors_->saveSymbolFile(core::pathFromUtf8(*chosen));
    refreshMonitorPanes();
    refreshCommandStates();
}

void DesktopApplication::refreshCommandStates()
{
    const MainActions& a = window_->actions();
    a.coffReload->setEnabled(app_.reloadEnabled());
    apply(a.variableMonitoring, app_.linkState().variableMonitorCommand());
    apply(a.addressMonitoring, app_.linkState().addressMonitorCommand());
    a.closePort->setEnabled(app_.linkState().closePortEnabled());
    a.symbolSave->setEnabled(monitors_ && monitors_->saveSymbolFileEnabled());
    a.sciBoot->setEnabled(!app_.image().empty());
    const bool dataFlash = dataFlash_ && dataFlash_->enabled();
    for (QAction* action : {a.dataFlashErase, a.dataFlashWrite, a.dataFlashWriteVerify})
        action->setEnabled(dataFlash);
}

void DesktopApplication::openCoff()
{
    const QString folder = QString::fromStdString(core::utf8Of(app_.coffOpenDialogFolder()));
    const QString chosen = QFileDialog::getOpenFileName(window_.get(), QString(), folder,
        core::ui::qtFileFilter(kCoffOpenFilter), nullptr, core::ui::kFileDialogOptions);
    if (!chosen.isEmpty())
        openCoffFile(chosen);
}

void DesktopApplication::openCoffFile(const QString& path)
{
    app_.OpenCoffChosenByUser(core::pathFromUtf8(path.toStdString()));
    afterLoad();
}

void DesktopApplication::openRecentFile(int index)
{
    app_.OpenRecentFile(static_cast<std::size_t>(index));
    afterLoad();
}

void DesktopApplication::reloadCoff()
{
    app_.ReloadCoff();
    afterLoad();
}

void DesktopApplication::afterLoad()
{
    window_->showRecentFiles(app_.recentFiles().entries());
    refreshCommandStates();
}

void DesktopApplication::runSettingsCommand()
{
    const std::optional<SettingsSession> session = app_.BeginSettingsCommand();
    if (!session)
        return;
    const core::UsbAccess usb = app_.usbAccess();
    link::CPodLink& link = app_.mainFrame().link();
    core::ui::SettingsDialog dialog(
        session->dialog, usb,
        [&link, &usb](const core::SettingsDialogState& state) {
            const FirmwareCheckResult result = checkPodFirmware(link, state, usb);
            return core::ui::FirmwareCheckAnswer {result.failure, result.report.firstLine, result.report.secondLine};
        },
        window_.get());
    dialog.setMessageSink(
        [this](const core::DialogMessage& message) { prompts_.showMessage(message.icon, message.text); });
    dialog.exec();
    app_.FinishSettingsCommand(*session, dialog.acceptedValues());
    monitors_->deviceChanged();
    refreshMonitorPanes();
    refreshCommandStates();
}

void DesktopApplication::setTitle(std::string_view title)
{
    if (window_)
        window_->setWindowTitle(qt(title));
}

void DesktopApplication::setStatusPane(StatusPane pane, std::string_view text)
{
    if (window_)
        window_->mainStatusBar()->setPaneText(pane, qt(text));
}

void DesktopApplication::showSectionPage()
{
    if (!window_)
        return;
    window_->messageWindow()->sectionPage()->showSections(app_.image());
    window_->messageWindow()->showSectionPage();
}

void DesktopApplication::symbolListChanged()
{
    if (window_)
        window_->symbolList()->showSymbols(app_.image().symbols(), app_.image().targetId());
    emit symbolsRefilled();
}

void DesktopApplication::registeredVariablesChanged()
{
    emit registeredListReplaced();
}

} // namespace lumetra::app::ui
