// lumetra-cli ping: connects to the POD and checks that it answers.
#include "cli/command.h"
#include "cli/link_options.h"

namespace lumetra::cli {

namespace {

int runPing(const Arguments& args)
{
    return runLinkCommand(args, "Connects to the POD and checks that it answers.", [](link::CPodLink& pod) {
        if (!pod.Ping()) {
            printError(kCommunicationError);
            return 1;
        }
        printLine("POD answered");
        return 0;
    });
}

const CommandRegistration reg {"ping", "Check that the POD answers", runPing};

} // namespace

} // namespace lumetra::cli
