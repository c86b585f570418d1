// Port to the data-flash dialog. The worker thread reports through it; the desktop's implementation hands every
// call to the user interface thread, the command line prints, tests record.
#pragma once

#include "programming/data_flash_result.h"

#include <cstdint>
#include <string_view>

namespace lumetra::programming {

class DataFlashDialogPort {
public:
    virtual ~DataFlashDialogPort() = default;
    virtual void setRange(std::uint64_t total) = 0;
    virtual void setPosition(std::uint64_t position) = 0;
    virtual void log(std::string_view line) = 0;
    virtual void setButtonEnabled(bool enabled) = 0;
    // The run's end: "확인", the code's line, the dialog closing itself a second later.
    virtual void finish(DataFlashResult result) = 0;
};

} // namespace lumetra::programming
