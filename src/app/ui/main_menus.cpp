#include "app/ui/main_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace lumetra::app::ui {

MainMenus buildMainMenus(QMenuBar* bar, const MainActions& a)
{
    MainMenus menus;
    menus.file = bar->addMenu(QStringLiteral("파일(&F)"));
    menus.file->addActions({a.coffOpen, a.coffReload, a.symbolOpen, a.symbolSave});
    menus.recentFilesStart = menus.file->addSeparator();
    menus.recentFilesEnd = menus.file->addSeparator();
    menus.file->addAction(a.exit);

    menus.action = bar->addMenu(QStringLiteral("동작(&A)"));
    menus.action->addActions({a.variableMonitoring, a.addressMonitoring});
    menus.action->addSeparator();
    menus.action->addActions({a.targetReset, a.sciBoot, a.closePort});
    menus.action->addSeparator();
    menus.action->addActions({a.dataFlashErase, a.dataFlashWrite, a.dataFlashWriteVerify});
    menus.action->addSeparator();
    menus.action->addActions({a.memoryGraph, a.timeGraph});

    menus.settings = bar->addMenu(QStringLiteral("설정(&C)"));
    menus.settings->addAction(a.settings);

    menus.view = bar->addMenu(QStringLiteral("보기(&V)"));
    menus.view->addAction(a.outputWindow);
    menus.view->addSeparator();
    menus.view->addActions({a.toolBar, a.statusBar});

    menus.tools = bar->addMenu(QStringLiteral("도구(&T)"));
    menus.tools->addAction(a.userToolRegistration);
    menus.tools->addSeparator();

    menus.help = bar->addMenu(QStringLiteral("도움말(&H)"));
    menus.help->addAction(a.about);

    showRecentFiles(menus, {});
    return menus;
}

void buildMainToolBar(QToolBar* t, const MainActions& a)
{
    t->addActions({a.coffOpen, a.coffReload, a.symbolOpen, a.symbolSave});
    t->addSeparator();
    t->addAction(a.sciBoot);
    t->addSeparator();
    t->addActions({a.dataFlashErase, a.dataFlashWrite, a.dataFlashWriteVerify});
    t->addSeparator();
    t->addActions({a.variableMonitoring, a.addressMonitoring, a.targetReset, a.closePort, a.settings});
    t->addSeparator();
    t->addActions({a.memoryGraph, a.timeGraph, a.userToolRegistration, a.outputWindow, a.about});
    t->addSeparator();
    for (QAction* tool : a.userTools)
        t->addAction(tool);
}

std::vector<QAction*> showRecentFiles(const MainMenus& menus, const std::vector<std::string>& paths)
{
    QMenu* file = menus.file;
    const QList<QAction*> all = file->actions();
    const qsizetype start = all.indexOf(menus.recentFilesStart);
    const qsizetype end = all.indexOf(menus.recentFilesEnd);
    for (qsizetype i = start + 1; i < end; ++i) {
        file->removeAction(all[i]);
        all[i]->deleteLater();
    }

    std::vector<QAction*> entries;
    if (paths.empty()) {
        auto* none = new QAction(QStringLiteral("최근 파일"), file);
        showPrompt(none, MainCommand::RecentFile);
        none->setEnabled(false);
        file->insertAction(menus.recentFilesEnd, none);
        return entries;
    }
    int number = 1;
    for (const std::string& path : paths) {
        QString shown = QString::fromStdString(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(number++).arg(shown), file);
        showPrompt(entry, MainCommand::RecentFile);
        file->insertAction(menus.recentFilesEnd, entry);
        entries.push_back(entry);
    }
    return entries;
}

} // namespace lumetra::app::ui
