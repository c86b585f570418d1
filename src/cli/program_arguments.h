// The program's arguments as UTF-8 texts, whatever the system's code page.
#pragma once

#include "cli/command.h"

namespace lumetra::cli {

Arguments programArguments(int argc, char** argv);

} // namespace lumetra::cli
