#include "programming/data_flash_console.h"

#include <array>
#include <chrono>
#include <cstdio>

namespace lumetra::programming {

namespace {

constexpr std::array<std::pair<std::string_view, link::DataFlashMode>, 3> kModeWords {{
    {"erase", link::DataFlashMode::Erase},
    {"write", link::DataFlashMode::Write},
    {"verify", link::DataFlashMode::WriteVerify},
}};

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

class SinkPrompts : public core::UserPrompts {
public:
    explicit SinkPrompts(const DataFlashConsole::LineSink& sink)
        : sink_(sink)
    {
    }
    void showMessage(core::MessageIcon, std::string_view text) override
    {
        last = text;
        sink_(text);
    }
    std::string last;

private:
    const DataFlashConsole::LineSink& sink_;
};

} // namespace

DataFlashConsoleReport RunDataFlashOnConsole(
    const DataFlashConsolePorts& ports, const DataFlashRequest& request, const DataFlashProgram& program)
{
    const auto start = std::chrono::steady_clock::now();
    DataFlashConsole console(ports.link, ports.interrupted, ports.print);
    SinkPrompts errors(ports.printError);
    NoLinkTakeover takeover;
    const std::atomic<bool> idle {false};
    DataFlashRunState state;
    const DataFlashOutcome outcome
        = DataFlashCommand({ports.link, errors, takeover, console, idle, idle, state}, request, program);
    DataFlashConsoleReport report {request.mode, console.result(), outcome.message, console.imageBytes(), 0};
    if (report.result && isDataFlashSuccess(*report.result)) {
        SinkPrompts messages(ports.print);
        CompleteDataFlash(
            {ports.link, messages, takeover, [&ports](link::Milliseconds wait) { ports.link.pause(wait); }},
            request.link, false, state);
        report.message = messages.last;
    }
    report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return report;
}

std::optional<link::DataFlashMode> dataFlashModeOf(std::string_view word)
{
    for (const auto& [name, mode] : kModeWords) {
        if (name == word)
            return mode;
    }
    return std::nullopt;
}

std::string_view dataFlashModeWord(link::DataFlashMode mode)
{
    for (const auto& [name, known] : kModeWords) {
        if (known == mode)
            return name;
    }
    return {};
}

DataFlashConsole::DataFlashConsole(link::CPodLink& link, const std::atomic<bool>& interrupted, LineSink print)
    : link_(link)
    , interrupted_(interrupted)
    , print_(std::move(print))
{
}

void DataFlashConsole::runModal(std::string_view title, DataFlashJob job)
{
    print_(title);
    imageBytes_ = job.image.length();
    RunDataFlash({link_, *this, interrupted_, [this](link::Milliseconds wait) { link_.pause(wait); }}, job);
}

void DataFlashConsole::setRange(std::uint64_t total)
{
    total_ = total == 0 ? 1 : total;
    lastTenth_ = 0;
}

void DataFlashConsole::setPosition(std::uint64_t position)
{
    const int tenth = static_cast<int>(std::min(position, total_) * 10 / total_);
    if (tenth <= lastTenth_)
        return;
    lastTenth_ = tenth;
    print_(std::to_string(tenth * 10) + " %");
}

void DataFlashConsole::finish(DataFlashResult result)
{
    result_ = result;
    if (const std::string_view line = dataFlashResultLine(result); !line.empty())
        print_(line);
}

int dataFlashExitCode(const std::optional<DataFlashResult>& result)
{
    if (!result)
        return kDataFlashRefusedExitCode;
    return isDataFlashSuccess(*result) ? 0 : kDataFlashRunExitBase + static_cast<int>(*result);
}

std::string dataFlashReportJson(const DataFlashConsoleReport& report)
{
    const std::string result = report.result ? std::to_string(static_cast<int>(*report.result)) : "null";
    const std::string_view line = report.result ? dataFlashResultLine(*report.result) : std::string_view {};
    const bool ok = report.result && isDataFlashSuccess(*report.result);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", report.seconds);
    return "{\"mode\": " + jsonString(dataFlashModeWord(report.mode)) + ", \"result\": " + result
        + ", \"line\": " + jsonString(line) + ", \"ok\": " + (ok ? "true" : "false")
        + ", \"message\": " + jsonString(report.message) + ", \"imageBytes\": " + std::to_string(report.imageBytes)
        + ", \"seconds\": " + seconds + ", \"exitCode\": " + std::to_string(dataFlashExitCode(report.result)) + "}";
}

} // namespace lumetra::programming
