#include "app/busy_wait_calibration.h"
#include "app/ui/qt_busy_notice.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <QWindow>

#include <map>

namespace lumetra::app::ui {
namespace {

// Counts, by text, the paint events of every label whose window is on the screen: a window system does not keep
// what is painted before it shows the window.
class LabelPaints final : public QObject {
public:
    LabelPaints() { QApplication::instance()->installEventFilter(this); }
    ~LabelPaints() override { QApplication::instance()->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const auto* label = qobject_cast<QLabel*>(watched);
            const QWindow* window = label != nullptr ? label->window()->windowHandle() : nullptr;
            if (window != nullptr && window->isExposed())
                ++counts[label->text()];
        }
        return false;
    }

    std::map<QString, int> counts;
};

TEST(QtBusyNoticeTest, TheNoticeIsOnTheScreenWithItsTextsWhenShowReturns)
{
    LabelPaints paints;
    QtBusyNotice notice;
    notice.show(kCalibrationTitle, kCalibrationLines);
    // Nothing runs the event loop from here on, as during the measurement.
    for (std::string_view line : kCalibrationLines)
        EXPECT_GE(paints.counts[QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()))], 1) << line;
    const QWidget* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowTitle() == QString::fromUtf8(kCalibrationTitle.data()))
            window = top;
    }
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    notice.close();
}

} // namespace
} // namespace lumetra::app::ui
