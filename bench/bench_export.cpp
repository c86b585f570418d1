// The graph exports of a four-channel time graph holding 4 x 5000 points: the text file (code page 949), the
// CSV file (with the sample times), a metafile, an SVG drawing and a PDF page of the 1400 x 900 pane, each
// written to a file in a scratch folder. Prints the median of several runs against the 200 ms an export may take.
// Usage: bench_export [FOLDER]   (the files are left in FOLDER; default: a temporary folder, removed)
#include "graph/chart/chart_pane_model.h"
#include "graph/drawing/pane_pictures.h"
#include "graph/exports/export_time.h"
#include "graph/exports/graph_csv_export.h"
#include "graph/exports/graph_text_export.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

using namespace lumetra::graph;
using Clock = std::chrono::steady_clock;

constexpr int kLines = 4;
constexpr int kPoints = 5000;
constexpr int kRuns = 7;
constexpr double kTargetMs = 200.0;
constexpr QSize kPaneSize {1400, 900};

double medianMs(const std::function<bool()>& exportOnce, bool& ok)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        ok = exportOnce() && ok;
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const bool keep = argc > 1;
    const std::filesystem::path folder
        = keep ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path() / "bench_export";
    std::filesystem::create_directories(folder);

    ChartPaneModel pane;
    pane.setXAxisMode(XAxisMode::Time);
    pane.setXSpan(200.0);
    pane.setCapacity(kPoints);
    GraphExportSource source;
    source.kind = GraphKind::Time;
    source.colours = {0xB5FFE7, 0xDEFF94, 0xFF69FF, 0xD6D7D6};
    source.sampleCounter = kPoints;
    source.panes[0] = &pane;
    source.paneCapacities[0] = kPoints;
    for (int line = 0; line < kLines; ++line) {
        const std::string label = "채널 " + std::to_string(line + 1);
        source.channels.push_back({label, 0x8000u + static_cast<std::uint32_t>(line), 0, 13, 3});
        pane.addDataLine(label, source.colours[static_cast<std::size_t>(line)]);
    }
    // Samples every 10 ms and a few microseconds, as a time graph takes them.
    SampleTimes times;
    times.reset(kPoints);
    times.begin(GraphClock::TimePoint {});
    for (int n = 0; n < kPoints; ++n) {
        for (int line = 0; line < kLines; ++line)
            pane.addPoint(line, n, 8.0 * std::sin(n / (40.0 + 15.0 * line)) + line);
        pane.advanceX(n);
        times.record(GraphClock::TimePoint {} + std::chrono::microseconds {10'000 * (n + 1) + n % 97});
    }
    source.sampleTimes = &times;
    pane.setXSpan(kPoints - 1);

    const ExportTime time = currentExportTime();
    const std::vector<drawing::PanePicture> pictures {{&pane, kPaneSize}};
    struct Case {
        const char* name;
        std::function<bool()> run;
    };
    const std::vector<Case> cases {
        {"text", [&] { return writeGraphText(folder / "graph.txt", source, time).ok(); }},
        {"csv", [&] { return writeGraphCsv(folder / "graph.csv", source).ok(); }},
        {"wmf",
            [&] {
                return drawing::writePanePictures(
                    GraphExport::Metafile, pictures, false, (folder / "graph.wmf").string())
                    .ok();
            }},
        {"svg",
            [&] {
                return drawing::writePanePictures(GraphExport::Svg, pictures, false, (folder / "graph.svg").string())
                    .ok();
            }},
        {"pdf",
            [&] {
                return drawing::writePanePictures(GraphExport::Pdf, pictures, false, (folder / "graph.pdf").string())
                    .ok();
            }},
    };

    std::printf(
        "export of %d x %d points, median of %d runs (target %.0f ms each)\n", kLines, kPoints, kRuns, kTargetMs);
    bool allOk = true;
    bool allFast = true;
    for (const Case& c : cases) {
        bool ok = true;
        const double ms = medianMs(c.run, ok);
        allOk = allOk && ok;
        allFast = allFast && ms <= kTargetMs;
        std::printf("  %-5s %8.2f ms   ratio to target %.3f%s\n", c.name, ms, ms / kTargetMs, ok ? "" : "   FAILED");
    }
    if (!keep)
        std::filesystem::remove_all(folder);
    return allOk && allFast ? 0 : 1;
}
