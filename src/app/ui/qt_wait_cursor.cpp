#include "app/ui/qt_wait_cursor.h"

#include <QApplication>
#include <QCursor>

namespace lumetra::app::ui {

void QtWaitCursor::show()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void QtWaitCursor::restore()
{
    QApplication::restoreOverrideCursor();
}

} // namespace lumetra::app::ui
