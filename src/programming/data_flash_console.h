// The data-flash commands on a console (lumetra-cli dataflash): the dialog's log lines and a percentage at every
// tenth of each range as text lines, the run on the calling thread with an interrupt as "취소", the exit code
// and the JSON result. The command line only parses its options and prints what this hands it.
#pragma once

#include "programming/data_flash_command.h"
#include "programming/data_flash_dialog_port.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra::programming {

inline constexpr int kDataFlashRefusedExitCode = 1;
// A run that failed or was cancelled exits with 10 + its result code (10 to 15, 28).
inline constexpr int kDataFlashRunExitBase = 10;

// "erase", "write", "verify": the command line's mode words.
std::optional<link::DataFlashMode> dataFlashModeOf(std::string_view word);
std::string_view dataFlashModeWord(link::DataFlashMode mode);

class DataFlashConsole final : public DataFlashDialogPort, public DataFlashDialogHost {
public:
    using LineSink = std::function<void(std::string_view)>;
    DataFlashConsole(link::CPodLink& link, const std::atomic<bool>& interrupted, LineSink print);

    // DataFlashDialogHost: the title line, then the run to its end.
    void runModal(std::string_view title, DataFlashJob job) override;

    void setRange(std::uint64_t total) override;
    void setPosition(std::uint64_t position) override;
    void log(std::string_view line) override { print_(line); }
    void setButtonEnabled(bool) override { }
    void finish(DataFlashResult result) override;

    std::optional<DataFlashResult> result() const { return result_; }
    std::size_t imageBytes() const { return imageBytes_; }

private:
    link::CPodLink& link_;
    const std::atomic<bool>& interrupted_;
    LineSink print_;
    std::uint64_t total_ = 1;
    int lastTenth_ = 0;
    std::optional<DataFlashResult> result_;
    std::size_t imageBytes_ = 0;
};

struct DataFlashConsoleReport {
    link::DataFlashMode mode = link::DataFlashMode::Erase;
    std::optional<DataFlashResult> result; // nullopt: refused before the run
    std::string message; // the refusal, or the success message
    std::size_t imageBytes = 0;
    double seconds = 0;
};

struct DataFlashConsolePorts {
    link::CPodLink& link;
    const std::atomic<bool>& interrupted;
    DataFlashConsole::LineSink print; // progress, log lines, the success message
    DataFlashConsole::LineSink printError; // why the command did not run
};

// The command with nothing to take over, the run, and the success message of its mode.
DataFlashConsoleReport RunDataFlashOnConsole(
    const DataFlashConsolePorts& ports, const DataFlashRequest& request, const DataFlashProgram& program);

// 0 for the OK codes, 1 when nothing ran, 10 + the code otherwise.
int dataFlashExitCode(const std::optional<DataFlashResult>& result);
// {"mode", "result", "line", "ok", "message", "imageBytes", "seconds", "exitCode"} as one JSON object.
std::string dataFlashReportJson(const DataFlashConsoleReport& report);

} // namespace lumetra::programming
