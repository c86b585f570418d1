// The strip chart widget and its painter: repaints capped at one per frame however often the data is
// refreshed, mouse input discarded while the window acquires, and the screen and print appearances as painted.
#include "graph/drawing/chart_painter.h"
#include "graph/ui/strip_chart_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QWheelEvent>

#include <cmath>

namespace lumetra::graph::ui {
namespace {

constexpr std::uint32_t kLineColour = 0xFF69FF; // red 255, green 105, blue 255

class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

void fillSine(StripChart& chart, int points)
{
    chart.setXAxisMode(XAxisMode::Memory);
    chart.setXSpan(points - 1);
    chart.setCapacity(static_cast<std::size_t>(points));
    chart.addDataLine("사인", kLineColour);
    for (int n = 0; n < points; ++n)
        chart.addPoint(0, n, 9.0 * std::sin(n * 0.05));
}

void click(QWidget& widget, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, modifiers);
    QMouseEvent release(
        QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(&widget, &press);
    QApplication::sendEvent(&widget, &release);
}

int pixelsOf(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    }
    return count;
}

TEST(StripChartWidget, RefreshesAfterEveryPointPaintAtMostOncePerFrame)
{
    StripChartWidget chart;
    chart.resize(600, 300);
    chart.setCapacity(5000);
    chart.addDataLine("CH1", kLineColour);
    chart.setXSpan(200.0);
    chart.show();
    QApplication::processEvents();
    PaintCounter counter;
    chart.installEventFilter(&counter);

    std::int64_t sample = 0;
    QElapsedTimer running;
    running.start();
    while (running.elapsed() < 300) {
        const int paintsBefore = counter.paints;
        for (int n = 0; n < 50; ++n, ++sample) {
            chart.advanceX(static_cast<double>(sample));
            chart.addPoint(0, sample, std::sin(static_cast<double>(sample) * 0.1));
            refresh(chart);
        }
        ASSERT_EQ(counter.paints, paintsBefore); // the refreshes themselves never paint
        QApplication::processEvents();
    }
    while (running.elapsed() < 300 + 2 * kFrameIntervalMs)
        QApplication::processEvents();
    EXPECT_GE(counter.paints, 1);
    EXPECT_LE(counter.paints, running.elapsed() / kFrameIntervalMs + 1) << sample << " points";
    EXPECT_GT(sample, 1000);
}

TEST(StripChartWidget, AddingPointsAndEndingRefreshesNeverPaintsAtOnce)
{
    StripChartWidget chart;
    chart.resize(400, 200);
    chart.setCapacity(100);
    chart.addDataLine("CH1", kLineColour);
    chart.show();
    QApplication::processEvents();
    PaintCounter counter;
    chart.installEventFilter(&counter);
    for (int n = 0; n < 1000; ++n) {
        chart.addPoint(0, n, n);
        refresh(chart);
    }
    EXPECT_EQ(counter.paints, 0);
}

TEST(StripChartWidget, MouseInputIsDiscardedWhileNotInteractive)
{
    StripChartWidget chart;
    chart.resize(600, 300);
    fillSine(chart, 100);
    const QPoint middle = chart.rect().center();

    chart.setInteractive(false);
    click(chart, middle);
    QWheelEvent wheel(
        middle, chart.mapToGlobal(middle), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart, &wheel);
    EXPECT_EQ(chart.interaction().cursor(CursorMark::A), std::nullopt);
    EXPECT_FALSE(chart.interaction().zoomed());

    chart.setInteractive(true);
    click(chart, middle);
    click(chart, middle + QPoint(100, 0), Qt::ShiftModifier);
    ASSERT_TRUE(chart.interaction().cursor(CursorMark::A));
    ASSERT_TRUE(chart.interaction().cursor(CursorMark::B));
    EXPECT_GT(*chart.interaction().cursor(CursorMark::B), *chart.interaction().cursor(CursorMark::A));
    const PlotMapping mapping = drawing::chartPlotMapping(chart, chart.rect(), chart.model(), chart.interaction());
    EXPECT_EQ(*chart.interaction().cursor(CursorMark::A), std::round(mapping.xOfPixel(middle.x())));
    QApplication::sendEvent(&chart, &wheel);
    EXPECT_TRUE(chart.interaction().zoomed());
    QMouseEvent doubleClick(
        QEvent::MouseButtonDblClick, middle, chart.mapToGlobal(middle), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&chart, &doubleClick);
    EXPECT_FALSE(chart.interaction().zoomed());

    // Acquiring again drops the cursors.
    chart.setInteractive(false);
    EXPECT_EQ(chart.interaction().cursor(CursorMark::A), std::nullopt);
}

TEST(ChartPainter, ScreenAndPrintAppearancesOnAnImage)
{
    ChartPaneModel pane;
    fillSine(pane, 500);
    QImage screen(600, 300, QImage::Format_RGB32);
    screen.fill(Qt::green);
    {
        QPainter painter(&screen);
        drawing::paintChart(painter, screen.rect(), pane);
    }
    EXPECT_EQ(screen.pixelColor(2, 2), QColor(Qt::black));
    EXPECT_EQ(pixelsOf(screen, QColor(Qt::green)), 0);
    EXPECT_GT(pixelsOf(screen, QColor(255, 105, 255)), 300);

    pane.setPrintAppearance({0xFFFFFF, 0xFFFFFF, true, true});
    pane.setLineColour(0, 0x000000);
    pane.setTitle("Monday, December 07, 2026");
    QImage paper(600, 300, QImage::Format_RGB32);
    {
        QPainter painter(&paper);
        drawing::paintChart(painter, paper.rect(), pane);
    }
    EXPECT_EQ(paper.pixelColor(paper.width() / 2, paper.height() - 3), QColor(Qt::white));
    EXPECT_EQ(pixelsOf(paper, QColor(255, 105, 255)), 0);
    EXPECT_GT(pixelsOf(paper, QColor(Qt::black)), 500);
}

TEST(ChartPainter, AnInactivePainterOrAnEmptyAreaPaintsNothing)
{
    ChartPaneModel pane;
    fillSine(pane, 50);
    QPainter inactive;
    drawing::paintChart(inactive, QRect(0, 0, 200, 100), pane);
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(Qt::green);
    {
        QPainter painter(&image);
        drawing::paintChart(painter, QRect(10, 10, 0, 0), pane);
    }
    EXPECT_EQ(pixelsOf(image, QColor(Qt::green)), 50 * 50);
}

TEST(ChartPainter, PaintsIntoAnSvgGenerator)
{
    ChartPaneModel pane;
    fillSine(pane, 200);
    QBuffer svg;
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(400, 200));
    generator.setViewBox(QRect(0, 0, 400, 200));
    {
        QPainter painter(&generator);
        drawing::paintChart(painter, QRect(0, 0, 400, 200), pane);
    }
    const QByteArray text = svg.data();
    EXPECT_TRUE(text.contains("#ff69ff"));
    EXPECT_TRUE(text.contains("사인"));
}

} // namespace
} // namespace lumetra::graph::ui
