// The graph commands of the main window: "메모리 그래프(&G)..." and "시간 그래프(&T)..." open the item dialog of
// their kind over the open program's symbols; on OK with a selection a new graph window opens beside the main
// window. Keeps the open windows in step when the application stops them all.
#pragma once

#include "app/application.h"
#include "graph/items/graph_items.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace lumetra::graph::ui {
class GraphWindow;
}

namespace lumetra::app::ui {

class GraphWindows final : public QObject {
    Q_OBJECT

public:
    GraphWindows(Application& app, UserPrompts& prompts, QWidget& mainWindow);
    ~GraphWindows() override;

    // The command of `kind`; ignored while programming runs.
    void runGraphCommand(graph::GraphKind kind);
    // A new window of `kind` over this run's selection of that kind; null when the selection is empty.
    graph::ui::GraphWindow* openWindow(graph::GraphKind kind);

    // The open graph windows, oldest first.
    QList<graph::ui::GraphWindow*> windows() const;

signals:
    // A graph window started or stopped acquiring, or closed: the main window's monitor commands follow.
    void acquisitionChanged();

private:
    Application& app_;
    UserPrompts& prompts_;
    QWidget& mainWindow_;
    QList<QPointer<graph::ui::GraphWindow>> windows_;
};

} // namespace lumetra::app::ui
