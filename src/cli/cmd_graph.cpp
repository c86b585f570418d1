// lumetra-cli graph: a memory graph or a time graph sampled as a graph window samples it, without the window; the
// points its charts hold are printed as CSV or JSON, or exported as the window exports them.
#include "cli/command.h"
#include "cli/graph_channel_arguments.h"
#include "cli/graph_export_options.h"
#include "cli/interrupt_request.h"
#include "cli/link_options.h"
#include "cli/monitor_cli_options.h"

#include "graph/chart_pane_model.h"
#include "graph/graph_channel_values.h"
#include "graph/graph_run_loop.h"
#include "graph/graph_session.h"
#include "graph/graph_settings.h"
#include "graph/graph_values_writer.h"
#include "graph/headless_graph_ports.h"

#include <algorithm>
#include <iostream>

namespace lumetra::cli {

namespace {

struct GraphRequest {
    graph::GraphSessionSetup setup;
    std::uint32_t count = 0; // time graph: samples to take
    bool json = false;
    bool printPoints = true;
    std::vector<GraphExportRequest> exports;
};

// Prints each message of the session on standard error.
class ErrorStreamPrompts final : public core::UserPrompts {
public:
    void showMessage(core::MessageIcon, std::string_view text) override
    {
        printError(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        ++shown;
    }
    int shown = 0;
};

class GraphOptions {
public:
    GraphOptions()
        : memory_(QStringLiteral("memory"),
            QStringLiteral("Memory graph channel: LENGTH elements of TYPE from ADDR (up to four channels)."),
            QStringLiteral("ADDR:LENGTH:TYPE[:LABEL]"))
        , time_(QStringLiteral("time"),
              QStringLiteral("Time graph channel: the variable of TYPE at ADDR (up to four channels)."),
              QStringLiteral("ADDR:TYPE[:LABEL]"))
        , interval_(QStringLiteral("interval"), QStringLiteral("Time graph: milliseconds between samples."),
              QStringLiteral("MS"))
        , count_(QStringLiteral("count"),
              QStringLiteral("Time graph: number of samples, 1 to %1.").arg(graph::kTimeGraphCapacity),
              QStringLiteral("N"))
        , csv_(QStringLiteral("csv"), QStringLiteral("Print CSV, one row per sample (the default)."))
        , json_(QStringLiteral("json"), QStringLiteral("Print one JSON object."))
        , separate_(QStringLiteral("separate"),
              QStringLiteral("Each channel in a pane of its own, as the window's \"개별적 그래프 그리기\"."))
    {
    }

    void addTo(CommandLine& line) const
    {
        line.addRepeatableOption(memory_);
        line.addRepeatableOption(time_);
        for (const QCommandLineOption* option : {&interval_, &count_, &csv_, &json_, &separate_})
            line.addOption(*option);
        exports_.addTo(line);
    }

