// lumetra-cli ping: connects to the POD and checks that it answers.
#include "cli/command.h"
#include "cli/link_options.h"

namespace lumetra::cli {

namespace {

int runPing(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Connects to the POD and checks that it answers."));
    const auto command = parseLinkCommand(parser, args, 0, 0);
    if (!command)
        return 2;
    CliLink link(command->settings);
    if (!link.connect())
        return 1;
    if (!link.pod().Ping()) {
        printError(QString::fromUtf8(kCommunicationError));
        return 1;
    }
    printLine(QStringLiteral("POD answered"));
    return 0;
}

const CommandRegistration reg{QStringLiteral("ping"), QStringLiteral("Check that the POD answers"), runPing};

} // namespace

} // namespace lumetra::cli
