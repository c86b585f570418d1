// The strip chart on the offscreen platform: (a) painting 4 lines of 5000 points into a 1400 x 900 image, all
// points in view (memory graph) and a scrolled 200-point window of them (time graph); (b) adding 4 x 5000 points
// with a refresh after each, as the sampling engine does, into a shown widget, counting the paints it caused.
// Usage: bench_chart [--png FILE]   (FILE receives the painted memory graph frame)
#include "graph/chart/chart_pane_model.h"
#include "graph/drawing/chart_painter.h"
#include "graph/ui/strip_chart_widget.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <numbers>
#include <random>

namespace {

using namespace lumetra::graph;
using Clock = std::chrono::steady_clock;

constexpr int kLines = 4;
constexpr int kPoints = 5000;
constexpr int kFrames = 200;
constexpr double kPaintTargetMs = 5.0;
constexpr double kFeedTargetMs = 20.0;
constexpr std::uint32_t kColours[kLines] = {0xB5FFE7, 0xDEFF94, 0xFF69FF, 0xD6D7D6};
const char* const kTitles[kLines] = {"사인", "잡음 사인", "톱니", "잡음"};

// Wall time and processor time: on a shared machine the processor time shows the work itself.
class Stopwatch {
public:
    double wallMs() const { return std::chrono::duration<double, std::milli>(Clock::now() - wall_).count(); }
    double cpuMs() const { return 1000.0 * static_cast<double>(std::clock() - cpu_) / CLOCKS_PER_SEC; }

private:
    Clock::time_point wall_ = Clock::now();
    std::clock_t cpu_ = std::clock();
};

// Sine, noisy sine, saw tooth and noise: the shapes a target's variables take.
class DemoSignals {
public:
    double value(int line, int n)
    {
        const double t = n / static_cast<double>(kPoints);
        switch (line) {
        case 0:
            return 8.0 * std::sin(2.0 * std::numbers::pi * 3.0 * t);
        case 1:
            return 5.0 * std::sin(2.0 * std::numbers::pi * 7.0 * t) + noise_(random_) * 0.6;
        case 2:
            return -9.0 + 6.0 * std::fmod(t * 5.0, 1.0);
        default:
            return 6.0 + noise_(random_) * 0.8;
        }
    }

private:
    std::mt19937 random_ {5};
    std::normal_distribution<double> noise_ {0.0, 1.0};
};

void addLines(StripChart& chart)
{
    for (int line = 0; line < kLines; ++line)
        chart.addDataLine(kTitles[line], kColours[line]);
}

void fillPane(ChartPaneModel& pane, XAxisMode mode)
{
    pane.setXAxisMode(mode);
    pane.setXSpan(mode == XAxisMode::Memory ? kPoints - 1 : 200.0);
    pane.setCapacity(kPoints);
    pane.setDecimals(1);
    addLines(pane);
    DemoSignals source;
    for (int n = 0; n < kPoints; ++n) {
        pane.advanceX(n);
        for (int line = 0; line < kLines; ++line)
            pane.addPoint(line, n, source.value(line, n));
    }
}

QImage measurePaint(XAxisMode mode, const char* what)
{
    ChartPaneModel pane;
    fillPane(pane, mode);
    QImage image(1400, 900, QImage::Format_RGB32);
    const auto paintFrame = [&] {
        QPainter painter(&image);
        drawing::paintChart(painter, image.rect(), pane);
    };
    paintFrame();
    const Stopwatch watch;
    for (int frame = 0; frame < kFrames; ++frame)
        paintFrame();
    const double wall = watch.wallMs() / kFrames;
    const double cpu = watch.cpuMs() / kFrames;
    std::printf("paint %d x %d points (%s), 1400 x 900 image: %.3f ms per frame (processor %.3f ms), %.2f of the "
                "%.0f ms target\n",
        kLines, kPoints, what, wall, cpu, cpu / kPaintTargetMs, kPaintTargetMs);
    return image;
}

class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int paints = 0;
};

void measureFeed()
{
    ui::StripChartWidget chart;
    chart.resize(1400, 900);
    chart.setXAxisMode(XAxisMode::Time);
    chart.setXSpan(200.0);
    chart.setCapacity(kPoints);
    addLines(chart);
    chart.show();
    QApplication::processEvents();
    PaintCounter counter;
    chart.installEventFilter(&counter);

    DemoSignals source;
    const Stopwatch watch;
    for (int n = 0; n < kPoints; ++n) {
        chart.advanceX(n);
        for (int line = 0; line < kLines; ++line) {
            chart.addPoint(line, n, source.value(line, n));
            refresh(chart);
        }
    }
    const double wall = watch.wallMs();
    const double cpu = watch.cpuMs();
    std::printf("add %d x %d points with a refresh after each: %.3f ms in all (processor %.3f ms), %.2f of the "
                "%.0f ms target, %d paints during the run\n",
        kLines, kPoints, wall, cpu, cpu / kFeedTargetMs, kFeedTargetMs, counter.paints);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const char* pngPath = argc == 3 && std::strcmp(argv[1], "--png") == 0 ? argv[2] : nullptr;
    if (argc != 1 && !pngPath) {
        std::fprintf(stderr, "usage: bench_chart [--png FILE]\n");
        return 2;
    }
    const QImage memoryFrame = measurePaint(XAxisMode::Memory, "all in view");
    measurePaint(XAxisMode::Time, "200 of them in view");
    measureFeed();
    if (pngPath && !memoryFrame.save(QString::fromLocal8Bit(pngPath))) {
        std::fprintf(stderr, "cannot write %s\n", pngPath);
        return 1;
    }
    return 0;
}
