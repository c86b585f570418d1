// lumetra-cli reset: resets the target board through the POD.
#include "cli/command.h"
#include "cli/link_options.h"

namespace lumetra::cli {

namespace {

int runReset(const Arguments& args)
{
    return runLinkCommand(args, "Resets the target board through the POD.", [](link::CPodLink& pod) {
        if (!pod.ResetTarget()) {
            printError("타겟보드 리셋에 실패했읍니다.");
            return 1;
        }
        printLine("target reset");
        return 0;
    });
}

const CommandRegistration reg {"reset", "Reset the target board", runReset};

} // namespace

} // namespace lumetra::cli
