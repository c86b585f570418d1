// What the progress dialog shows, decided here so that the dialog and the command line only draw it: the step
// caption, the percentage text "%d%%, %.1f sec", the bar, the button ("Cancel" during a run, "OK" after it) with
// the cancel flag, and the closing delay after the result.
#pragma once

#include "programming/run_result.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace lumetra::programming {

inline constexpr std::string_view kCancelButtonText = "Cancel";
inline constexpr std::string_view kOkButtonText = "OK";

class ProgressModel {
public:
    // The system time in milliseconds; nullopt when it cannot be read (the text then shows no seconds).
    using Clock = std::function<std::optional<std::int64_t>()>;
    explicit ProgressModel(Clock clock);

    void show();
    void setStep(std::string_view caption) { caption_ = caption; }
    void setRange(std::uint64_t total);
    void setPosition(std::uint64_t position);
    // The button: "Cancel" sets the cancel flag; "OK" asks the dialog to close (true).
    bool pressButton();
    void showResult(RunResult result);

    const std::string& caption() const { return caption_; }
    const std::string& percentText() const { return percentText_; }
    int percent() const { return percent_; }
    std::string_view buttonText() const { return running_ ? kCancelButtonText : kOkButtonText; }
    bool cancelRequested() const { return cancel_; }
    // After the result, the dialog closes by itself this long after it was shown: 200 ms after 0 and 1, else 1000 ms.
    std::optional<std::chrono::milliseconds> closeDelay() const { return closeDelay_; }

private:
    Clock clock_;
    std::string caption_;
    std::string percentText_ = "0%";
    int percent_ = 0;
    std::uint64_t total_ = 1;
    std::optional<std::int64_t> startMs_;
    bool running_ = true;
    bool cancel_ = false;
    std::optional<std::chrono::milliseconds> closeDelay_;
};

} // namespace lumetra::programming
