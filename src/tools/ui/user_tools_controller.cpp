#include "tools/ui/user_tools_controller.h"

#include "tools/registered_tools.h"
#include "tools/ui/user_tool_dialog.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QProcess>
#include <QUrl>

#include <type_traits>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#endif

namespace lumetra::tools::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The registration entry and the separator stay; tool entries follow them.
constexpr qsizetype kFixedMenuEntries = 2;

std::size_t streamIndex(OutputStream stream)
{
    return stream == OutputStream::Output ? 0 : 1;
}

} // namespace

bool openGuiProgram(const GuiLaunch& launch)
{
    const QString program = qt(launch.program);
    const QString folder = qt(launch.workDir);
#ifdef Q_OS_WIN
    const std::wstring file = program.toStdWString();
    const std::wstring directory = folder.toStdWString();
    const HINSTANCE result = ShellExecuteW(
        nullptr, L"open", file.c_str(), nullptr, directory.empty() ? nullptr : directory.c_str(), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
#else
    if (QProcess::startDetached(program, {}, folder))
        return true;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(program));
#endif
}

UserToolsController::UserToolsController(UserToolsPorts ports, QMenu* toolsMenu, QAction* registration,
    std::array<QAction*, kMaxUserTools> buttons, QWidget* dialogParent)
    : ports_(std::move(ports))
    , menu_(toolsMenu)
    , buttons_(buttons)
    , dialogParent_(dialogParent)
    , runner_(child_,
          {[this] {
               if (ports_.busyOn)
                   ports_.busyOn();
           },
              [this](OutputStream stream, std::string_view bytes) { received(stream, bytes); },
              [this](std::string_view text) {
                  queue(qt(text));
                  flush();
              },
              [this] {
                  flush();
                  if (ports_.busyOff)
                      ports_.busyOff();
                  emit toolEnded();
              }})
{
    batchTimer_.setSingleShot(true);
    batchTimer_.setInterval(kOutputBatchIntervalMs);
    connect(&batchTimer_, &QTimer::timeout, this, &UserToolsController::flush);
    connect(&child_, &QtChildProcess::outputReady, this, [this](OutputStream stream, const QByteArray& bytes) {
        runner_.received(stream, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    });
    connect(&child_, &QtChildProcess::ended, this, [this] { runner_.childEnded(); });

    connect(menu_, &QMenu::aboutToShow, this, &UserToolsController::rebuildMenu);
    connect(registration, &QAction::triggered, this, &UserToolsController::runRegistration);
    for (int i = 0; i < kMaxUserTools; ++i)
        connect(buttons_[static_cast<std::size_t>(i)], &QAction::triggered, this, [this, i] { launch(i); });
    refreshButtons();
}

UserToolsController::~UserToolsController()
{
    stop();
}

void UserToolsController::rebuildMenu()
{
    const QList<QAction*> entries = menu_->actions();
    for (qsizetype i = kFixedMenuEntries; i < entries.size(); ++i) {
        menu_->removeAction(entries[i]);
        entries[i]->deleteLater();
    }
    const std::vector<std::string> names = readToolNames(ports_.store);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int tool = static_cast<int>(i);
        auto* entry = new QAction(qt(toolMenuText(names[i], tool)), menu_);
        entry->setStatusTip(qt(readTool(ports_.store, tool).command));
        entry->setData(toolCommandId(tool));
        connect(entry, &QAction::triggered, this, [this, tool] { launch(tool); });
        menu_->addAction(entry);
    }
}

void UserToolsController::refreshButtons()
{
    const std::vector<std::string> names = readToolNames(ports_.store);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        QAction* button = buttons_[i];
        const bool shown = i < names.size();
        button->setVisible(shown);
        button->setText(shown ? qt(names[i]) : QString());
        button->setToolTip(shown ? qt(toolTipText(names[i])) : QString());
        button->setStatusTip(shown ? qt(readTool(ports_.store, static_cast<int>(i)).command) : QString());
    }
}

void UserToolsController::runRegistration()
{
    UserToolDialog dialog(ports_.store, ports_.probe, ports_.prompts, ports_.browsers, dialogParent_);
    if (dialog.exec() == QDialog::Accepted)
        refreshButtons();
}

void UserToolsController::launch(int tool)
{
    const LaunchPlan plan = planLaunch(ports_.store, tool, ports_.probe, ports_.files);
    std::visit(
        [this](const auto& step) {
            using Step = std::decay_t<decltype(step)>;
            if constexpr (std::is_same_v<Step, core::DialogMessage>) {
                ports_.prompts.showMessage(step.icon, step.text);
            } else if constexpr (std::is_same_v<Step, GuiLaunch>) {
                if (!ports_.openGui || !ports_.openGui(step))
                    ports_.prompts.showMessage(core::MessageIcon::Information, kProgramOpenFailedText);
            } else if constexpr (std::is_same_v<Step, ConsoleLaunch>) {
                startConsole(step);
            }
        },
        plan);
}

void UserToolsController::startConsole(const ConsoleLaunch& launch)
{
    if (runner_.isRunning()) {
        if (!ports_.ask || !ports_.ask(kStopRunningToolQuestion))
            return;
        runner_.stop();
    }
    filters_ = {};
    decoders_ = {};
    pending_.clear();
    ports_.page.clearAndShow();
    runner_.start(launch);
}

void UserToolsController::stop()
{
    runner_.stop();
}

void UserToolsController::received(OutputStream stream, std::string_view bytes)
{
    const std::size_t index = streamIndex(stream);
    const std::string text = filters_[index].filter(bytes);
    queue(decoders_[index].decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size()))));
}

void UserToolsController::queue(const QString& text)
{
    pending_ += text;
    if (static_cast<std::size_t>(pending_.size()) >= kOutputBatchSize)
        flush();
    else if (!batchTimer_.isActive())
        batchTimer_.start();
}

void UserToolsController::flush()
{
    batchTimer_.stop();
    if (pending_.isEmpty())
        return;
    const PageTrim trim
        = trimForAppend(static_cast<std::size_t>(ports_.page.length()), static_cast<std::size_t>(pending_.size()));
    if (trim.dropFromPage > 0)
        ports_.page.dropOldest(static_cast<qsizetype>(trim.dropFromPage));
    ports_.page.append(trim.skipFromText > 0 ? pending_.mid(static_cast<qsizetype>(trim.skipFromText)) : pending_);
    pending_.clear();
}

} // namespace lumetra::tools::ui
