#include "app/ui/qt_user_prompts.h"

#include "core/ui/message_box.h"

namespace lumetra::app::ui {

void QtUserPrompts::showMessage(MessageIcon icon, std::string_view text)
{
    core::ui::showMessageBox(parent_, text, icon);
}

} // namespace lumetra::app::ui
