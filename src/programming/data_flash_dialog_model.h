// What the data-flash dialog shows, decided here so that the dialog only draws it: the log lines, the "%d %%"
// text and the bar, the button ("취소" during the run, "확인" after it) and the closing delay after the end.
#pragma once

#include "programming/data_flash_result.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::programming {

inline constexpr std::string_view kDataFlashCancelText = "취소";
inline constexpr std::string_view kDataFlashOkText = "확인";
inline constexpr std::chrono::milliseconds kDataFlashClosingDelay {1000};

enum class DataFlashButtonAction { Cancel, Close };

class DataFlashDialogModel {
public:
    // n, or 1 when n is 0; the position goes back to 0.
    void setRange(std::uint64_t total);
    // Clamped to the range.
    void setPosition(std::uint64_t position);
    void log(std::string_view line) { lines_.emplace_back(line); }
    void setButtonEnabled(bool enabled) { buttonEnabled_ = enabled; }
    // "확인", enabled, the code's line (when it has one) and the closing delay.
    void finish(DataFlashResult result);
    // "취소" asks for Cancel, "확인" for closing the dialog.
    DataFlashButtonAction pressButton();

    const std::vector<std::string>& lines() const { return lines_; }
    int percent() const { return static_cast<int>(position_ * 100 / total_); }
    std::string percentText() const { return std::to_string(percent()) + " %"; }
    std::string_view buttonText() const { return finished_ ? kDataFlashOkText : kDataFlashCancelText; }
    bool buttonEnabled() const { return buttonEnabled_; }
    std::optional<std::chrono::milliseconds> closeDelay() const { return closeDelay_; }

private:
    std::vector<std::string> lines_;
    std::uint64_t total_ = 100;
    std::uint64_t position_ = 0;
    bool buttonEnabled_ = true;
    bool finished_ = false;
    std::optional<std::chrono::milliseconds> closeDelay_;
};

} // namespace lumetra::programming
