// The small window that asks the user to wait while the program measures at start-up.
#pragma once

#include "app/busy_notice.h"

#include <memory>

class QWidget;

namespace lumetra::app::ui {

class QtBusyNotice final : public BusyNotice {
public:
    QtBusyNotice();
    ~QtBusyNotice() override;

    void show(std::string_view title, std::span<const std::string_view> lines) override;
    void close() override;

private:
    std::unique_ptr<QWidget> window_;
};

} // namespace lumetra::app::ui
