// The user tools in the main window: the "도구(&T)" menu rebuilt on every opening, the five tool buttons at the
// toolbar's end, the registration dialog, and the launch of a tool with its console output captured into the
// message page, in batches, while the wait cursor shows.
#pragma once

#include "core/settings_store.h"
#include "core/user_prompts.h"
#include "tools/console_text.h"
#include "tools/path_probe.h"
#include "tools/tool_launch.h"
#include "tools/tool_runner.h"
#include "tools/ui/console_decoder.h"
#include "tools/ui/qt_child_process.h"
#include "tools/ui/tool_browsers.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <string_view>

class QAction;
class QMenu;
class QWidget;

namespace lumetra::tools::ui {

// The message page as the tools see it.
struct ToolOutputPage {
    std::function<void()> clearAndShow; // made the active page and emptied
    std::function<void(const QString&)> append; // at the end, scrolled to it
    std::function<qsizetype()> length; // characters on the page
    std::function<void(qsizetype)> dropOldest; // characters removed from the start
};

struct UserToolsPorts {
    core::SettingsStore& store;
    core::UserPrompts& prompts;
    const PathProbe& probe;
    ProgramFiles& files;
    ToolOutputPage page;
    ToolBrowsers browsers;
    std::function<bool(std::string_view question)> ask; // yes or no
    std::function<bool(const GuiLaunch&)> openGui; // false when it could not be opened
    std::function<void()> busyOn; // the wait cursor from a tool's start to its end
    std::function<void()> busyOff;
};

// The platform's "open" for a GUI program: the shell on Windows, a detached start (or the desktop's handler)
// elsewhere.
bool openGuiProgram(const GuiLaunch& launch);

class UserToolsController : public QObject {
    Q_OBJECT

public:
    // `toolsMenu` holds the registration entry and a separator; `buttons` are the toolbar's five tool buttons.
    UserToolsController(UserToolsPorts ports, QMenu* toolsMenu, QAction* registration,
        std::array<QAction*, kMaxUserTools> buttons, QWidget* dialogParent);
    // A tool still running is stopped.
    ~UserToolsController() override;

    // The menu's tool entries from the stored names (also on every opening of the menu).
    void rebuildMenu();
    // The buttons of the registered tools shown, with their names as tool tips; the others hidden.
    void refreshButtons();
    // The registration dialog, modal; after OK the buttons follow the new rows.
    void runRegistration();
    // Tool 0 to 4.
    void launch(int tool);
    // Ends a running tool within the runner's bounded waits (program exit).
    void stop();

    const ToolRunner& runner() const { return runner_; }
    QtChildProcess& child() { return child_; }

signals:
    // A captured tool ended (or was stopped); its output is on the page.
    void toolEnded();

private:
    void startConsole(const ConsoleLaunch& launch);
    void received(OutputStream stream, std::string_view bytes);
    void queue(const QString& text);
    void flush();

    UserToolsPorts ports_;
    QMenu* menu_;
    std::array<QAction*, kMaxUserTools> buttons_;
    QWidget* dialogParent_;
    QtChildProcess child_;
    ToolRunner runner_;
    std::array<ConsoleTextFilter, 2> filters_;
    std::array<ConsoleDecoder, 2> decoders_;
    QString pending_;
    QTimer batchTimer_;
};

} // namespace lumetra::tools::ui