    std::optional<GraphRequest> read(const CommandLine& line) const
    {
        const QCommandLineParser& parser = line.parser();
        if (parser.isSet(memory_) == parser.isSet(time_))
            return refuse(line, QStringLiteral("give the channels with either --memory or --time"));
        if (parser.isSet(csv_) && parser.isSet(json_))
            return refuse(line, QStringLiteral("give either --csv or --json"));
        const graph::GraphKind kind = parser.isSet(memory_) ? graph::GraphKind::Memory : graph::GraphKind::Time;
        auto channels = parseGraphChannels(kind, parser.values(kind == graph::GraphKind::Memory ? memory_ : time_));
        if (const auto* error = std::get_if<QString>(&channels))
            return refuse(line, *error);

        GraphRequest request;
        request.json = parser.isSet(json_);
        request.exports = exports_.read(line);
        // With a file to write, the points are printed only when a format is asked for.
        request.printPoints = request.exports.empty() || parser.isSet(csv_) || parser.isSet(json_);
        request.setup.selectionMode = parser.isSet(separate_);
        for (int c = 0; c < graph::kMaxChannels; ++c)
            request.setup.colours[static_cast<std::size_t>(c)] = graph::defaultChannelColour(kind, c);
        request.setup.channels = std::move(std::get<std::vector<graph::GraphChannel>>(channels));
        graph::GraphEnvironment& environment = request.setup.environment;
        environment.kind = kind;
        for (const graph::GraphChannel& channel : request.setup.channels) {
            environment.length = std::max(environment.length, channel.length);
            environment.decimals = std::max(environment.decimals, channel.precision);
        }
        if (kind == graph::GraphKind::Memory) {
            if (parser.isSet(interval_) || parser.isSet(count_))
                return refuse(line, QStringLiteral("--interval and --count belong to a time graph (--time)"));
            return request;
        }
        if (!parser.isSet(interval_) || !parser.isSet(count_))
            return refuse(line, QStringLiteral("a time graph needs --interval MS and --count N"));
        const auto interval = readPositive(line, interval_, 0);
        if (!interval)
            return std::nullopt;
        const auto count = parseNumberArgument(parser.value(count_));
        if (!count || *count < 1 || *count > graph::kTimeGraphCapacity)
            return refuse(line, QStringLiteral("--count takes 1 to %1").arg(graph::kTimeGraphCapacity));
        environment.interval = static_cast<std::int32_t>(*interval);
        request.count = *count;
        return request;
    }

private:
    static std::optional<GraphRequest> refuse(const CommandLine& line, const QString& message)
    {
        line.usageError(message);
        return std::nullopt;
    }

    QCommandLineOption memory_;
    QCommandLineOption time_;
    QCommandLineOption interval_;
    QCommandLineOption count_;
    QCommandLineOption csv_;
    QCommandLineOption json_;
    QCommandLineOption separate_;
    GraphExportOptions exports_;
};

int runGraph(const QStringList& args)
{
    CommandLine line(args,
        QStringLiteral("Samples a memory graph (--memory) or a time graph (--time) as a graph window does and prints "
                       "the points of its channels as CSV or JSON, or writes the window's exports. TYPE is one of "
                       "\"short\", \"unsigned short\", "
                       "\"integer\", \"unsigned integer\", \"long\", \"unsigned long\", \"float\"."));
    const GraphOptions options;
    options.addTo(line);
    const LinkCommandLine command = parseLinkCommand(line, 0, 0);
    if (!command.settings)
        return command.exitCode;
    std::optional<GraphRequest> request = options.read(line);
    if (!request)
        return kUsageErrorExitCode;

    CliLink link(*command.settings);
    if (!link.prepareUsb())
        return 1;
    graph::LinkGraphHost host(
        link.pod(), {command.settings->comPort, command.settings->baudCode, command.settings->usb});
    graph::LoopGraphTimer timer;
    ErrorStreamPrompts prompts;
    graph::SilentGraphStatusView status;
    graph::NoGraphDialogs dialogs;
    graph::SteadyGraphClock clock;
    std::array<graph::ChartPaneModel, graph::kMaxChannels> charts;
    graph::GraphSession session(std::move(request->setup),
        {link.pod(), timer, host, prompts, status, dialogs, clock, {&charts[0], &charts[1], &charts[2], &charts[3]},
            nullptr});

    const InterruptRequest interrupt;
    session.open();
    if (!session.acquiring())
        return 1; // the connect failed; its message is shown
    graph::GraphRunLimits limits;
    limits.sampleLimit = request->count;
    limits.stopRequest = &interrupt.flag();
    graph::runGraphSession(session, timer, limits);
    if (request->printPoints) {
        const graph::GraphValues values = graph::graphValuesOf(session);
        if (request->json)
            graph::writeGraphJson(std::cout, values);
        else
            graph::writeGraphCsv(std::cout, values);
        std::cout.flush();
    }
    const bool exported = writeGraphExports(request->exports, session, charts);
    return prompts.shown > 0 || !exported ? 1 : 0;
}

const CommandRegistration reg {
    QStringLiteral("graph"), QStringLiteral("Sample a memory graph or a time graph and print its points"), runGraph};

} // namespace

} // namespace lumetra::cli
