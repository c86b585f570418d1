// Modal message boxes with the fixed texts of the core: the information icon for input problems and prompts,
// the stop icon for communication and file failures.
#pragma once

#include "core/settings_dialog_logic.h"

#include <memory>
#include <string_view>

class QMessageBox;
class QWidget;

namespace lumetra::core::ui {

// The caption of every message box: the application title.
inline constexpr const char* kMessageBoxCaption = "Vestral Lumetra V2.2";

// Room a title bar takes beside its text: the window icon and three caption buttons with their margins.
inline constexpr int kTitleBarAllowance = 150;

std::unique_ptr<QMessageBox> createMessageBox(QWidget* parent, std::string_view text, MessageIcon icon);
void showMessageBox(QWidget* parent, std::string_view text, MessageIcon icon);
inline void showMessageBox(QWidget* parent, const DialogMessage& message)
{
    showMessageBox(parent, message.text, message.icon);
}

// Widens a box whose text is short so that its title is not cut off in the title bar. Call before showing it.
void keepTitleVisible(QMessageBox& box);
// The width the box's title needs: the title in the bold title bar font and the title bar's own room.
int titleBarWidth(const QMessageBox& box);

} // namespace lumetra::core::ui
