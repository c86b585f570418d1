// The "데이타 보기 변환" submenu of both monitor panes: the eight view types in code order.
#pragma once

#include "monitor/view_types.h"

#include <functional>
#include <optional>

class QMenu;

namespace lumetra::monitor::ui {

inline constexpr const char* kViewTypeMenuTitle = "데이타 보기 변환";

// Adds the submenu to `menu`; `current`, if any, is checked; choosing an entry calls `chosen` with its view type.
void addViewTypeMenu(QMenu& menu, MonitorPane pane, bool enabled, std::optional<ViewType> current,
    const std::function<void(ViewType)>& chosen);

} // namespace lumetra::monitor::ui
