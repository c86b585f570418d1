#include "monitor/ui/view_type_menu.h"

#include <QAction>
#include <QMenu>

namespace lumetra::monitor::ui {

void addViewTypeMenu(QMenu& menu, MonitorPane pane, bool enabled, std::optional<ViewType> current,
    const std::function<void(ViewType)>& chosen)
{
    QMenu* views = menu.addMenu(QString::fromUtf8(kViewTypeMenuTitle));
    views->setEnabled(enabled);
    for (unsigned code = 0; code < kViewTypeCount; ++code) {
        const ViewType view = *viewTypeFromCode(code);
        const std::string_view text = viewTypeMenuText(view, pane);
        QAction* action = views->addAction(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        action->setEnabled(enabled);
        action->setCheckable(true);
        action->setChecked(current == view);
        QObject::connect(action, &QAction::triggered, views, [chosen, view] { chosen(view); });
    }
}

} // namespace lumetra::monitor::ui
