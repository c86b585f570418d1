// The wait cursor over the application's override cursor.
#pragma once

#include "app/wait_cursor.h"

namespace lumetra::app::ui {

class QtWaitCursor final : public WaitCursor {
public:
    void show() override;
    void restore() override;
};

} // namespace lumetra::app::ui
