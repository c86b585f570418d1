#include "programming/progress_model.h"

#include <algorithm>
#include <cstdio>

namespace lumetra::programming {

namespace {

constexpr std::chrono::milliseconds kCloseAfterSuccess {200};
constexpr std::chrono::milliseconds kCloseAfterError {1000};

} // namespace

ProgressModel::ProgressModel(Clock clock)
    : clock_(std::move(clock))
{
}

void ProgressModel::show()
{
    caption_.clear();
    percentText_ = "0%";
    percent_ = 0;
    running_ = true;
    cancel_ = false;
    closeDelay_.reset();
}

void ProgressModel::setRange(std::uint64_t total)
{
    total_ = std::max<std::uint64_t>(total, 1);
    startMs_ = clock_();
}

void ProgressModel::setPosition(std::uint64_t position)
{
    percent_ = static_cast<int>(std::min(total_, position) * 100 / total_);
    const std::optional<std::int64_t> now = clock_();
    char text[48];
    if (now && startMs_) {
        std::snprintf(text, sizeof text, "%d%%, %.1f sec", percent_, static_cast<double>(*now - *startMs_) / 1000.0);
    } else {
        std::snprintf(text, sizeof text, "%d%%", percent_);
    }
    percentText_ = text;
}

bool ProgressModel::pressButton()
{
    if (running_) {
        cancel_ = true;
        return false;
    }
    return true;
}

void ProgressModel::showResult(RunResult result)
{
    caption_ = resultLine(result);
    running_ = false;
    closeDelay_ = isSuccess(result) ? kCloseAfterSuccess : kCloseAfterError;
}

} // namespace lumetra::programming
