// lumetra-cli: the command-line front end over the same core as the desktop application.
#include "cli/command.h"
#include "cli/command_line.h"
#include "cli/graph_export_options.h"
#include "cli/invocation.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <memory>

using namespace lumetra::cli;

namespace {

QString usageText()
{
    QString text = QStringLiteral("Usage: lumetra-cli [link options] <command> [options]\n\nCommands:\n");
    auto commands = commandRegistry();
    std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    for (const Command& command : commands)
        text += QStringLiteral("  %1  %2\n").arg(command.name, -10).arg(command.summary);
    text += QStringLiteral("\nThe link options (--port, --usb, --baud, --timeout, --txdelay) of the commands that\n"
                           "talk to the POD may come before the command as well as after it.\n"
                           "Run 'lumetra-cli <command> --help' for the options of a command.");
    return text;
}

int usageError(const QString& message)
{
    printError(QStringLiteral("lumetra-cli: ") + message);
    printError(usageText());
    return kUsageErrorExitCode;
}

// Drawing text needs a graphics application object; it draws offscreen and never shows a window. The other
// commands do without one.
std::unique_ptr<QCoreApplication> applicationFor(int& argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!drawsPictures(arguments))
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    const std::unique_ptr<QCoreApplication> app = applicationFor(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumetra-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.2"));

    const InvocationParse parsed = parseInvocation(QCoreApplication::arguments());
    if (!parsed.invocation)
        return usageError(parsed.error);
    const QString& name = parsed.invocation->command;
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        printLine(usageText());
        return 0;
    }
    if (name.isEmpty())
        return usageError(QStringLiteral("no command given"));
    if (name.startsWith(QLatin1Char('-')))
        return usageError(QStringLiteral("only the link options can come before the command, not '%1'").arg(name));
    const auto& commands = commandRegistry();
    const auto found = std::find_if(commands.begin(), commands.end(), [&](const Command& c) { return c.name == name; });
    if (found == commands.end())
        return usageError(QStringLiteral("unknown command '%1'").arg(name));
    return found->run(parsed.invocation->commandArguments);
}
