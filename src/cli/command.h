// Sub-commands of lumetra-cli register themselves with a static CommandRegistration.
#pragma once

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::cli {

// The program's arguments as UTF-8 texts.
using Arguments = std::vector<std::string>;

// args[0] is "lumetra-cli <command>", the rest are the command's own arguments.
using CommandFunction = std::function<int(const Arguments& args)>;

struct Command {
    std::string name;
    std::string summary;
    CommandFunction run;
};

std::vector<Command>& commandRegistry();

struct CommandRegistration {
    CommandRegistration(std::string name, std::string summary, CommandFunction run);
};

// Output helpers: every command prints through these so text and JSON stay consistent.
void printLine(std::string_view text);
void printError(std::string_view text);
// Indented by four spaces, ending in a line break; text that is not UTF-8 is shown with replacement characters.
void printJson(const nlohmann::json& document);

} // namespace lumetra::cli
