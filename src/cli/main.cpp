// lumetra-cli: the command-line front end over the same core as the desktop application.
#include "cli/command.h"
#include "cli/command_line.h"
#include "cli/invocation.h"
#include "cli/program_arguments.h"
#include "cli/text_format.h"

#include <algorithm>

using namespace lumetra::cli;

namespace {

std::string usageText()
{
    std::string text = "Usage: lumetra-cli [link options] <command> [options]\n\nCommands:\n";
    auto commands = commandRegistry();
    std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const Command& command : commands)
        text += "  " + padded(command.name, -10) + "  " + command.summary + '\n';
    text += "\nThe link options (--port, --usb, --baud, --timeout, --txdelay) of the commands that\n"
            "talk to the POD may come before the command as well as after it.\n"
            "Run 'lumetra-cli <command> --help' for the options of a command.";
    return text;
}

int usageError(const std::string& message)
{
    printError("lumetra-cli: " + printableText(message));
    printError(usageText());
    return kUsageErrorExitCode;
}

} // namespace

int main(int argc, char** argv)
{
    const InvocationParse parsed = parseInvocation(programArguments(argc, argv));
    if (!parsed.invocation)
        return usageError(parsed.error);
    const std::string& name = parsed.invocation->command;
    if (name == "--help" || name == "-h") {
        printLine(usageText());
        return 0;
    }
    if (name.empty())
        return usageError("no command given");
    if (name.front() == '-')
        return usageError("only the link options can come before the command, not '" + name + "'");
    const auto& commands = commandRegistry();
    const auto found = std::find_if(commands.begin(), commands.end(), [&](const Command& c) { return c.name == name; });
    if (found == commands.end())
        return usageError("unknown command '" + name + "'");
    return found->run(parsed.invocation->commandArguments);
}
