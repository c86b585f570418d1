// lumetra-cli graph: a memory graph or a time graph sampled as a graph window samples it, without the window; the
// points its charts hold are printed as CSV or JSON, or exported as the window exports them.
#include "cli/command.h"
#include "cli/graph_channel_arguments.h"
#include "cli/graph_export_options.h"
#include "cli/interrupt_request.h"
#include "cli/link_options.h"
#include "cli/monitor_cli_options.h"
#include "cli/standard_output.h"
#include "cli/text_format.h"

#include "graph/chart/chart_pane_model.h"
#include "graph/exports/graph_channel_values.h"
#include "graph/exports/graph_csv_export.h"
#include "graph/exports/graph_values_writer.h"
#include "graph/items/graph_settings.h"
#include "graph/session/graph_run_loop.h"
#include "graph/session/graph_session.h"
#include "graph/session/headless_graph_ports.h"

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
        printError(text);
        ++shown;
    }
    int shown = 0;
};

class GraphOptions {
public:
    GraphOptions()
        : memory_ {"memory", "Memory graph channel: LENGTH elements of TYPE from ADDR (up to four channels).",
            "ADDR:LENGTH:TYPE[:LABEL]", {}}
        , time_ {"time", "Time graph channel: the variable of TYPE at ADDR (up to four channels).", "ADDR:TYPE[:LABEL]",
              {}}
        , interval_ {"interval", "Time graph: milliseconds between samples.", "MS", {}}
        , count_ {"count", fillIn("Time graph: number of samples, 1 to %1.", {numberText(graph::kTimeGraphCapacity)}),
              "N", {}}
        , csv_ {"csv", "Print CSV, one row per sample (the default).", {}, {}}
        , json_ {"json", "Print one JSON object.", {}, {}}
        , separate_ {"separate", "Each channel in a pane of its own, as the window's \"개별적 그래프 그리기\".", {}, {}}
    {
    }

    void addTo(CommandLine& line) const
    {
        line.addRepeatableOption(memory_);
        line.addRepeatableOption(time_);
        for (const Option* option : {&interval_, &count_, &csv_, &json_, &separate_})
            line.addOption(*option);
        exports_.addTo(line);
    }

    std::optional<GraphRequest> read(const CommandLine& line) const
    {
        if (line.isSet(memory_) == line.isSet(time_))
            return refuse(line, "give the channels with either --memory or --time");
        if (line.isSet(csv_) && line.isSet(json_))
            return refuse(line, "give either --csv or --json");
        const graph::GraphKind kind = line.isSet(memory_) ? graph::GraphKind::Memory : graph::GraphKind::Time;
        auto channels = parseGraphChannels(kind, line.values(kind == graph::GraphKind::Memory ? memory_ : time_));
        if (const auto* error = std::get_if<std::string>(&channels))
            return refuse(line, *error);
        auto exports = exports_.read(line);
        if (!exports)
            return std::nullopt;

        GraphRequest request;
        request.json = line.isSet(json_);
        request.exports = std::move(*exports);
        // With a file to write, the points are printed only when a format is asked for.
        request.printPoints = request.exports.empty() || line.isSet(csv_) || line.isSet(json_);
        request.setup.selectionMode = line.isSet(separate_);
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
            if (line.isSet(interval_) || line.isSet(count_))
                return refuse(line, "--interval and --count belong to a time graph (--time)");
            return request;
        }
        if (!line.isSet(interval_) || !line.isSet(count_))
            return refuse(line, "a time graph needs --interval MS and --count N");
        const auto interval = readPositive(line, interval_, 0);
        if (!interval)
            return std::nullopt;
        const auto count = parseNumberArgument(line.value(count_));
        if (!count || *count < 1 || *count > graph::kTimeGraphCapacity)
            return refuse(line, fillIn("--count takes 1 to %1", {numberText(graph::kTimeGraphCapacity)}));
        environment.interval = static_cast<std::int32_t>(*interval);
        request.count = *count;
        return request;
    }

private:
    static std::optional<GraphRequest> refuse(const CommandLine& line, const std::string& message)
    {
        line.usageError(message);
        return std::nullopt;
    }

    Option memory_;
    Option time_;
    Option interval_;
    Option count_;
    Option csv_;
    Option json_;
    Option separate_;
    GraphExportOptions exports_;
};

int runGraph(const Arguments& args)
{
    CommandLine line(args,
        "Samples a memory graph (--memory) or a time graph (--time) as a graph window does and prints the points of "
        "its channels as CSV or JSON, or writes the window's exports. TYPE is one of \"short\", \"unsigned short\", "
        "\"integer\", \"unsigned integer\", \"long\", \"unsigned long\", \"float\".");
    const GraphOptions options;
    options.addTo(line);
    const LinkCommandLine command = parseLinkCommand(line, 0, 0);
    if (!command.settings)
        return command.exitCode;
    std::optional<GraphRequest> request = options.read(line);
    if (!request)
        return kUsageErrorExitCode;

    CliLink link(*command.settings);
    // Connected here, as by the other link commands, so that a failed open prints its cause; the session then
    // finds the link up.
    if (!link.connect())
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
    graph::GraphValues values = graph::graphValuesOf(session);
    if (request->printPoints) {
        if (request->json) {
            graph::writeGraphJson(std::cout, values);
        } else {
            for (graph::ChannelValues& channel : values.channels)
                channel.channel.label = printableText(channel.channel.label);
            // A file gets the mark a spreadsheet needs to read it as UTF-8; a pipe or a terminal gets the rows only.
            if (standardOutputIsFile())
                std::cout << graph::kCsvByteOrderMark;
            graph::writeGraphCsv(std::cout, values);
        }
        std::cout.flush();
    }
    if (const std::string notice = graph::sampleLagNotice(values); !notice.empty())
        printError(notice);
    const bool exported = writeGraphExports(request->exports, session, charts);
    return prompts.shown > 0 || !exported ? 1 : 0;
}

const CommandRegistration reg {"graph", "Sample a memory graph or a time graph and print its points", runGraph};

} // namespace

} // namespace lumetra::cli
