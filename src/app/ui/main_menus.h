// The menu bar and the toolbar of the main window, in the order of their commands.
#pragma once

#include "app/ui/main_actions.h"

#include <string>
#include <vector>

class QMenu;
class QMenuBar;
class QToolBar;

namespace lumetra::app::ui {

struct MainMenus {
    QMenu* file = nullptr;
    QMenu* action = nullptr;
    QMenu* settings = nullptr;
    QMenu* view = nullptr;
    QMenu* tools = nullptr;
    QMenu* help = nullptr;
    // The recent files stand in the file menu between these two separators.
    QAction* recentFilesStart = nullptr;
    QAction* recentFilesEnd = nullptr;
};

MainMenus buildMainMenus(QMenuBar* bar, const MainActions& actions);
void buildMainToolBar(QToolBar* toolBar, const MainActions& actions);

// Replaces the recent file entries: "&1 path" .. "&10 path", or the disabled "최근 파일" while the list is empty.
// Returns the entry actions in list order.
std::vector<QAction*> showRecentFiles(const MainMenus& menus, const std::vector<std::string>& paths);

} // namespace lumetra::app::ui
