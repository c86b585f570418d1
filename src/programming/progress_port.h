// Port to the progress dialog of a programming run. The runs report through it and poll it for Cancel; the
// desktop shows a dialog, the command line a progress bar, tests record.
#pragma once

#include "programming/run_result.h"

#include <cstdint>
#include <string_view>

namespace lumetra::programming {

// What a stream of words reports after each word: the position, and whether Cancel was pressed.
class WordProgress {
public:
    virtual ~WordProgress() = default;
    virtual void setPosition(std::uint64_t position) = 0;
    virtual bool cancelRequested() = 0;
};

class ProgressPort : public WordProgress {
public:
    // Shows the dialog centred on its owner: "0%", an empty caption, the button "Cancel" enabled.
    virtual void showProgress() = 0;
    virtual void setStep(std::string_view caption) = 0;
    // A total of 0 counts as 1; the elapsed time starts again.
    virtual void setRange(std::uint64_t total) = 0;
    // setPosition moves the bar and lets one pending window event through (so that Cancel can be pressed);
    // cancelRequested is true once Cancel was pressed during the run.
    virtual void setButtonEnabled(bool enabled) = 0;
    // The flash erase: the dialog gives way to the erase window, and comes back at 0% with "Cancel" after it.
    virtual void beginErase() = 0;
    virtual void endErase() = 0;
    // The result line as caption, the button "OK"; the dialog closes itself after a while.
    virtual void showResult(RunResult result) = 0;
};

} // namespace lumetra::programming
