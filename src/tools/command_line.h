// The parts of a registered command line: its executable path by the folder rule, the argument text after it,
// the arguments split into words, and the tool name a command gives when none is entered.
#pragma once

#include "tools/path_probe.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::tools {

// The program part of a command line, found from the last folder separator: up to the first space after it, or
// the whole line. No separator gives nothing.
std::optional<std::string_view> executablePathCandidate(std::string_view commandLine, PathStyle style);

// Why the folder rule finds no executable path in a command line.
enum class CommandPathFault {
    NoFolder, // no folder separator at all
    SeparatorInArgument, // a program exists before a space, but a separator in an argument took the path past it
    Missing, // the path names nothing
};

struct CommandPathRefusal {
    CommandPathFault fault = CommandPathFault::NoFolder;
    // The program word without a folder, the argument that holds the separator, or the missing path.
    std::string part;
    std::string path; // the path the rule looked for; empty for NoFolder
    char separator = 0; // the separator in the argument

    bool operator==(const CommandPathRefusal&) const = default;
};

// The executable path when the candidate names an existing file or folder, else why not.
struct CommandPathCheck {
    std::optional<std::string> path;
    CommandPathRefusal refusal; // when there is no path
};

CommandPathCheck checkExecutablePath(std::string_view commandLine, const PathProbe& probe);
std::optional<std::string> executablePath(std::string_view commandLine, const PathProbe& probe);

// What follows the executable path, without the spaces before it.
std::string_view argumentText(std::string_view commandLine, std::string_view executable);

// Words separated by spaces or tabs; double or single quotes keep a word together and are removed.
std::vector<std::string> splitArguments(std::string_view text);

// The program's file name after its last folder separator, cut before its last ".".
std::string nameFromProgram(std::string_view program, PathStyle style);

} // namespace lumetra::tools
