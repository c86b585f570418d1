// The message of a command line the folder rule refuses, with a second line that names the cause.
#pragma once

#include "tools/command_line.h"

#include <string>
#include <string_view>

namespace lumetra::tools {

// `message` followed by "\n원인: ..." naming the part of the command line that made the rule refuse it.
std::string refusedCommandText(std::string_view message, const CommandPathRefusal& refusal);

} // namespace lumetra::tools
