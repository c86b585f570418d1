// lumetra-cli: the command-line front end over the same core as the desktop application.
#include "cli/command.h"

#include <QCoreApplication>

#include <algorithm>

using namespace lumetra::cli;

namespace {

void printUsage()
{
    QString text = QStringLiteral("Usage: lumetra-cli <command> [options]\n\nCommands:\n");
    auto commands = commandRegistry();
    std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const Command& command : commands)
        text += QStringLiteral("  %1  %2\n").arg(command.name, -10).arg(command.summary);
    text += QStringLiteral("\nRun 'lumetra-cli <command> --help' for the options of a command.");
    printLine(text);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumetra-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.2"));

    QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args[1] == QLatin1String("--help") || args[1] == QLatin1String("-h")) {
        printUsage();
        return args.size() < 2 ? 2 : 0;
    }
    const QString name = args[1];
    const auto& commands = commandRegistry();
    const auto found = std::find_if(commands.begin(), commands.end(), [&](const Command& c) { return c.name == name; });
    if (found == commands.end()) {
        printError(QStringLiteral("lumetra-cli: unknown command '%1'").arg(name));
        printUsage();
        return 2;
    }
    args.removeAt(1);
    args[0] = QStringLiteral("lumetra-cli ") + name;
    return found->run(args);
}
