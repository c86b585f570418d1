// Port to the message boxes: a fixed text with an information or error icon.
#pragma once

#include "core/settings_dialog_logic.h"

#include <string_view>

namespace lumetra::core {

class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // Shows the message and returns when the user has closed it.
    virtual void showMessage(MessageIcon icon, std::string_view text) = 0;
};

} // namespace lumetra::core
