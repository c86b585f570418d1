#include "app/ui/qt_busy_notice.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace lumetra::app::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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
    // The measurement blocks the event loop: paint the notice before it starts.
    QApplication::processEvents();
}

void QtBusyNotice::close()
{
    window_.reset();
}

} // namespace lumetra::app::ui
