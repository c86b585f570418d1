// The desktop panes on the offscreen platform against the in-process simulated demo target: filling the symbol
// pane with 100,000 symbols (sort and first paint), one memory monitor page refresh (read, model update and
// paint), and how late a 1 ms timer fires while both monitors poll every 10 ms.
// Usage: bench_gui_panes
#include "app/ui/desktop_application.h"
#include "app/ui/main_window.h"
#include "core/memory_settings_store.h"
#include "image/ui/symbol_list_view.h"
#include "monitor/ui/memory_monitor_pane.h"
#include "sim/demo_target.h"
#include "sim/in_process_transport.h"
#include "sim/pod_simulator.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace lumetra;
using Clock = std::chrono::steady_clock;

constexpr int kSymbols = 100000;
constexpr int kPageRefreshes = 200;
constexpr int kVariables = 10;
constexpr int kPollIntervalMs = 10;
constexpr int kLatencyRunMs = 3000;

class FirstInstance final : public app::SingleInstance {
public:
    bool acquire(std::string_view) override { return true; }
};

class CountingPrompts final : public app::UserPrompts {
public:
    void showMessage(app::MessageIcon, std::string_view) override { ++shown; }
    int shown = 0;
};

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

image::SymbolList shuffledSymbols()
{
    std::vector<image::CDataObject> records;
    records.reserve(kSymbols);
    for (int n = 0; n < kSymbols; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "symbol_%06d", n);
        records.push_back(image::CDataObject {name, static_cast<std::uint32_t>(0x8000 + n), 4, "", 0});
    }
    std::shuffle(records.begin(), records.end(), std::mt19937(7));
    return image::SymbolList(std::move(records));
}

void fillSymbolPane(app::ui::DesktopApplication& desktop)
{
    const image::SymbolList symbols = shuffledSymbols();
    image::ui::SymbolListView* view = desktop.window().symbolList();
    const Clock::time_point start = Clock::now();
    view->showSymbols(symbols, 0x009D);
    view->viewport()->repaint();
    std::printf("symbol pane, %d symbols: %.1f ms (load, sort, first paint)\n", kSymbols, millisecondsSince(start));
}

void refreshMemoryPage(app::ui::DesktopApplication& desktop)
{
    desktop.window().actions().addressMonitoring->trigger();
    monitor::ui::MemoryMonitorPane& pane = desktop.memoryPane();
    link::CPodLink& link = desktop.core().mainFrame().link();
    const Clock::time_point start = Clock::now();
    int failed = 0;
    for (int n = 0; n < kPageRefreshes; ++n) {
        failed += desktop.monitors().memory().poll(link) ? 0 : 1;
        pane.refresh();
        pane.table()->viewport()->repaint();
    }
    const double each = millisecondsSince(start) / kPageRefreshes;
    std::printf("memory page refresh, %zu rows: %.3f ms each, %.3f of the %d ms poll interval%s\n",
        desktop.monitors().memory().rows().size(), each, each / kPollIntervalMs, kPollIntervalMs,
        failed ? " (reads failed)" : "");
}

void measureLatency(app::ui::DesktopApplication& desktop)
{
    auto& registered = desktop.core().registeredVariables();
    for (int n = 0; n < kVariables; ++n)
        registered.push_back(image::CDataObject {std::string(1, static_cast<char>('a' + n)),
            static_cast<std::uint32_t>(0x8000 + 2 * n), n % 2 ? std::uint16_t {5} : std::uint16_t {4}, "", 0});
    emit desktop.registeredListReplaced();
    desktop.window().actions().variableMonitoring->trigger();

    std::vector<double> lateness;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    Clock::time_point last = Clock::now();
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        lateness.push_back(std::max(0.0, std::chrono::duration<double, std::milli>(now - last).count() - 1.0));
        last = now;
    });
    probe.start();
    QElapsedTimer run;
    run.start();
    while (run.elapsed() < kLatencyRunMs)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    probe.stop();

    std::sort(lateness.begin(), lateness.end());
    const auto at = [&lateness](double share) {
        return lateness[std::min(lateness.size() - 1, static_cast<std::size_t>(share * double(lateness.size())))];
    };
    std::printf("event loop while polling %d variables and a memory page every %d ms: 1 ms timer late by "
                "median %.3f ms, 99th percentile %.3f ms, max %.3f ms (%zu fires); link %s\n",
        kVariables, kPollIntervalMs, at(0.5), at(0.99), lateness.back(), lateness.size(),
        desktop.core().linkState().linkUp() ? "ON LINE" : "OFF LINE");
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    core::MemorySettingsStore store;
    store.writeInt("Main Configuration", "MicroTime Length", 7);
    store.writeInt("Main Configuration", "Time Interval", kPollIntervalMs);
    store.writeInt("Main Configuration", "CPU TYPE", 26);
    store.writeInt("Main Configuration", "Start Data Address", 0x8000);
    sim::PodSimulator pod;
    sim::configureDemoTarget(pod);
    sim::InProcessTransportFactory transports(pod);
    FirstInstance instance;
    CountingPrompts prompts;
    QTemporaryDir scratch;
    app::ui::DesktopApplication desktop(
        store, transports, instance, std::filesystem::path(scratch.path().toStdString()), &prompts);
    if (desktop.start() != app::StartResult::Started)
        return 1;
    desktop.window().resize(1280, 800);
    desktop.window().rightSplitter()->setSizes({200, 600});
    QApplication::processEvents();

    fillSymbolPane(desktop);
    refreshMemoryPage(desktop);
    measureLatency(desktop);
    if (prompts.shown)
        std::printf("%d messages were shown\n", prompts.shown);
    return 0;
}
