#include "cli/command.h"

#include <cstdio>

namespace lumetra::cli {

namespace {

void writeLine(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
}

} // namespace

std::vector<Command>& commandRegistry()
{
    static std::vector<Command> commands;
    return commands;
}

CommandRegistration::CommandRegistration(std::string name, std::string summary, CommandFunction run)
{
    commandRegistry().push_back(Command {std::move(name), std::move(summary), std::move(run)});
}

void printLine(std::string_view text)
{
    writeLine(stdout, text);
}

void printError(std::string_view text)
{
    writeLine(stderr, text);
}

void printJson(const nlohmann::json& document)
{
    writeLine(stdout, document.dump(4, ' ', false, nlohmann::json::error_handler_t::replace));
}

} // namespace lumetra::cli
