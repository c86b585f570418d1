// Port to a small window that tells the user to wait while the program measures something at start-up.
#pragma once

#include <span>
#include <string_view>

namespace lumetra::app {

class BusyNotice {
public:
    virtual ~BusyNotice() = default;
    virtual void show(std::string_view title, std::span<const std::string_view> lines) = 0;
    virtual void close() = 0;
};

} // namespace lumetra::app
