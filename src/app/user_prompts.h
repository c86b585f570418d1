// The message box port of the application core, shared with the layers below it.
#pragma once

#include "core/user_prompts.h"

namespace lumetra::app {

using core::MessageIcon;
using core::UserPrompts;

} // namespace lumetra::app
