#include "app/ui/qt_busy_notice.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

namespace lumetra::app::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// How long to wait for the window system to show the notice before measuring anyway.
constexpr int kExposeWaitMs = 2000;

} // namespace

QtBusyNotice::QtBusyNotice() = default;
QtBusyNotice::~QtBusyNotice() = default;

void QtBusyNotice::show(std::string_view title, std::span<const std::string_view> lines)
{
    window_ = std::make_unique<QWidget>(nullptr, Qt::Dialog | Qt::WindowTitleHint);
    window_->setWindowTitle(qt(title));
    auto* layout = new QVBoxLayout(window_.get());
    for (std::string_view line : lines)
        layout->addWidget(new QLabel(qt(line)));
    window_->show();
    // The measurement blocks the event loop: the notice must be on the screen with its texts before it starts.
    // The window system maps the window some time after show(); only then can it be painted.
    const QDeadlineTimer deadline(kExposeWaitMs);
    while (!window_->windowHandle()->isExposed() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    window_->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QGuiApplication::sync();
}

void QtBusyNotice::close()
{
    window_.reset();
}

} // namespace lumetra::app::ui
