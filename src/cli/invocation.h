// lumetra-cli [link options] <command> [options]: the command and its arguments, the link options given before
// the command included.
#pragma once

#include "cli/command.h"

#include <optional>
#include <string>

namespace lumetra::cli {

struct Invocation {
    std::string command; // the first argument after the leading link options; empty when there is none
    // "lumetra-cli <command>", the leading link options, then the arguments after the command.
    Arguments commandArguments;
};

struct InvocationParse {
    std::optional<Invocation> invocation;
    std::string error; // without an invocation: why the leading options were refused
};

// args are the program's arguments, args[0] the program itself.
InvocationParse parseInvocation(const Arguments& args);

} // namespace lumetra::cli
