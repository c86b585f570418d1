// What the tests of the programming dialogs share: events let through until a condition holds (the dialogs' own
// timers close them; the bound only ends a wait for what never comes, so a slow machine cannot fail it), and a
// picture of the screen (where the platform can grab it, with the main window behind the dialog; else the widget)
// into LUMETRA_SCREENSHOT_DIR.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <functional>

namespace lumetra::app::ui {

inline void saveScreenshot(QWidget& widget, const char* name)
{
    const QString folder = qEnvironmentVariable("LUMETRA_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    // Let the windows paint what they show now before the screen is read.
    const QDeadlineTimer settle(200);
    while (!settle.hasExpired())
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
    QPixmap shot = widget.screen() ? widget.screen()->grabWindow(0) : QPixmap();
    if (shot.isNull())
        shot = widget.grab();
    shot.save(folder + QLatin1Char('/') + QLatin1String(name));
}

inline bool eventsUntil(const std::function<bool()>& done)
{
    const QDeadlineTimer deadline(60000);
    while (!done() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

} // namespace lumetra::app::ui
