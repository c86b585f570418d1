// lumetra-cli ping: connects to the POD and checks that it answers.
#include "cli/command.h"
#include "cli/link_options.h"

namespace lumetra::cli {

namespace {

int runPing(const QStringList& args)
{
    return runLinkCommand(args, QStringLiteral("Connects to the POD and checks that it answers."), [](link::CPodLink& pod) {
        if (!pod.Ping()) {
            printError(QString::fromUtf8(kCommunicationError));
            return 1;
        }
        printLine(QStringLiteral("POD answered"));
        return 0;
    });
}

const CommandRegistration reg{QStringLiteral("ping"), QStringLiteral("Check that the POD answers"), runPing};

} // namespace

} // namespace lumetra::cli
