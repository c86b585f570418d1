// Modal message boxes with the fixed texts of the core: the information icon for input problems and prompts,
// the stop icon for communication and file failures.
#pragma once

#include "core/settings_dialog_logic.h"

#include <string_view>

class QWidget;

namespace lumetra::core::ui {

// The caption of every message box: the application title.
inline constexpr const char* kMessageBoxCaption = "Vestral Lumetra V2.2";

void showMessageBox(QWidget* parent, std::string_view text, MessageIcon icon);
inline void showMessageBox(QWidget* parent, const DialogMessage& message)
{
    showMessageBox(parent, message.text, message.icon);
}

} // namespace lumetra::core::ui
